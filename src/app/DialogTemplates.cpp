#include "app/DialogTemplates.h"

#include "app/Resources.h"
#include "app/ServiceAddress.h"
#include "components/ClassIds.h"

using namespace ControlIds;

const DialogTemplate& MainWindowTemplate() {
    static const DialogTemplate dlg = [] {
        const auto button = [](int id, const char* caption, int left, int top, int width,
                               int height) {
            return ControlTemplate{
                id, ControlKind::Hosted, ClassIds::SkinButton, caption, left, top, width, height};
        };
        DialogTemplate t{Resources::IDD_CONTROLLER_DIALOG,
                         "Corvalen Controller",
                         331,
                         181,
                         "MS Sans Serif",
                         8,
                         {}};
        t.controls = {
            {kFtp, ControlKind::Hosted, ClassIds::FtpClient, std::nullopt, 306, 9, 19, 17, true},
            {kProgress, ControlKind::ProgressBar, std::nullopt, std::nullopt, 244, 166, 80, 9},
            button(kSettings, "Settings", 7, 51, 63, 13),
            button(kSource, "Source", 7, 66, 63, 13),
            button(kFormat, "Format", 7, 81, 63, 13),
            button(kCompression, "Compression", 7, 96, 63, 13),
            button(kShowHide, "Show / Hide", 7, 111, 63, 13),
            button(kStart, "Start", 7, 8, 63, 24),
            {kStatusLine, ControlKind::Hosted, ClassIds::SkinLabel, "Click Start to begin ...", 7,
             165, 103, 10},
            button(kSkin, "Skin", 7, 126, 63, 13),
            {kLinkLabel, ControlKind::StaticText, std::nullopt, ServiceWebAddress(), 145, 163, 81,
             12},
            button(kVideoConnect, "Video Connect", 7, 36, 63, 13),
            {kSkinForm, ControlKind::Hosted, ClassIds::SkinForm, std::nullopt, 71, 143, 21, 20},
            {kVideo, ControlKind::Hosted, ClassIds::VideoCapture, std::nullopt, 79, 9, 155, 140,
             true},
            button(kHelp, "Help", 7, 141, 63, 13),
        };
        return t;
    }();
    return dlg;
}

const DialogTemplate& AboutBoxTemplate() {
    static const DialogTemplate dlg{
        Resources::IDD_ABOUTBOX,
        "About Corvalen",
        235,
        66,
        "MS Sans Serif",
        8,
        {
            {AboutIds::kTitle, ControlKind::StaticText, std::nullopt, "Corvalen Controller 1.0", 40,
             10, 119, 8},
            {AboutIds::kSecondLine, ControlKind::StaticText, std::nullopt,
             "Live pictures for your Corvalen page.", 40, 25, 119, 8},
            {AboutIds::kAddress, ControlKind::StaticText, std::nullopt, ServiceWebAddress(), 35, 41,
             135, 8},
            {AboutIds::kOk, ControlKind::PushButton, std::nullopt, "OK", 178, 7, 50, 14, true},
        }};
    return dlg;
}
