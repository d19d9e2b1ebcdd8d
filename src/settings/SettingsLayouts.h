#pragma once

#include "settings/SettingsRecord.h"

#include <cstdint>
#include <string>

// The two layouts of the settings file, as the bytes that go to disk: 27
// lines each, every one ended by CR LF. Neither carries the password.

// The main window's layout; also what the server receives as the page file.
std::string MainLayout(const SettingsRecord& record, int16_t videoDriver);

// The Setup dialog's layout.
std::string SetupLayout(const SetupRecord& record, int32_t videoDriver);
