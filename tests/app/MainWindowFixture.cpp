#include "MainWindowFixture.h"

#include "components/ClassIds.h"
#include "skins/SkinComponents.h"

#include <QApplication>
#include <QDialog>
#include <QLinearGradient>
#include <QPainter>
#include <QTimer>

FakeVideoWidget::FakeVideoWidget(CallLog* log)
    : RecordingComponent("video", log) {
    // The device dialogs answer as the real component does; the picture
    // starts shown.
    for (DispId dialog : {28, 29, 45})
        SetResult(dialog, CallKind::Method, Variant::Bool(true));
    auto shown = std::make_shared<bool>(true);
    SetScript(17, CallKind::PropertyGet, [shown](auto) { return Variant::Bool(*shown); });
    SetScript(17, CallKind::PropertyPut, [shown](std::span<const Variant> args) {
        *shown = args[0].toBool();
        return Variant();
    });
}

void FakeVideoWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(rect().topLeft(), rect().bottomRight());
    g.setColorAt(0, QColor(40, 90, 160));
    g.setColorAt(1, QColor(200, 220, 240));
    p.fillRect(rect(), g);
    p.setPen(Qt::white);
    p.drawText(rect(), Qt::AlignCenter, QStringLiteral("video"));
}

void FakeSettings::LoadSettings() {
    if (m_log)
        m_log->Add("settings.load");
    if (failLoad)
        failLoad();
    record = fileContents;
}

void FakeSettings::SaveSettings() {
    saved = true;
    if (m_log)
        m_log->Add("settings.save");
}

MainWindowWorld::MainWindowWorld() {
    RegisterSkinComponents(registry);
    registry.Register(ClassIds::FtpClient, [this] {
        auto c = std::make_unique<RecordingComponent>("ftp", &log);
        ftp = c.get();
        return c;
    });
    registry.Register(ClassIds::VideoCapture, [this] {
        auto c = std::make_unique<FakeVideoWidget>(&log);
        video = c.get();
        return c;
    });
}

std::unique_ptr<CControllerDlg> MainWindowWorld::MakeWindow(const StringTable& strings,
                                                            std::string programPath) {
    return std::make_unique<CControllerDlg>(
        CControllerDlg::Services{registry, values, settings, boxes, strings, programPath});
}

void ModalCloser::Arm() {
    m_title.clear();
    QTimer::singleShot(0, [this] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            m_title = modal->windowTitle().toStdString();
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
        }
    });
}
