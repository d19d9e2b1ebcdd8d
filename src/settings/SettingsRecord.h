#pragma once

#include <cstdint>
#include <string>

// The main window's copy of the settings file's values. The video driver
// number is not here: it is one value for the whole process
// (ProcessValues::g_nVideoDriver).
struct SettingsRecord {
    std::string accountId;
    std::string regCode;
    std::string refreshRate; // minutes, as text; only the interval rule converts it
    std::string imageFile;
    std::string skinFile;
    int32_t category = 0;
    std::string heading;
    std::string pageText;
    std::string login;
    std::string password; // read, never written
    std::string ipText;   // written, never read

    bool operator==(const SettingsRecord&) const = default;
};

// The settings record together with the file behind it, as the rest of the
// program uses it. Both operations raise FileError.
class IMainSettings {
public:
    virtual ~IMainSettings() = default;
    virtual SettingsRecord& Record() = 0;
    virtual void LoadSettings() = 0;
    virtual void SaveSettings() = 0;
};
