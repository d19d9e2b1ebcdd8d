#pragma once

#include "settings/SettingsRecord.h"

#include <cstdint>
#include <functional>
#include <string_view>

// The keys that the readers recognise, in the order they are tested.
enum class SettingsKey {
    AccountId,
    RegCode,
    Category,
    RefreshRate,
    File1,
    Heading,
    PageText,
    Skin,
    Login,
    Passwd,
    VfwDriver,
};

// The key text as it stands at the start of a line, e.g. "Account ID =".
std::string_view KeyText(SettingsKey key);

// The one reading algorithm: walks the lines of the text and reports each
// line that starts with a key text, byte for byte, together with its value:
// whatever follows the key text and the one character after it (normally
// the blank). Lines without a key are ignored. Lines are reported in file
// order, so a later line with the same key overrides an earlier one.
void ForEachSettingsValue(std::string_view text,
                          const std::function<void(SettingsKey, std::string_view)>& onValue);

// The main window's reader: refresh rate stays text; category and the 16-bit
// video driver number (low 16 bits, signed) are converted. Fields whose keys
// the text lacks keep their values.
void ReadMainSettings(std::string_view text, SettingsRecord& record, int16_t& videoDriver);

// The Setup dialog's reader: refresh minutes, category and its 32-bit video
// driver number are converted.
void ReadSetupSettings(std::string_view text, SetupRecord& record, int32_t& videoDriver);
