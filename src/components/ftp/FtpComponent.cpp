#include "components/ftp/FtpComponent.h"

#include "CorvalenConfig.h"
#include "components/CFtpClient.h"
#include "components/ClassIds.h"
#include "components/ComponentError.h"
#include "components/ComponentRegistry.h"
#include "platform/FileNames.h"

#include <algorithm>
#include <curl/curl.h>
#include <limits>

const int FtpComponent::kDefaultPort = CORVALEN_FTP_PORT;

namespace {

// Remote names go into raw FTP commands: a line break would smuggle in a
// command of its own, and a "/" would leave the folder the page lives in.
void CheckRemoteName(const std::string& name) {
    if (name.empty())
        throw ComponentError(ComponentError::Failed, "no remote file name");
    if (name.find_first_of(std::string("\r\n/\0", 4)) != std::string::npos)
        throw ComponentError(ComponentError::Failed, "invalid remote file name: " + name);
}

void CheckLocalName(const std::string& name) {
    if (name.empty())
        throw ComponentError(ComponentError::Failed, "no local file name");
    if (name.find('\0') != std::string::npos)
        throw ComponentError(ComponentError::Failed, "invalid local file name");
}

// A non-zero 16-bit status for a failed GetFile or DeleteFile: the server's
// refusal when there was one, libcurl's error otherwise.
int16_t StatusOf(const FtpError& e) {
    if (e.replyCode() >= 400)
        return static_cast<int16_t>(e.replyCode());
    return static_cast<int16_t>(e.curlCode() != 0 ? e.curlCode() : 1);
}

int32_t Clamp32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, 0, std::numeric_limits<int32_t>::max()));
}

class BusyGuard {
public:
    explicit BusyGuard(bool& busy)
        : m_busy(busy) {
        if (m_busy)
            throw ComponentError(ComponentError::Failed,
                                 "the file transfer component is busy with another call");
        m_busy = true;
    }
    ~BusyGuard() { m_busy = false; }

private:
    bool& m_busy;
};

} // namespace

FtpComponent::FtpComponent(int port)
    : m_port(port) {
    using Ids = CFtpClient::DispIds;
    m_table.Put(Ids::kTransferAction, [this](int16_t action) { Transfer(action); });
    m_table.Put(Ids::kOptionFlag, [this](bool passive) { m_passive = passive; });
    m_table.Put(Ids::kHostName, [this](std::string host) { m_host = std::move(host); });
    m_table.Put(Ids::kLocalFile, [this](std::string name) { m_localFile = std::move(name); });
    m_table.Put(Ids::kRemoteFile, [this](std::string name) { m_remoteFile = std::move(name); });
    m_table.Put(Ids::kOptionValue,
                [this](int16_t seconds) { m_timeoutSeconds = seconds > 0 ? seconds : 60; });
    m_table.Get(Ids::kConnected, [this] { return Connected(); });
    m_table.Get(Ids::kIPAddress, [this] { return IPAddress(); });
    m_table.Method(Ids::kConnect, [this] { return Connect(); });
    m_table.Method(Ids::kDisconnect, [this] { return Disconnect(); });
    m_table.Method(Ids::kGetFile, [this](std::string local, std::string remote) {
        return GetFile(local, remote);
    });
    m_table.Method(Ids::kDeleteFile, [this](std::string remote) { return DeleteFile(remote); });
}

FtpComponent::~FtpComponent() = default;

Variant FtpComponent::Invoke(DispId id, CallKind kind, std::span<const Variant> args) {
    BusyGuard guard(m_busy);
    try {
        return m_table.Invoke(id, kind, args);
    } catch (const FtpError& e) {
        throw ComponentError(e.timedOut() ? ComponentError::Timeout : ComponentError::Failed,
                             e.what());
    }
}

void FtpComponent::RunQuiet(const std::function<void()>& work) {
    m_wait.Run([&](const LiveWait::Post&) { work(); });
}

