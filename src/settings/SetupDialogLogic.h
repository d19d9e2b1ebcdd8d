#pragma once

#include "platform/FileChooser.h"
#include "platform/MessageBoxes.h"
#include "settings/SetupSettings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What the Setup dialog's boxes show, as 8-bit text.
struct SetupControlTexts {
    std::string imageFile;      // 1015
    std::string skinFile;       // 1018 (hidden)
    std::string accountId;      // 1021 (disabled)
    std::string regCode;        // 1010 (disabled)
    std::string login;          // 1022 (disabled)
    std::string password;       // 1023 (disabled)
    std::string refreshMinutes; // 1014

    bool operator==(const SetupControlTexts&) const = default;
};

// The dialog window as the logic sees it.
class ISetupView {
public:
    virtual ~ISetupView() = default;
    virtual void ShowTexts(const SetupControlTexts& texts) = 0;
    // The image file box's text, or nothing when the user has not edited it
    // since it was last filled.
    virtual std::optional<std::string> EditedImageFile() const = 0;
    virtual std::string RefreshText() const = 0;
    virtual void FocusRefreshBox() = 0;
    // Ends the dialog with IDOK or IDCANCEL.
    virtual void EndDialog(int result) = 0;
};

// The refresh box's text read as the dialog's integer check reads it: blanks
// around an optionally signed decimal number; anything else is no integer.
struct RefreshCheck {
    std::optional<int32_t> minutes; // set when the text passes both checks
    std::string message;            // otherwise the text to show
};
inline constexpr int32_t kMinRefreshMinutes = 1;
inline constexpr int32_t kMaxRefreshMinutes = 999999;
RefreshCheck CheckRefreshMinutes(std::string_view text);

// What the Setup dialog does with its copy of the settings: data exchange,
// the OK step and the image chooser.
class SetupDialogLogic {
public:
    SetupDialogLogic(SetupSettings& settings, IMessageBoxes& boxes, IFileChooser& chooser,
                     ISetupView& view)
        : m_settings(settings)
        , m_boxes(boxes)
        , m_chooser(chooser)
        , m_view(view) {}

    // Copy → controls.
    void PutIntoControls();
    // Controls → copy. Only the boxes the user can edit come back, so the
    // read-only values keep their bytes exactly. On a bad refresh value the
    // message is shown, the focus returns to the box and false is returned.
    bool TakeFromControls();

    // OK: check, write the Setup layout, tell the user, end with IDOK. A
    // failed write shows the file error and keeps the dialog open.
    void OnOK();
    // Browse: a picked image replaces the image file and the whole copy goes
    // back into the controls.
    void OnBrowse();

private:
    SetupSettings& m_settings;
    IMessageBoxes& m_boxes;
    IFileChooser& m_chooser;
    ISetupView& m_view;
};
