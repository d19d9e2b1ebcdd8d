#pragma once

#include "capture/CaptureCycle.h"
#include "capture/Schedule.h"
#include "platform/Clock.h"
#include "platform/QtFileChooser.h"

#include <string>

class CControllerDlg;

// Connects the main window's commands to the subsystems that carry them out:
// Start and timer 1 to the schedule and the capture cycle, Settings to the
// Setup dialog. It lives as long as the window's run.
class ProgramCommands {
public:
    struct Options {
        std::string serviceHost = CORVALEN_SERVICE_HOST;
        std::string folder = "."; // where "tamblix.ini" lives
    };

    explicit ProgramCommands(CControllerDlg& dlg)
        : ProgramCommands(dlg, Options{}) {}
    ProgramCommands(CControllerDlg& dlg, Options options);

    CaptureCycle& Cycle() { return m_cycle; }
    Schedule& TheSchedule() { return m_schedule; }

private:
    void OnStart();
    void OnTimer();
    void OnSettings();
    void ShowLastPass();

    CControllerDlg& m_dlg;
    Options m_options;
    SystemClock m_clock;
    QtFileChooser m_chooser;
    CaptureCycle m_cycle;
    Schedule m_schedule;
};
