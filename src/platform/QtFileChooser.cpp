#include "platform/QtFileChooser.h"

#include <QFileDialog>
#include <QFileInfo>

std::optional<std::string> QtFileChooser::OpenFile(const std::string& description,
                                                   const std::string& pattern) {
    // "Jpeg Images (*.jpg)|*.jpg": Qt takes the pattern from the parentheses,
    // so give it the description with the pattern in them.
    const QString filter =
        QString::fromLocal8Bit(description.c_str()).contains('(')
            ? QString::fromLocal8Bit(description.c_str())
            : QString::fromLocal8Bit((description + " (" + pattern + ")").c_str());
    const QString file = QFileDialog::getOpenFileName(m_owner, QString(), QString(), filter,
                                                      nullptr, QFileDialog::ReadOnly);
    if (file.isEmpty())
        return std::nullopt;
    return QFileInfo(file).absoluteFilePath().toLocal8Bit().toStdString();
}
