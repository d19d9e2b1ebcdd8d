#pragma once

#include "platform/MessageBoxes.h"

#include <QPointer>
#include <QString>

class QWidget;

// Message boxes as QMessageBox: modal, owned by the given window, captioned
// with the application's title.
class QtMessageBoxes : public IMessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* owner = nullptr)
        : m_owner(owner) {}
    void SetOwner(QWidget* owner) { m_owner = owner; }
    int Show(const std::string& text, unsigned type) override;

private:
    QPointer<QWidget> m_owner;
};

// The program file's name without folder and extension.
QString ApplicationTitle();
