#include "settings/CSetupDlg.h"

#include "platform/DialogUnits.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {

QString FromLocal(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToLocal(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

} // namespace

CSetupDlg::CSetupDlg(QWidget* parent, ProcessValues& values, IMessageBoxes& boxes,
                     IFileChooser& chooser, std::string folder)
    : QDialog(parent)
    , m_settings(values, std::move(folder))
    , m_logic(m_settings, boxes, chooser, *this) {
    BuildTemplate();
}

void CSetupDlg::BuildTemplate() {
    setWindowTitle(QStringLiteral("Corvalen Setup"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    const QFont font = DialogFont();
    setFont(font);
    const DialogUnits du(font);
    setFixedSize(du.X(208), du.Y(149));

    auto edit = [&](int id, int x, int y, int w, int h) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::number(id));
        box->setGeometry(du.ToPixels(x, y, w, h));
        box->setFocusPolicy(Qt::StrongFocus);
        m_controls[id] = box;
        return box;
    };
    auto button = [&](int id, const QString& text, int x, int y, int w, int h) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::number(id));
        b->setGeometry(du.ToPixels(x, y, w, h));
        b->setAutoDefault(false);
        m_controls[id] = b;
        return b;
    };
    auto label = [&](const QString& text, int x, int y, int w, int h) {
        auto* l = new QLabel(text, this);
        l->setGeometry(du.ToPixels(x, y, w, h));
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    };

    // Template order, which is also the tab order.
    m_accountId = edit(IDC_ACCOUNT_ID, 7, 113, 98, 14);
    m_accountId->setEnabled(false);
    m_regCode = edit(IDC_REG_CODE, 120, 114, 78, 14);
    m_regCode->setEnabled(false);
    m_skinFile = edit(IDC_SKIN_FILE, 165, 74, 26, 14);
    m_skinFile->setEnabled(false);
    m_skinFile->setVisible(false);
    m_imageFile = edit(IDC_IMAGE_FILE, 7, 73, 119, 14);
    QPushButton* cancel = button(IDC_CANCEL, QStringLiteral("Cancel"), 148, 15, 50, 14);
    m_refresh = edit(IDC_REFRESH, 73, 41, 39, 14);
    m_refresh->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_refresh));
    label(QStringLiteral("Image File"), 7, 62, 44, 8);
    QPushButton* browse = button(IDC_BROWSE, QStringLiteral("Browse"), 132, 73, 29, 14);
    QPushButton* ok = button(IDC_OK, QStringLiteral("OK"), 148, 0, 50, 14);
    ok->setDefault(true);
    label(QStringLiteral("Refresh Minutes"), 7, 44, 59, 8);
    m_login = edit(IDC_LOGIN, 7, 16, 76, 14);
    m_login->setEnabled(false);
    label(QStringLiteral("Login"), 7, 4, 30, 10);
    m_password = edit(IDC_PASSWORD, 94, 16, 41, 14);
    m_password->setEnabled(false);

    QWidget* order[] = {m_accountId, m_regCode, m_skinFile, m_imageFile, cancel,
                        m_refresh,   browse,    ok,         m_login,     m_password};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(ok, &QPushButton::clicked, this, &CSetupDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CSetupDlg::reject);
    connect(browse, &QPushButton::clicked, this, &CSetupDlg::OnBrowse);
}

int CSetupDlg::DoModal() {
    m_settings.LoadSettings();
    m_logic.PutIntoControls();
    // The first enabled, visible tab stop.
    m_imageFile->setFocus();
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

int CSetupDlg::RunSettingsCommand(QWidget* parent, IStatusLine& status, ProcessValues& values,
                                  IMessageBoxes& boxes, IFileChooser& chooser,
                                  const std::string& folder, std::function<void(int)> contextHelp) {
    status.ShowStatus("Setup Dialog...");
    CSetupDlg dialog(parent, values, boxes, chooser, folder);
    dialog.SetContextHelp(std::move(contextHelp));
    return dialog.DoModal();
}

void CSetupDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 &&
        !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))) {
        if (m_contextHelp)
            m_contextHelp(kTemplateId);
        return;
    }
    QDialog::keyPressEvent(event);
}

QWidget* CSetupDlg::Control(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

void CSetupDlg::accept() {
    m_logic.OnOK();
}

void CSetupDlg::OnBrowse() {
    m_logic.OnBrowse();
}

void CSetupDlg::ShowTexts(const SetupControlTexts& t) {
    m_imageFile->setText(FromLocal(t.imageFile));
    m_skinFile->setText(FromLocal(t.skinFile));
    m_accountId->setText(FromLocal(t.accountId));
    m_regCode->setText(FromLocal(t.regCode));
    m_login->setText(FromLocal(t.login));
    m_password->setText(FromLocal(t.password));
    m_refresh->setText(FromLocal(t.refreshMinutes));
}

std::optional<std::string> CSetupDlg::EditedImageFile() const {
    if (!m_imageFile->isModified())
        return std::nullopt;
    return ToLocal(m_imageFile->text());
}

std::string CSetupDlg::RefreshText() const {
    return ToLocal(m_refresh->text());
}

void CSetupDlg::FocusRefreshBox() {
    m_refresh->setFocus();
    m_refresh->selectAll();
}

void CSetupDlg::EndDialog(int result) {
    done(result == IDOK ? QDialog::Accepted : QDialog::Rejected);
}
