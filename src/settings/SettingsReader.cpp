#include "settings/SettingsReader.h"

#include "platform/Numbers.h"
#include "platform/TextFile.h"

#include <array>
#include <string>
#include <utility>

namespace {

constexpr std::array<std::pair<SettingsKey, std::string_view>, 11> kKeys{{
    {SettingsKey::AccountId, "Account ID ="},
    {SettingsKey::RegCode, "Reg Code ="},
    {SettingsKey::Category, "Category ="},
    {SettingsKey::RefreshRate, "Refresh Rate ="},
    {SettingsKey::File1, "File 1 ="},
    {SettingsKey::Heading, "Heading ="},
    {SettingsKey::PageText, "Page Text ="},
    {SettingsKey::Skin, "Skin ="},
    {SettingsKey::Login, "Login ="},
    {SettingsKey::Passwd, "Passwd ="},
    {SettingsKey::VfwDriver, "VFW Driver ="},
}};

} // namespace

std::string_view KeyText(SettingsKey key) {
    for (const auto& [k, text] : kKeys)
        if (k == key)
            return text;
    return {};
}

void ForEachSettingsValue(std::string_view text,
                          const std::function<void(SettingsKey, std::string_view)>& onValue) {
    for (const std::string& line : TextFile::SplitLines(text)) {
        const std::string_view view(line);
        for (const auto& [key, keyText] : kKeys) {
            if (!view.starts_with(keyText))
                continue;
            // The character after the key is skipped whatever it is.
            const size_t start = keyText.size() + 1;
            onValue(key, start < view.size() ? view.substr(start) : std::string_view{});
            break; // no key text begins another
        }
    }
}

namespace {

// The fields that both copies hold in the same form. False for the two that
// differ: the refresh value and the video driver number.
template <typename Record>
bool AssignShared(Record& record, SettingsKey key, std::string_view value) {
    switch (key) {
    case SettingsKey::AccountId:
        record.accountId = value;
        return true;
    case SettingsKey::RegCode:
        record.regCode = value;
        return true;
    case SettingsKey::Category:
        record.category = ReadDecimal32(value);
        return true;
    case SettingsKey::File1:
        record.imageFile = value;
        return true;
    case SettingsKey::Heading:
        record.heading = value;
        return true;
    case SettingsKey::PageText:
        record.pageText = value;
        return true;
    case SettingsKey::Skin:
        record.skinFile = value;
        return true;
    case SettingsKey::Login:
        record.login = value;
        return true;
    case SettingsKey::Passwd:
        record.password = value;
        return true;
    case SettingsKey::RefreshRate:
    case SettingsKey::VfwDriver:
        break;
    }
    return false;
}

} // namespace

void ReadMainSettings(std::string_view text, SettingsRecord& record, int16_t& videoDriver) {
    ForEachSettingsValue(text, [&](SettingsKey key, std::string_view value) {
        if (AssignShared(record, key, value))
            return;
        if (key == SettingsKey::RefreshRate) {
            record.refreshRate = value; // kept as text; only the interval rule reads it
        } else if (key == SettingsKey::VfwDriver) {
            const auto low = static_cast<uint16_t>(static_cast<uint32_t>(ReadDecimal32(value)));
            videoDriver = static_cast<int16_t>(low);
        }
    });
}

void ReadSetupSettings(std::string_view text, SetupRecord& record, int32_t& videoDriver) {
    ForEachSettingsValue(text, [&](SettingsKey key, std::string_view value) {
        if (AssignShared(record, key, value))
            return;
        if (key == SettingsKey::RefreshRate)
            record.refreshMinutes = ReadDecimal32(value);
        else if (key == SettingsKey::VfwDriver)
            videoDriver = ReadDecimal32(value);
    });
}
