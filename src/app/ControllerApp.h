#pragma once

#include "app/ProcessValues.h"
#include "components/ComponentRegistry.h"
#include "platform/MessageBoxes.h"
#include "settings/SettingsRecord.h"

#include <functional>
#include <memory>

class CControllerDlg;
class QApplication;
class QtMessageBoxes;

// The application: it owns what lives for the whole run and runs the main
// window modally; when the window closes, the application ends.
class CControllerApp {
public:
    // Makes the QApplication unless the process has one already.
    CControllerApp(int& argc, char** argv, ComponentRegistry registry,
                   std::unique_ptr<IMainSettings> settings = nullptr,
                   std::unique_ptr<IMessageBoxes> boxes = nullptr);
    ~CControllerApp();

    // Lets the other parts of the program connect their commands to the
    // window before it runs.
    void SetWindowSetup(std::function<void(CControllerDlg&)> setup) {
        m_windowSetup = std::move(setup);
    }

    // Creates and runs the main window. The window's result is not used: the
    // answer is always "do not run a message loop of our own", i.e. the
    // process ends with 0.
    int InitInstance();

    ProcessValues& Values() { return m_values; }

private:
    std::unique_ptr<QApplication> m_qtApp;
    ProcessValues m_values;
    ComponentRegistry m_registry;
    std::unique_ptr<IMainSettings> m_settings;
    std::unique_ptr<IMessageBoxes> m_boxes;
    QtMessageBoxes* m_qtBoxes = nullptr; // m_boxes when they are ours
    std::function<void(CControllerDlg&)> m_windowSetup;
};
