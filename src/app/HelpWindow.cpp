#include "app/HelpWindow.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* owner)
    : QDialog(owner)
    , m_browser(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Corvalen Controller Help"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    m_browser->setOpenExternalLinks(false);
    resize(520, 440);
}

void HelpWindow::ShowDocument(const QString& html, const QString& folder, const QString& anchor) {
    m_anchor = anchor;
    m_browser->setSearchPaths({folder});
    m_browser->setHtml(html);
    show();
    raise();
    if (anchor.isEmpty())
        m_browser->moveCursor(QTextCursor::Start);
    else
        m_browser->scrollToAnchor(anchor);
}

bool QtHelpViewer::Show(const std::string& file, const std::string& anchor) {
    const QString path = QString::fromLocal8Bit(file);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return false;
    if (!m_window)
        m_window = new HelpWindow(m_owner);
    m_window->ShowDocument(QString::fromUtf8(bytes), QFileInfo(path).absolutePath(),
                           QString::fromLocal8Bit(anchor));
    return true;
}
