#include "app/ControllerApp.h"

#include "app/ControllerDlg.h"
#include "app/ProgramCommands.h"
#include "platform/QtMessageBoxes.h"
#include "settings/MainSettings.h"

#include <QApplication>

CControllerApp::CControllerApp(int& argc, char** argv, ComponentRegistry registry,
                               std::unique_ptr<IMainSettings> settings,
                               std::unique_ptr<IMessageBoxes> boxes)
    : m_registry(std::move(registry))
    , m_settings(std::move(settings))
    , m_boxes(std::move(boxes)) {
    if (!QCoreApplication::instance())
        m_qtApp = std::make_unique<QApplication>(argc, argv);
    if (!m_settings)
        m_settings = std::make_unique<MainSettings>(m_values);
    if (!m_boxes) {
        auto qtBoxes = std::make_unique<QtMessageBoxes>();
        m_qtBoxes = qtBoxes.get();
        m_boxes = std::move(qtBoxes);
    }
}

CControllerApp::~CControllerApp() = default;

int CControllerApp::InitInstance() {
    CControllerDlg dlg({m_registry, m_values, *m_settings, *m_boxes});
    if (m_qtBoxes)
        m_qtBoxes->SetOwner(&dlg);
    ProgramCommands commands(dlg);
    if (m_windowSetup)
        m_windowSetup(dlg);
    dlg.DoModal();
    if (m_qtBoxes)
        m_qtBoxes->SetOwner(nullptr);
    return 0;
}
