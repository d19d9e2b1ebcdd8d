#pragma once

#include "capture/PassReport.h"

#include <string>

class CFtpClient;
class CXVideoCtlx;
class IClock;
class IMainSettings;
class IStatusLine;
class ITimer;
struct ProcessValues;

// The capture-and-publish cycle: one pass captures a still image, connects to
// the service host, fetches the server parameter file, sends the image and
// the page file (the settings file) under the account ID and disconnects,
// reporting each stage in the status line.
//
// A failed transfer does not end the pass: it is reported and the pass goes
// on. Any other failure ends the pass and reaches the caller, but the
// countdown keeps running so that the next pass retries.
class CaptureCycle {
public:
    struct Parts {
        CXVideoCtlx& video;
        CFtpClient& ftp;
        IMainSettings& settings;
        IStatusLine& status;
        ITimer& timer; // timer 1
        ProcessValues& values;
        const IClock& clock;
    };

    explicit CaptureCycle(const Parts& parts);

    // One pass. Does nothing while a pass runs already (a tick or Start can
    // arrive from a nested event loop during a transfer). Raises what ends
    // the pass early, after restarting timer 1.
    void CaptureAndPublish();
    // Sets g_nInterval from the refresh rate and the local "Corv2.ini".
    void ComputeInterval();

    bool IsRunning() const { return m_running; }
    // Passes begun in this run, so a caller can tell whether an error it
    // caught came out of a pass.
    int PassesBegun() const { return m_passesBegun; }
    const PassReport& LastPass() const { return m_report; }
    // The status line's tooltip.
    std::string LastPassText() const { return m_report.Text(); }

    static constexpr int kTimerPeriodMs = 1000;
    static constexpr const char* kCapturedImage = "Corvalen.jpg";
    static constexpr const char* kSentImage = "corvalen.jpg";
    static constexpr const char* kSettingsFile = "tamblix.ini";
    static constexpr const char* kUnregistered = "Unregistered";

private:
    void RunPass();
    void CaptureImage();
    void FetchServerParams();
    void SendImage();
    void SendPageFile();
    // One guarded send under the account ID; `sendingText` is shown once the
    // names are set, `failedText` when the send fails or is skipped.
    void Send(const char* localFile, const char* remoteSuffix, const char* sendingText,
              const char* failedText, PassReport::Step step);
    // Runs one guarded transfer step; false when it raised (the error itself
    // tells the user nothing the status text does not).
    template <typename Step>
    bool Guarded(Step&& step);
    const std::string& AccountId() const;

    Parts m_parts;
    PassReport m_report;
    bool m_running = false;
    int m_passesBegun = 0;
};
