#include "capture/Schedule.h"

#include "app/ProcessValues.h"
#include "capture/CaptureCycle.h"
#include "components/CFtpClient.h"
#include "platform/FileError.h"
#include "platform/StatusLine.h"
#include "platform/Timer.h"
#include "settings/SettingsRecord.h"

#include <limits>

Schedule::Schedule(Parts parts)
    : m_parts(std::move(parts)) {}

bool Schedule::NeedsEnrolment(const std::string& accountId) {
    // An empty ID would publish as ".jpg"; it enrols just as the
    // placeholder name does. The comparison is exact: "unregistered" is a
    // name like any other.
    return accountId.empty() || accountId == CaptureCycle::kUnregistered;
}

void Schedule::OnStart() {
    // A click that reaches us from a nested event loop during a pass must not
    // reload the settings or move the host under the running transfers.
    if (m_parts.cycle.IsRunning())
        return;

    m_parts.timer.Start(CaptureCycle::kTimerPeriodMs);
    try {
        m_parts.settings.LoadSettings();
    } catch (const FileError& e) {
        // Publishing on settings that could not be read would send a page
        // file of empty values; wait for the user to mend the file instead.
        m_parts.timer.Stop();
        m_parts.status.ShowStatus(e.what());
        return;
    }
    m_parts.cycle.ComputeInterval();

    if (NeedsEnrolment(m_parts.settings.Record().accountId) && m_parts.enrol && !m_parts.enrol()) {
        // Enrolment gave up and the window is closing: a pass now would
        // publish under the shared placeholder name.
        m_parts.timer.Stop();
        return;
    }

    m_parts.ftp.SetHostName(m_parts.host);
    m_parts.cycle.CaptureAndPublish();
}

void Schedule::OnTimer(int /*nIDEvent*/) {
    ProcessValues& v = m_parts.values;
    m_parts.status.ShowStatus("Timer");
    if (v.g_nElapsed < std::numeric_limits<int32_t>::max())
        ++v.g_nElapsed;
    const int64_t left = int64_t{v.g_nInterval} - v.g_nElapsed;
    m_parts.status.ShowStatus("Seconds until next capture..." + std::to_string(left));
    // A tick can arrive during a pass (the timer runs again after a failed
    // fetch, and a transfer lets events through): it counts, but a second
    // pass must not start inside the first.
    if (v.g_nElapsed <= v.g_nInterval || m_parts.cycle.IsRunning())
        return;
    try {
        m_parts.cycle.CaptureAndPublish();
    } catch (...) {
        // The pass restarted the timer; count the retry from a full
        // interval rather than starting a pass on every tick.
        v.g_nElapsed = 0;
        throw;
    }
    v.g_nElapsed = 0;
}
