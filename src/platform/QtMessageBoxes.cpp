#include "platform/QtMessageBoxes.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

QString ApplicationTitle() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

int QtMessageBoxes::Show(const std::string& text, unsigned type) {
    QMessageBox box(m_owner);
    box.setWindowTitle(ApplicationTitle());
    box.setText(QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())));
    switch (EffectiveIcon(type)) {
    case MB_ICONSTOP:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONEXCLAMATION:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
    }
    struct Choice {
        QMessageBox::StandardButton button;
        int id;
    };
    std::vector<Choice> choices;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_ABORTRETRYIGNORE:
        choices = {{QMessageBox::Abort, IDABORT},
                   {QMessageBox::Retry, IDRETRY},
                   {QMessageBox::Ignore, IDIGNORE}};
        break;
    case MB_YESNOCANCEL:
        choices = {
            {QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO:
        choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
        break;
    case MB_RETRYCANCEL:
        choices = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    default:
        choices = {{QMessageBox::Ok, IDOK}};
    }
    QMessageBox::StandardButtons buttons;
    for (const auto& c : choices)
        buttons |= c.button;
    box.setStandardButtons(buttons);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const auto& c : choices)
        if (c.button == pressed)
            return c.id;
    // Closed by Escape or the close box: the cancelling answer, or OK alone.
    return choices.size() == 1 ? IDOK : IDCANCEL;
}
