#include "app/ControllerDlg.h"

#include "app/AboutDlg.h"
#include "app/AppIcon.h"
#include "app/DialogTemplates.h"
#include "app/ErrorReport.h"
#include "app/TransferProgress.h"
#include "components/ComponentError.h"
#include "controls/LinkLabel.h"
#include "platform/DialogUnits.h"
#include "skins/SkinInterfaces.h"
#include "skins/StoredProperties.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QProgressBar>
#include <QScreen>
#include <algorithm>

using namespace ControlIds;

namespace {

// System commands of the default processing (the Windows SC_ values).
constexpr unsigned SC_MINIMIZE = 0xF020;
constexpr unsigned SC_MAXIMIZE = 0xF030;
constexpr unsigned SC_CLOSE = 0xF060;
constexpr unsigned SC_RESTORE = 0xF120;

constexpr int kTimer1PeriodMs = 1000;

// The bar as a Windows progress bar behaves: a position outside the range
// shows the nearer end (QProgressBar would ignore it and keep the old one).
class ProgressBarControl : public IProgressBar {
public:
    explicit ProgressBarControl(QProgressBar& bar)
        : m_bar(bar) {}
    void SetRange(int lower, int upper) override { m_bar.setRange(lower, upper); }
    void SetPos(int pos) override {
        m_bar.setValue(std::clamp(pos, m_bar.minimum(), m_bar.maximum()));
    }

private:
    QProgressBar& m_bar;
};

} // namespace

CControllerDlg::CControllerDlg(Services services)
    : QDialog(nullptr)
    , m_services(std::move(services))
    , m_errors(m_services.boxes)
    , m_videoCommands(m_video, [this] { repaint(); })
    , m_helpViewer(this)
    , m_help(m_services.programPath.empty()
                 ? QCoreApplication::applicationFilePath().toLocal8Bit().toStdString()
                 : m_services.programPath,
             m_helpViewer, m_services.boxes)
    , m_timer1([this] { HandleTimerMessage(); })
    , m_icon(ApplicationIcon()) {
    WireEvents();
}

CControllerDlg::~CControllerDlg() {
    m_timer1.Stop();
    // The components go before the window, each leaving its parent cleanly.
    m_widgets.clear();
    m_components.clear();
}

bool CControllerDlg::Create() {
    if (m_created)
        return true;
    if (!CreateControls()) {
        m_widgets.clear();
        m_components.clear();
        m_creationOrder.clear();
        delete m_progress;
        m_progress = nullptr;
        delete m_linkLabel;
        m_linkLabel = nullptr;
        return false;
    }
    m_created = true;
    DoDataExchange();
    m_errors.Run([this] { OnInitDialog(); });
    return true;
}

int CControllerDlg::DoModal() {
    if (!Create())
        return -1;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    return exec();
}

bool CControllerDlg::CreateControls() {
    const DialogTemplate& t = MainWindowTemplate();
    setWindowTitle(QString::fromLocal8Bit(t.caption));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setFont(DialogFont(QString::fromLocal8Bit(t.fontName), t.fontPoints));
    const DialogUnits du(font());
    resize(du.X(t.width), du.Y(t.height));

    for (const ControlTemplate& c : t.controls) {
        const QRect rect = du.ToPixels(c.left, c.top, c.width, c.height);
        QWidget* widget = nullptr;
        switch (c.kind) {
        case ControlKind::Hosted: {
            std::unique_ptr<Component> component;
            try {
                component = m_services.registry.Create(*c.clsid);
                if (c.caption)
                    component->LoadProperties(StoredProperties::CaptionAndFont(*c.caption));
            } catch (...) {
                // A control that cannot be created abandons the whole window.
                return false;
            }
            component->Advise(this, c.id);
            widget = dynamic_cast<QWidget*>(component.get());
            m_components[c.id] = std::move(component);
            break;
        }
        case ControlKind::ProgressBar:
            m_progress = new QProgressBar(this);
            m_progress->setRange(0, 100);
            m_progress->setValue(0);
            m_progress->setTextVisible(false);
            widget = m_progress;
            break;
        case ControlKind::StaticText:
            m_linkLabel = new CLinkLabel(this);
            m_linkLabel->SetAddress(c.caption.value_or(std::string()));
            widget = m_linkLabel;
            break;
        case ControlKind::PushButton:
            break;
        }
        m_creationOrder.push_back(c.id);
        if (!widget)
            continue;
        widget->setParent(this);
        widget->setGeometry(rect);
        if (c.tabStop)
            widget->setFocusPolicy(Qt::StrongFocus);
        else if (widget->focusPolicy() & Qt::TabFocus)
            widget->setFocusPolicy(Qt::ClickFocus);
        widget->show();
        m_widgets[c.id] = widget;
    }
    return true;
}

void CControllerDlg::DoDataExchange() {
    // Binding only: no value moves either way.
    m_ftp.Attach(HostedComponent(kFtp));
    m_video.Attach(HostedComponent(kVideo));
    m_statusLine.Attach(HostedComponent(kStatusLine));
    m_skinForm.Attach(HostedComponent(kSkinForm));
}

void CControllerDlg::OnInitDialog() {
    BuildSystemMenu();
    setWindowIcon(m_icon);
    m_services.settings.LoadSettings();
    m_skinForm.SetSkinFile(m_services.settings.Record().skinFile);
    BindSkinControls();
    m_video.SetConnected(true);
    m_video.SetStreaming(true);
    // The keyboard focus goes to the first control that takes it.
    for (int id : m_creationOrder)
        if (QWidget* w = ControlWidget(id); w && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus();
            break;
        }
}

