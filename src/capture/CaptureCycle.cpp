#include "capture/CaptureCycle.h"

#include "app/ProcessValues.h"
#include "capture/IntervalRule.h"
#include "capture/ServerParams.h"
#include "components/CFtpClient.h"
#include "components/CXVideoCtlx.h"
#include "platform/Clock.h"
#include "platform/StatusLine.h"
#include "platform/Timer.h"
#include "settings/SettingsRecord.h"

#include <exception>
#include <limits>
#include <stdexcept>

namespace {

constexpr int32_t kJpegQuality = 100;
constexpr int16_t kOptionValue = 60;

// Clears the running flag however the pass ends.
class RunningFlag {
public:
    explicit RunningFlag(bool& flag)
        : m_flag(flag) {
        m_flag = true;
    }
    ~RunningFlag() { m_flag = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& m_flag;
};

std::string ErrorText(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return {};
    }
}

} // namespace

CaptureCycle::CaptureCycle(const Parts& parts)
    : m_parts(parts) {}

const std::string& CaptureCycle::AccountId() const {
    return m_parts.settings.Record().accountId;
}

template <typename Step>
bool CaptureCycle::Guarded(Step&& step) {
    try {
        step();
        return true;
    } catch (...) {
        return false;
    }
}

void CaptureCycle::CaptureAndPublish() {
    if (m_running)
        return;
    RunningFlag running(m_running);
    ++m_passesBegun;
    m_report.Begin();
    try {
        RunPass();
    } catch (...) {
        // Keep the schedule alive: the next pass retries. The window reports
        // the error; the timer must run before it does, as its box may stay
        // open for a long time.
        const std::exception_ptr error = std::current_exception();
        m_report.Stopped(ErrorText(error));
        m_report.End(m_parts.clock.NowSeconds());
        m_parts.timer.Start(kTimerPeriodMs);
        std::rethrow_exception(error);
    }
    m_report.End(m_parts.clock.NowSeconds());
}

void CaptureCycle::RunPass() {
    m_parts.timer.Stop();
    m_parts.status.ShowStatus("Capturing...");
    CaptureImage();

    int32_t& count = m_parts.values.g_nImageCount;
    if (count < std::numeric_limits<int32_t>::max())
        ++count;

    m_parts.ftp.SetOptionFlag(true);
    m_parts.ftp.SetOptionValue(kOptionValue);
    const bool connected = Guarded([this] {
        if (!m_parts.ftp.GetConnected())
            m_parts.ftp.Connect();
    });
    if (!connected) {
        m_parts.status.ShowStatus("Unable to connect...");
        m_report.Failed(PassReport::Step::Connect);
        ComputeInterval();
    }

    m_parts.status.ShowStatus("Sending To Web...");
    m_parts.settings.Record().ipText = m_parts.ftp.GetIPAddress();
    FetchServerParams();
    SendImage();
    m_parts.settings.SaveSettings();
    SendPageFile();

    m_parts.status.ShowStatus("Completed...");
    m_parts.ftp.Disconnect();
    m_parts.status.ShowStatus(std::to_string(count));
    m_parts.timer.Start(kTimerPeriodMs);
}

void CaptureCycle::CaptureImage() {
    m_parts.status.ShowStatus("Capturing...");
    m_parts.video.SaveJpeg(kCapturedImage, kJpegQuality);
    m_parts.status.ShowStatus("Done...");
    m_parts.video.SetFreshFrame(true);
}

void CaptureCycle::FetchServerParams() {
    if (AccountId() == kUnregistered)
        m_parts.status.ShowStatus("Click Register ...");
    m_parts.ftp.SetLocalFile(ServerParams::kLocalName);
    m_parts.ftp.SetRemoteFile(ServerParams::kRemoteName);
    if (Guarded([this] { m_parts.ftp.SetTransferAction(CFtpClient::kFetch); })) {
        ComputeInterval();
        return;
    }
    m_parts.status.ShowStatus("Error getting ini ...");
    m_report.Failed(PassReport::Step::Fetch);
    m_parts.timer.Start(kTimerPeriodMs);
}

void CaptureCycle::SendImage() {
    Send(kSentImage, ".jpg", nullptr, "Unable to send jpeg...", PassReport::Step::SendImage);
}

void CaptureCycle::SendPageFile() {
    Send(kSettingsFile, ".log", "Sending To Web...", "Unable to send log...",
         PassReport::Step::SendLog);
}

void CaptureCycle::Send(const char* localFile, const char* remoteSuffix, const char* sendingText,
                        const char* failedText, PassReport::Step step) {
    // Never publish under an empty name: the file would land as ".jpg" or
    // ".log", shared by every user without an account.
    const bool haveAccount = !AccountId().empty();
    if (haveAccount) {
        m_parts.ftp.SetLocalFile(localFile);
        m_parts.ftp.SetRemoteFile(AccountId() + remoteSuffix);
    }
    if (sendingText)
        m_parts.status.ShowStatus(sendingText);
    if (haveAccount && Guarded([this] { m_parts.ftp.SetTransferAction(CFtpClient::kSend); }))
        return;
    m_parts.status.ShowStatus(failedText);
    m_report.Failed(step, !haveAccount);
    ComputeInterval();
}

void CaptureCycle::ComputeInterval() {
    m_parts.values.g_nInterval =
        IntervalSeconds(m_parts.settings.Record().refreshRate,
                        ServerParams::ReadRefreshValue(ServerParams::kLocalName));
}
