#pragma once

#include "components/Guid.h"

#include <optional>
#include <string>
#include <vector>

// The dialog templates of the program, as data: what a resource script holds.
// Positions and sizes are in dialog units.
enum class ControlKind { Hosted, ProgressBar, StaticText, PushButton };

struct ControlTemplate {
    int id;
    ControlKind kind;
    std::optional<Guid> clsid;          // hosted components only
    std::optional<std::string> caption; // none: the control has no caption
    int left, top, width, height;
    bool tabStop = false;
};

struct DialogTemplate {
    int id;
    std::string caption;
    int width, height;
    std::string fontName;
    int fontPoints;
    std::vector<ControlTemplate> controls; // in the order of creation
};

// Template 102: the main window.
const DialogTemplate& MainWindowTemplate();
// Template 100: the About box.
const DialogTemplate& AboutBoxTemplate();

// Control ids of the main window.
namespace ControlIds {
inline constexpr int kFtp = 1000;
inline constexpr int kProgress = 1020;
inline constexpr int kVideo = 1024;
inline constexpr int kSettings = 1025;
inline constexpr int kSource = 1026;
inline constexpr int kFormat = 1027;
inline constexpr int kCompression = 1028;
inline constexpr int kShowHide = 1029;
inline constexpr int kSkin = 1030;
inline constexpr int kStart = 1031;
inline constexpr int kVideoConnect = 1032;
inline constexpr int kHelp = 1033;
inline constexpr int kStatusLine = 1036;
inline constexpr int kSkinForm = 1040;
inline constexpr int kLinkLabel = 1042;
} // namespace ControlIds

// Ids in the About box.
namespace AboutIds {
inline constexpr int kTitle = 1101;
inline constexpr int kSecondLine = 1102;
inline constexpr int kAddress = 1103;
inline constexpr int kOk = 1; // IDOK
} // namespace AboutIds
