#pragma once

#include "CorvalenConfig.h"

#include <functional>
#include <string>

class CaptureCycle;
class CFtpClient;
class IMainSettings;
class IStatusLine;
class ITimer;
struct ProcessValues;

// The schedule: Start runs a pass at once, and a per-second countdown on
// timer 1 runs the next pass each time it passes the capture interval.
class Schedule {
public:
    // The first-start enrolment of a user without an account. Returns
    // whether Start may go on; false when enrolment gave up (the window is
    // then closing).
    using EnrolmentBranch = std::function<bool()>;

    struct Parts {
        CaptureCycle& cycle;
        IMainSettings& settings;
        CFtpClient& ftp;
        IStatusLine& status;
        ITimer& timer; // timer 1
        ProcessValues& values;
        EnrolmentBranch enrol;                    // may be empty: nothing to enrol yet
        std::string host = CORVALEN_SERVICE_HOST; // the service host Start connects to
    };

    explicit Schedule(Parts parts);

    // The Start button. Raises what ends the first pass early (the timer
    // runs again by then); a settings file that cannot be read is reported
    // in the status line instead and stops the countdown.
    void OnStart();
    // A tick of timer 1; the identifier is not examined. Raises what ends a
    // scheduled pass early (the countdown restarts from the full interval).
    void OnTimer(int nIDEvent = 1);

    static bool NeedsEnrolment(const std::string& accountId);

private:
    Parts m_parts;
};
