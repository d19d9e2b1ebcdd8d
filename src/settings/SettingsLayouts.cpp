#include "settings/SettingsLayouts.h"

#include <initializer_list>
#include <string_view>

namespace {

std::string Lines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace

std::string MainLayout(const SettingsRecord& r, int16_t videoDriver) {
    const std::string driver = std::to_string(static_cast<int32_t>(videoDriver));
    const std::string category = std::to_string(r.category);
    return Lines({
        "*** Do Not Modify This File ***",
        "*",
        "",
        "Account ID = " + r.accountId,
        "***",
        "Reg Code = " + r.regCode,
        "***",
        "Refresh Rate = " + r.refreshRate,
        "***",
        "VFW Driver = " + driver,
        "***",
        "File 1 = " + r.imageFile,
        "*",
        "",
        "Skin = " + r.skinFile,
        "***",
        "Category = " + category,
        "*",
        "",
        "Heading = " + r.heading,
        "*",
        "",
        "Page Text = " + r.pageText,
        "*",
        "",
        "Login = " + r.login,
        "IP = " + r.ipText,
    });
}

std::string SetupLayout(const SetupRecord& r, int32_t videoDriver) {
    const std::string driver = std::to_string(videoDriver);
    const std::string category = std::to_string(r.category);
    const std::string refresh = std::to_string(r.refreshMinutes);
    return Lines({
        "*** Do Not Modify This File ***",
        "*",
        "",
        "Account ID = " + r.accountId,
        "***",
        "Reg Code = " + r.regCode,
        "***",
        "Refresh Rate = " + refresh,
        "***",
        "File 1 = " + r.imageFile,
        "*",
        "",
        "Skin = " + r.skinFile,
        "***",
        "Category = " + category,
        "*",
        "",
        "Heading = " + r.heading,
        "*",
        "",
        "Page Text = " + r.pageText,
        "Login = " + r.login,
        "VFW Driver = " + driver,
        "***",
        "*",
        "",
        "Message 1 = Welcome to Corvalen",
    });
}