void CControllerDlg::BuildSystemMenu() {
    m_systemMenu = new QMenu(this);
    const auto add = [this](const QString& text, unsigned command) {
        QAction* action = m_systemMenu->addAction(text);
        action->setData(command);
        connect(action, &QAction::triggered, this,
                [this, command] { m_errors.Run([this, command] { OnSysCommand(command); }); });
    };
    add(tr("&Restore"), SC_RESTORE);
    add(tr("Mi&nimize"), SC_MINIMIZE);
    add(tr("Ma&ximize"), SC_MAXIMIZE);
    m_systemMenu->addSeparator();
    add(tr("&Close"), SC_CLOSE);
    const std::string about = m_services.strings.Load(Resources::IDS_ABOUTBOX);
    if (!about.empty()) {
        m_systemMenu->addSeparator();
        add(QString::fromLocal8Bit(about), Resources::IDM_ABOUTBOX);
    }
}

void CControllerDlg::WireEvents() {
    m_events.On(kFtp, CFtpClient::kTransferProgress, [this](std::span<Variant> args) {
        if (!m_progress)
            return;
        ProgressBarControl bar(*m_progress);
        ShowTransferProgress(bar, args);
    });
    const auto click = [this](int id, std::function<void()> handler) {
        m_events.On(id, CSkinButton::kClick,
                    [handler = std::move(handler)](std::span<Variant>) { handler(); });
    };
    click(kStart, [this] { RunCommand(m_commands.start); });
    click(kVideoConnect, [this] { m_videoCommands.OnVideoConnect(); });
    click(kSettings, [this] { RunCommand(m_commands.settings); });
    click(kSource, [this] { m_videoCommands.OnSource(); });
    click(kFormat, [this] { m_videoCommands.OnFormat(); });
    click(kCompression, [this] { m_videoCommands.OnCompression(); });
    click(kShowHide, [this] { m_videoCommands.OnShowHide(); });
    click(kSkin, [this] { RunCommand(m_commands.skin); });
    click(kHelp, [this] { m_help.WinHelp(0, CHelp::HELP_CONTENTS); });
    // The skin form's events and the video component's event 1 have no
    // entry: they are received and ignored.
}

void CControllerDlg::RunCommand(const std::function<void()>& command) const {
    if (command)
        command();
}

void CControllerDlg::OnComponentEvent(int controlId, DispId event, std::span<Variant> args) {
    m_events.Dispatch(controlId, event, args);
}

void CControllerDlg::OnSysCommand(unsigned command) {
    if ((command & 0xFFF0) == Resources::IDM_ABOUTBOX) {
        CAboutDlg about(this, [this](int templateId) { m_help.ContextHelp(templateId); });
        about.exec();
        return;
    }
    DefaultSysCommand(command);
}

void CControllerDlg::DefaultSysCommand(unsigned command) {
    switch (command & 0xFFF0) {
    case SC_CLOSE:
        close();
        break;
    case SC_MINIMIZE:
        showMinimized();
        break;
    case SC_MAXIMIZE:
        showMaximized();
        break;
    case SC_RESTORE:
        showNormal();
        break;
    default:
        break;
    }
}

void CControllerDlg::OnOK() {
    m_timer1.Stop();
    QDialog::accept();
}

void CControllerDlg::OnTimer() {
    RunCommand(m_commands.timer);
}

void CControllerDlg::HandleTimerMessage() {
    m_errors.Run([this] { OnTimer(); });
}

void CControllerDlg::OnContextHelp() {
    m_help.ContextHelp(Resources::IDD_CONTROLLER_DIALOG);
}

void CControllerDlg::ShowStatus(const std::string& text) {
    m_statusLine.SetCaption(text);
    emit StatusShown(QString::fromLocal8Bit(text));
}

void CControllerDlg::BindSkinControls() {
    ISkinForm* form = Query<ISkinForm>(HostedComponent(kSkinForm));
    for (int id : {kSettings, kSource, kFormat, kCompression, kShowHide, kStart, kSkin,
                   kVideoConnect, kHelp}) {
        ISkinButton* button = Query<ISkinButton>(HostedComponent(id));
        if (!button)
            throw ComponentError(ComponentError::InvalidPointer,
                                 "skin button " + std::to_string(id) + " has no skin interface");
        button->BindForm(form, 0);
    }
    ISkinLabel* label = Query<ISkinLabel>(HostedComponent(kStatusLine));
    if (!label)
        throw ComponentError(ComponentError::InvalidPointer,
                             "the status line has no skin interface");
    label->BindForm(form, 0);
}

Component* CControllerDlg::HostedComponent(int id) const {
    auto it = m_components.find(id);
    return it == m_components.end() ? nullptr : it->second.get();
}

QWidget* CControllerDlg::ControlWidget(int id) const {
    auto it = m_widgets.find(id);
    return it == m_widgets.end() ? nullptr : it->second;
}

void CControllerDlg::keyPressEvent(QKeyEvent* event) {
    const bool plain =
        !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_errors.Run([this] { OnOK(); });
        return;
    case Qt::Key_F1:
        if (plain) {
            m_errors.Run([this] { OnContextHelp(); });
            return;
        }
        break;
    default:
        break;
    }
    QDialog::keyPressEvent(event); // Escape: the Cancel command
}

void CControllerDlg::contextMenuEvent(QContextMenuEvent* event) {
    if (m_systemMenu)
        m_systemMenu->exec(event->globalPos());
}
