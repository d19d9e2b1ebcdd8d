#include "app/AboutDlg.h"

#include "app/DialogTemplates.h"
#include "platform/DialogUnits.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* owner, std::function<void(int)> contextHelp)
    : QDialog(owner)
    , m_contextHelp(std::move(contextHelp)) {
    const DialogTemplate& t = AboutBoxTemplate();
    setWindowTitle(QString::fromLocal8Bit(t.caption));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(DialogFont(QString::fromLocal8Bit(t.fontName), t.fontPoints));
    const DialogUnits du(font());
    setFixedSize(du.X(t.width), du.Y(t.height));
    for (const ControlTemplate& c : t.controls) {
        const QRect rect = du.ToPixels(c.left, c.top, c.width, c.height);
        const QString caption = QString::fromLocal8Bit(c.caption.value_or(std::string()));
        if (c.kind == ControlKind::PushButton) {
            auto* button = new QPushButton(caption, this);
            button->setObjectName(QString::number(c.id));
            button->setGeometry(rect);
            button->setDefault(true);
            connect(button, &QPushButton::clicked, this, &QDialog::accept);
        } else {
            auto* label = new QLabel(caption, this);
            label->setObjectName(QString::number(c.id));
            label->setTextFormat(Qt::PlainText);
            label->setGeometry(rect);
        }
    }
}

QLabel* CAboutDlg::text(int id) const {
    return findChild<QLabel*>(QString::number(id));
}

void CAboutDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 &&
        !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))) {
        if (m_contextHelp)
            m_contextHelp(AboutBoxTemplate().id);
        return;
    }
    QDialog::keyPressEvent(event);
}
