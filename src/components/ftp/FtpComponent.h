#pragma once

#include "components/Component.h"
#include "components/DispatchTable.h"
#include "components/ftp/FtpSession.h"
#include "components/ftp/LiveWait.h"
#include "components/ftp/WholeSend.h"

#include <QObject>
#include <cstdint>
#include <string>

class ComponentRegistry;

// The file transfer component (control 1000): an FTP client on libcurl,
// reached by DISPID through the members of CFtpClient.
//
// Every call is synchronous. The network work runs on a worker thread while
// the caller's thread waits in a local event loop without user input, so the
// window keeps painting and the TransferProgress event reaches the host on
// the caller's thread. A call that arrives while another is running (from an
// event handler, a timer) raises instead of disturbing the running one.
//
// OptionValue is the timeout in seconds (60 unless set; 0 or less means 60):
// it bounds the connect, each wait for a reply and any stretch of a transfer
// in which no byte moves. OptionFlag selects passive mode (the default).
// Sends land whole (see WholeSend). Remote names are bare names: a name with
// a "/", a line break or a NUL is refused. Local names are paths, relative
// ones to the current folder.
class FtpComponent : public Component {
public:
    // The port is the program's FTP port; tests point it at their own server.
    explicit FtpComponent(int port = kDefaultPort);
    ~FtpComponent() override;

    Variant Invoke(DispId id, CallKind kind, std::span<const Variant> args) override;

    void SetPort(int port) { m_port = port; }
    int port() const { return m_port; }

    static const int kDefaultPort;

private:
    int16_t Connect();
    int16_t Disconnect();
    bool Connected() const;
    std::string IPAddress() const;
    void Transfer(int16_t action);
    int16_t GetFile(const std::string& local, const std::string& remote);
    int16_t DeleteFile(const std::string& remote);

    // Runs network work off this thread; `progress` turns byte counts into
    // TransferProgress events on this thread.
    void RunTransfer(const std::function<void(const FtpProgress&)>& work);
    void RunQuiet(const std::function<void()>& work);
    void FireProgress(int32_t done, int32_t total, int16_t percent);

    DispatchTable m_table;
    QObject m_context;
    LiveWait m_wait{&m_context};
    FtpSession m_session;
    WholeSend m_send{m_session};

    int m_port;
    std::string m_host;
    std::string m_localFile;
    std::string m_remoteFile;
    bool m_passive = true;
    int m_timeoutSeconds = 60;
    bool m_busy = false;
    int m_lastPercent = -1;
};

// Registers FtpComponent under its class id.
void RegisterFtpComponent(ComponentRegistry& registry);
