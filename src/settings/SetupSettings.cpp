#include "settings/SetupSettings.h"

#include "settings/SettingsFile.h"
#include "settings/SettingsLayouts.h"
#include "settings/SettingsReader.h"

SetupSettings::SetupSettings(ProcessValues& values, std::string folder)
    : m_values(values)
    , m_folder(std::move(folder)) {}

void SetupSettings::LoadSettings() {
    const std::string text = SettingsFile::Read(m_folder);
    ReadSetupSettings(text, m_record, m_values.g_nSetupVideoDriver);
}

void SetupSettings::SaveSettings() {
    SettingsFile::WriteAtomically(m_folder, SetupLayout(m_record, m_values.g_nSetupVideoDriver));
}
