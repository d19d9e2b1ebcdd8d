#include "app/ProgramCommands.h"

#include "app/ControllerDlg.h"
#include "app/DialogTemplates.h"
#include "platform/MessageBoxes.h"
#include "settings/CSetupDlg.h"

#include <exception>

ProgramCommands::ProgramCommands(CControllerDlg& dlg, Options options)
    : m_dlg(dlg)
    , m_options(std::move(options))
    , m_chooser(&dlg)
    , m_cycle({dlg.Video(), dlg.Ftp(), dlg.Settings(), dlg, dlg.Timer1(), dlg.Values(), m_clock})
    , m_schedule({m_cycle, dlg.Settings(), dlg.Ftp(), dlg, dlg.Timer1(), dlg.Values(), nullptr,
                  m_options.serviceHost}) {
    dlg.SetCommands({
        .start = [this] { OnStart(); },
        .timer = [this] { OnTimer(); },
        .settings = [this] { OnSettings(); },
        .skin = nullptr,
    });
}

void ProgramCommands::OnStart() {
    const int passesBefore = m_cycle.PassesBegun();
    try {
        m_schedule.OnStart();
    } catch (...) {
        ShowLastPass();
        if (m_cycle.PassesBegun() == passesBefore)
            throw; // back to the button, as a click's errors always go
        // A pass that ends by an error keeps the countdown running; the user
        // hears of it as from a scheduled pass, in one stop box.
        m_dlg.Errors().Run([error = std::current_exception()] { std::rethrow_exception(error); });
        return;
    }
    ShowLastPass();
}

void ProgramCommands::OnTimer() {
    try {
        m_schedule.OnTimer(1);
    } catch (...) {
        ShowLastPass();
        throw; // the window reports it
    }
    ShowLastPass();
}

void ProgramCommands::OnSettings() {
    if (CSetupDlg::RunSettingsCommand(&m_dlg, m_dlg, m_dlg.Values(), m_dlg.MessageBoxes(),
                                      m_chooser, m_options.folder) == IDOK)
        m_dlg.QDialog::accept(); // the timer ends with the window
}

void ProgramCommands::ShowLastPass() {
    // The countdown overwrites the status texts every second; the tooltip
    // keeps how the last pass went.
    if (QWidget* status = m_dlg.ControlWidget(ControlIds::kStatusLine))
        status->setToolTip(QString::fromLocal8Bit(m_cycle.LastPassText()));
}
