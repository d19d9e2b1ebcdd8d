#pragma once

#include "app/ErrorReport.h"
#include "app/EventTable.h"
#include "app/HelpLauncher.h"
#include "app/HelpWindow.h"
#include "app/Resources.h"
#include "app/VideoCommands.h"
#include "app/WindowTimer.h"
#include "components/CFtpClient.h"
#include "components/CXVideoCtlx.h"
#include "components/ComponentRegistry.h"
#include "platform/StatusLine.h"
#include "settings/SettingsRecord.h"
#include "skins/SkinWrappers.h"

#include <QDialog>
#include <QIcon>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class CLinkLabel;
class IMessageBoxes;
class QMenu;
class QProgressBar;
struct ProcessValues;

// The main window, template 102. It creates the hosted components, wires
// their events and the window's messages to the handlers, and owns the
// settings record's user, the progress bar and the link label for the run.
class CControllerDlg : public QDialog, public IEventSink, public IStatusLine {
    Q_OBJECT
public:
    struct Services {
        const ComponentRegistry& registry;
        ProcessValues& values;
        IMainSettings& settings;
        IMessageBoxes& boxes;
        const StringTable& strings = StringTable::Program();
        std::string programPath; // empty: this program's own file
    };

    // The commands that other parts of the program carry out. Each may be
    // left empty; the button then does nothing.
    struct Commands {
        std::function<void()> start;    // Start button
        std::function<void()> timer;    // each tick of timer 1
        std::function<void()> settings; // Settings button
        std::function<void()> skin;     // Skin button
    };

    // Construction loads the icon; it creates no control yet.
    explicit CControllerDlg(Services services);
    ~CControllerDlg() override;

    void SetCommands(Commands commands) { m_commands = std::move(commands); }

    // Creates the controls of template 102 in order and runs the
    // initialisation. False when a hosted component cannot be created: the
    // window is then abandoned, with nothing shown and nothing said.
    bool Create();
    // Create(), then run the window modally. -1 when creation failed.
    int DoModal();

    // Window messages. Errors escaping them are shown in a stop box.
    void OnSysCommand(unsigned command);
    void OnOK();
    void OnTimer();
    // What each tick of timer 1 runs: OnTimer, with its errors shown.
    void HandleTimerMessage();
    void OnContextHelp();

    // Component events, through the table of component events.
    void OnComponentEvent(int controlId, DispId event, std::span<Variant> args) override;

    void ShowStatus(const std::string& text) override;
    void BindSkinControls();

    // What the window holds, for the other parts of the program.
    ITimer& Timer1() { return m_timer1; }
    ProcessValues& Values() { return m_services.values; }
    IMainSettings& Settings() { return m_services.settings; }
    IMessageBoxes& MessageBoxes() { return m_services.boxes; }
    // Window-message handlers run through this: errors in one stop box.
    ErrorReport& Errors() { return m_errors; }
    CFtpClient& Ftp() { return m_ftp; }
    CXVideoCtlx& Video() { return m_video; }
    CSkinLabel& StatusLine() { return m_statusLine; }
    CSkinForm& SkinFormControl() { return m_skinForm; }
    CLinkLabel* LinkLabel() const { return m_linkLabel; }
    QProgressBar* ProgressBar() const { return m_progress; }
    QMenu* SystemMenu() const { return m_systemMenu; }
    CHelp& Help() { return m_help; }
    HelpWindow* HelpWindowShown() const { return m_helpViewer.window(); }

    // The created controls, in the order of creation.
    const std::vector<int>& CreationOrder() const { return m_creationOrder; }
    Component* HostedComponent(int id) const;
    QWidget* ControlWidget(int id) const;

signals:
    // Each text put into the status line, as it is put; the line itself
    // keeps only the last.
    void StatusShown(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool CreateControls();
    void DoDataExchange();
    void OnInitDialog();
    void BuildSystemMenu();
    void WireEvents();
    void DefaultSysCommand(unsigned command);
    void RunCommand(const std::function<void()>& command) const;

    Services m_services;
    ErrorReport m_errors;
    Commands m_commands;
    std::vector<int> m_creationOrder;
    std::map<int, std::unique_ptr<Component>> m_components;
    std::map<int, QWidget*> m_widgets;

    CFtpClient m_ftp;
    CXVideoCtlx m_video;
    CSkinLabel m_statusLine;
    CSkinForm m_skinForm;
    QProgressBar* m_progress = nullptr;
    CLinkLabel* m_linkLabel = nullptr;
    QMenu* m_systemMenu = nullptr;

    EventTable m_events;
    VideoCommands m_videoCommands;
    QtHelpViewer m_helpViewer;
    CHelp m_help;
    WindowTimer m_timer1;
    QIcon m_icon; // loaded at construction, set at initialisation
    bool m_created = false;
};
