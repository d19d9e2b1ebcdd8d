#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

typedef void CURL;
typedef void CURLM;

// What a failed FTP operation tells its caller.
class FtpError : public std::runtime_error {
public:
    FtpError(const std::string& what, int curlCode, long replyCode, bool timedOut)
        : std::runtime_error(what)
        , m_curlCode(curlCode)
        , m_replyCode(replyCode)
        , m_timedOut(timedOut) {}
    int curlCode() const { return m_curlCode; }
    long replyCode() const { return m_replyCode; }
    bool timedOut() const { return m_timedOut; }

private:
    int m_curlCode;
    long m_replyCode;
    bool m_timedOut;
};

struct FtpEndpoint {
    std::string host;
    int port = 21;
    bool passive = true;
    int timeoutSeconds = 60;
};

// Bytes done and bytes expected (0 when not known) of the running transfer.
using FtpProgress = std::function<void(int64_t done, int64_t total)>;

// The FTP operations that a send is made of, so that the way a send lands
// can be decided without a server.
class IFtpCommands {
public:
    virtual ~IFtpCommands() = default;
    // Raises FtpError when the file does not arrive whole.
    virtual void Store(const std::string& remote, const std::string& localPath,
                       const FtpProgress& progress) = 0;
    // The reply code of the last of the commands (0: no reply). Raises
    // FtpError only when the connection fails, not when the server says no.
    virtual long Command(const std::vector<std::string>& commands) = 0;
};

// One FTP control connection on libcurl, logged in anonymously and kept
// between operations. Every operation blocks its thread, and is bounded by
// the endpoint's timeout: for the connect, for each reply, and for any
// stretch in which no byte moves. One thread at a time.
//
// Each operation is driven by our own multi-handle loop: curl_easy_perform
// in libcurl 7.88 sometimes idles a whole second per transfer. The kept
// connection lives in the multi handle's cache between operations.
class FtpSession : public IFtpCommands {
public:
    FtpSession();
    ~FtpSession() override;
    FtpSession(const FtpSession&) = delete;
    FtpSession& operator=(const FtpSession&) = delete;

    // Drops any earlier connection, connects and logs in.
    void Connect(const FtpEndpoint& endpoint);
    // True while the control connection is open and the server has not
    // closed it or spoken out of turn. Does not block.
    bool IsConnected() const;
    // Says QUIT and closes. Never raises.
    void Quit();
    // Closes without a word: nothing can keep the caller waiting.
    void Drop();
    // Local address of the control connection; empty when not connected.
    const std::string& localAddress() const { return m_localAddress; }
    bool hasEndpoint() const { return !m_endpoint.host.empty(); }

    // Fetches into a file beside `localPath` and renames it into place, so a
    // failed fetch leaves the previous local file as it was.
    void Fetch(const std::string& remote, const std::string& localPath,
               const FtpProgress& progress);
    void Store(const std::string& remote, const std::string& localPath,
               const FtpProgress& progress) override;
    long Command(const std::vector<std::string>& commands) override;

    // Makes the running operation (if any) give up at once; for teardown.
    void Abort() { m_abort = true; }

private:
    struct Outcome {
        int code = 0;
        long reply = 0;
        bool timedOut = false;
    };

    void Prepare(const std::string& path);
    Outcome Run(const FtpProgress& progress);
    void RaiseIfFailed(const Outcome& outcome, const std::string& what) const;
    void RequireEndpoint() const;
    std::string Url(const std::string& path) const;
    static int OnProgress(void* self, int64_t dltotal, int64_t dlnow, int64_t ultotal,
                          int64_t ulnow);

    CURL* m_easy = nullptr;
    CURLM* m_multi = nullptr;
    FtpEndpoint m_endpoint;
    int m_socket = -1;
    std::string m_localAddress;
    char m_errorText[256] = {};
    std::atomic<bool> m_abort{false};

    // Progress of the running operation, touched only by its thread.
    const FtpProgress* m_progress = nullptr;
    int64_t m_bytesMoved = 0;
};
