#pragma once

#include "platform/FileChooser.h"

#include <QPointer>

class QWidget;

class QtFileChooser : public IFileChooser {
public:
    explicit QtFileChooser(QWidget* owner = nullptr)
        : m_owner(owner) {}
    std::optional<std::string> OpenFile(const std::string& description,
                                        const std::string& pattern) override;

private:
    QPointer<QWidget> m_owner;
};
