#pragma once

#include "app/ProcessValues.h"
#include "settings/SettingsRecord.h"

#include <string>

// The Setup dialog's copy of the settings and "tamblix.ini" in its folder,
// written in the Setup layout.
class SetupSettings {
public:
    explicit SetupSettings(ProcessValues& values, std::string folder = ".");

    SetupRecord& Record() { return m_record; }
    const SetupRecord& Record() const { return m_record; }
    int32_t VideoDriver() const { return m_values.g_nSetupVideoDriver; }

    // Raises FileError; a file that cannot be read changes no field.
    void LoadSettings();
    // Replaces the file atomically with the Setup layout. Raises FileError;
    // the old file is then left whole.
    void SaveSettings();

private:
    ProcessValues& m_values;
    std::string m_folder;
    SetupRecord m_record;
};
