#pragma once

#include "app/HelpLauncher.h"

#include <QDialog>
#include <QPointer>

class QTextBrowser;

// The program's help window: the help file's HTML in a browser pane.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner);
    void ShowDocument(const QString& html, const QString& folder, const QString& anchor);
    QTextBrowser* browser() const { return m_browser; }
    QString anchor() const { return m_anchor; }

private:
    QTextBrowser* m_browser;
    QString m_anchor;
};

// Opens the help file in one help window, owned by the main window and kept
// for the next request.
class QtHelpViewer : public IHelpViewer {
public:
    explicit QtHelpViewer(QWidget* owner)
        : m_owner(owner) {}
    bool Show(const std::string& file, const std::string& anchor) override;
    HelpWindow* window() const { return m_window; }

private:
    QPointer<QWidget> m_owner;
    QPointer<HelpWindow> m_window;
};
