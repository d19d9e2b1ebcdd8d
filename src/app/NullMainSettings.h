#pragma once

#include "settings/SettingsRecord.h"

// Settings that read and write nothing: the record stays as it is.
class NullMainSettings : public IMainSettings {
public:
    SettingsRecord& Record() override { return m_record; }
    void LoadSettings() override {}
    void SaveSettings() override {}

private:
    SettingsRecord m_record;
};
