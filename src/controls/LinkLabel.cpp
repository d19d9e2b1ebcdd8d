#include "controls/LinkLabel.h"

CLinkLabel::CLinkLabel(QWidget* parent)
    : QLabel(parent) {
    // An address is never markup: "<" or "&" in it must show as typed.
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
}

void CLinkLabel::SetAddress(const std::string& address) {
    m_address = address;
    setText(QString::fromLocal8Bit(address));
}
