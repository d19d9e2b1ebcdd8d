#pragma once

#include <QLabel>

// The static text that shows the service's web address (control 1042): plain
// text, centred vertically, drawn on the window's own background. Opening
// the address on a click comes later.
class CLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit CLinkLabel(QWidget* parent = nullptr);

    void SetAddress(const std::string& address);
    std::string Address() const { return m_address; }

private:
    std::string m_address;
};
