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

// The Setup dialog's own copy of the settings. It has no IP text, keeps the
// refresh minutes as a number, and its video driver number is process-wide
// (ProcessValues::g_nSetupVideoDriver).
struct SetupRecord {
    std::string imageFile;
    std::string skinFile;
    std::string accountId;
    std::string heading;
    std::string pageText;
    std::string regCode;
    int32_t category = 0;
    std::string login;
    std::string password; // read and shown, never written
    int32_t refreshMinutes = 0;

    bool operator==(const SetupRecord&) const = default;
};
