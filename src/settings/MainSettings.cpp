#include "settings/MainSettings.h"

#include "settings/SettingsFile.h"
#include "settings/SettingsLayouts.h"
#include "settings/SettingsReader.h"

MainSettings::MainSettings(ProcessValues& values, std::string folder)
    : m_values(values)
    , m_folder(std::move(folder)) {}

void MainSettings::LoadSettings() {
    const std::string text = SettingsFile::Read(m_folder);
    ReadMainSettings(text, m_record, m_values.g_nVideoDriver);
}

void MainSettings::SaveSettings() {
    SettingsFile::WriteAtomically(m_folder, MainLayout(m_record, m_values.g_nVideoDriver));
}