void FtpComponent::RunTransfer(const std::function<void(const FtpProgress&)>& work) {
    m_lastPercent = -1;
    FireProgress(0, 0, 0);
    try {
        m_wait.Run([&](const LiveWait::Post& post) {
            int shown = 0; // worker side: only changes travel
            const FtpProgress progress = [&](int64_t done, int64_t total) {
                if (total <= 0)
                    return;
                const int percent = static_cast<int>(std::min<int64_t>(done * 100 / total, 100));
                if (percent <= shown)
                    return;
                shown = percent;
                const int32_t d = Clamp32(done), t = Clamp32(total);
                post([this, d, t, percent] { FireProgress(d, t, static_cast<int16_t>(percent)); });
            };
            work(progress);
        });
    } catch (...) {
        // The host's display resets at 100; a failed transfer must not leave
        // it standing half-way. The failure itself is raised.
        if (m_lastPercent != 100)
            FireProgress(0, 0, 100);
        throw;
    }
    if (m_lastPercent != 100)
        FireProgress(0, 0, 100);
}

void FtpComponent::FireProgress(int32_t done, int32_t total, int16_t percent) {
    if (percent <= m_lastPercent)
        return;
    m_lastPercent = percent;
    Variant args[] = {Variant::Int32(done), Variant::Int32(total), Variant::Int16(percent)};
    FireEvent(CFtpClient::kTransferProgress, args);
}

int16_t FtpComponent::Connect() {
    if (m_host.empty())
        throw ComponentError(ComponentError::Failed, "no host name to connect to");
    const FtpEndpoint endpoint{m_host, m_port, m_passive, m_timeoutSeconds};
    m_send.Reset();
    RunQuiet([&] { m_session.Connect(endpoint); });
    return 0;
}

int16_t FtpComponent::Disconnect() {
    RunQuiet([&] { m_session.Quit(); });
    m_send.Reset();
    return 0;
}

bool FtpComponent::Connected() const {
    return m_session.IsConnected();
}

std::string FtpComponent::IPAddress() const {
    return m_session.IsConnected() ? m_session.localAddress() : std::string();
}

void FtpComponent::Transfer(int16_t action) {
    if (action != CFtpClient::kFetch && action != CFtpClient::kSend)
        throw ComponentError(ComponentError::Failed,
                             "unknown transfer action " + std::to_string(action));
    CheckLocalName(m_localFile);
    CheckRemoteName(m_remoteFile);
    if (!m_session.hasEndpoint())
        throw ComponentError(ComponentError::Failed, "not connected");
    // "Corvalen.jpg" and "corvalen.jpg" name one file for this program.
    const std::string local = ResolveNameCase(m_localFile);
    const std::string remote = m_remoteFile;
    if (action == CFtpClient::kFetch)
        RunTransfer([&](const FtpProgress& p) { m_session.Fetch(remote, local, p); });
    else
        RunTransfer([&](const FtpProgress& p) { m_send.Send(local, remote, p); });
}

int16_t FtpComponent::GetFile(const std::string& local, const std::string& remote) {
    try {
        CheckLocalName(local);
        CheckRemoteName(remote);
    } catch (const ComponentError&) {
        return CURLE_URL_MALFORMAT;
    }
    if (!m_session.hasEndpoint())
        return CURLE_COULDNT_CONNECT;
    try {
        RunTransfer(
            [&](const FtpProgress& p) { m_session.Fetch(remote, ResolveNameCase(local), p); });
    } catch (const FtpError& e) {
        return StatusOf(e);
    }
    return 0;
}

int16_t FtpComponent::DeleteFile(const std::string& remote) {
    try {
        CheckRemoteName(remote);
    } catch (const ComponentError&) {
        return CURLE_URL_MALFORMAT;
    }
    if (!m_session.hasEndpoint())
        return CURLE_COULDNT_CONNECT;
    long reply = 0;
    try {
        RunQuiet([&] { reply = m_session.Command({"DELE " + remote}); });
    } catch (const FtpError& e) {
        return StatusOf(e);
    }
    if (reply >= 200 && reply < 300)
        return 0;
    return static_cast<int16_t>(reply > 0 ? reply : 1);
}

void RegisterFtpComponent(ComponentRegistry& registry) {
    registry.Register(ClassIds::FtpClient, [] { return std::make_unique<FtpComponent>(); });
}
