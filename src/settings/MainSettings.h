#pragma once

#include "app/ProcessValues.h"
#include "settings/SettingsRecord.h"

#include <string>

// The main window's settings record and "tamblix.ini" in its folder: the
// main layout is what this writes, and what the server receives.
class MainSettings : public IMainSettings {
public:
    // The folder "." follows the process's current folder.
    explicit MainSettings(ProcessValues& values, std::string folder = ".");

    SettingsRecord& Record() override { return m_record; }
    const SettingsRecord& Record() const { return m_record; }

    // Reads the whole file first, so a file that cannot be read changes no
    // field. Raises FileError ("tamblix.ini was not found.").
    void LoadSettings() override;
    // Replaces the file atomically with the main layout. Raises FileError;
    // the old file is then left whole.
    void SaveSettings() override;

private:
    ProcessValues& m_values;
    std::string m_folder;
    SettingsRecord m_record;
};
