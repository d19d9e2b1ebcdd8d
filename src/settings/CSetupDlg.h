#pragma once

#include "app/ProcessValues.h"
#include "platform/FileChooser.h"
#include "platform/MessageBoxes.h"
#include "platform/StatusLine.h"
#include "settings/SetupDialogLogic.h"
#include "settings/SetupSettings.h"

#include <QDialog>
#include <functional>
#include <map>
#include <string>

class QLineEdit;
class QPushButton;

// The Setup dialog (template 131): shows the account identity read-only and
// lets the user change the refresh minutes and the image file. OK writes the
// settings file in the Setup layout; the changes apply at the next start.
class CSetupDlg : public QDialog, private ISetupView {
    Q_OBJECT
public:
    // Control ids of template 131.
    enum : int {
        IDC_ACCOUNT_ID = 1021,
        IDC_REG_CODE = 1010,
        IDC_SKIN_FILE = 1018,
        IDC_IMAGE_FILE = 1015,
        IDC_CANCEL = 2,
        IDC_REFRESH = 1014,
        IDC_BROWSE = 1002,
        IDC_OK = 1,
        IDC_LOGIN = 1022,
        IDC_PASSWORD = 1023,
    };

    CSetupDlg(QWidget* parent, ProcessValues& values, IMessageBoxes& boxes, IFileChooser& chooser,
              std::string folder = ".");

    // Reads the settings file, then runs the dialog modally. Returns IDOK
    // after a confirmed OK, IDCANCEL otherwise. A file that cannot be read
    // raises FileError before the dialog appears.
    int DoModal();

    // The main window's Settings command: "Setup Dialog..." in the status
    // line, then the dialog. Returns IDOK when the user confirmed it, and the
    // main window should then close; FileError propagates.
    // F1 calls `contextHelp` with the dialog's template number.
    static int RunSettingsCommand(QWidget* parent, IStatusLine& status, ProcessValues& values,
                                  IMessageBoxes& boxes, IFileChooser& chooser,
                                  const std::string& folder = ".",
                                  std::function<void(int)> contextHelp = {});

    static constexpr int kTemplateId = 131;
    // What F1 opens: the help file at this dialog's context.
    void SetContextHelp(std::function<void(int)> contextHelp) {
        m_contextHelp = std::move(contextHelp);
    }

    // The control with the given id (labels have none).
    QWidget* Control(int id) const;
    const SetupRecord& Copy() const { return m_settings.Record(); }

public slots:
    // Enter and the OK button.
    void accept() override;
    void OnBrowse();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowTexts(const SetupControlTexts& texts) override;
    std::optional<std::string> EditedImageFile() const override;
    std::string RefreshText() const override;
    void FocusRefreshBox() override;
    void EndDialog(int result) override;

    void BuildTemplate();

    SetupSettings m_settings;
    SetupDialogLogic m_logic;
    std::map<int, QWidget*> m_controls;
    std::function<void(int)> m_contextHelp;
    QLineEdit* m_imageFile = nullptr;
    QLineEdit* m_skinFile = nullptr;
    QLineEdit* m_accountId = nullptr;
    QLineEdit* m_regCode = nullptr;
    QLineEdit* m_login = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_refresh = nullptr;
};
