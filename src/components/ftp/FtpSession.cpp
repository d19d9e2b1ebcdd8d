#include "components/ftp/FtpSession.h"

#include "platform/AtomicFile.h"
#include "platform/FileError.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <curl/curl.h>
#include <memory>
#include <poll.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// curl_global_init is not thread-safe; run it once, before any handle.
struct CurlGlobal {
    CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
};

void EnsureCurl() {
    static CurlGlobal global;
}

struct FileCloser {
    void operator()(FILE* f) const {
        if (f)
            std::fclose(f);
    }
};
using File = std::unique_ptr<FILE, FileCloser>;

size_t WriteToFile(char* data, size_t size, size_t count, void* file) {
    return std::fwrite(data, size, count, static_cast<FILE*>(file));
}

size_t ReadFromFile(char* data, size_t size, size_t count, void* file) {
    return std::fread(data, size, count, static_cast<FILE*>(file));
}

// A reply that still sits in the socket when nobody asked for one means the
// server is closing (an idle "421"); a readable socket with nothing in it is
// closed. Either way the connection is no longer usable.
bool SocketAlive(int fd) {
    if (fd < 0)
        return false;
    pollfd p{fd, POLLIN | POLLRDHUP, 0};
    const int n = ::poll(&p, 1, 0);
    if (n < 0)
        return errno == EINTR;
    if (n == 0)
        return true;
    return false;
}

// Whether two regular files hold the same bytes. Any doubt says no.
bool SameContent(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0 || !S_ISREG(sa.st_mode) ||
        !S_ISREG(sb.st_mode) || sa.st_size != sb.st_size)
        return false;
    File fa(std::fopen(a.c_str(), "rb")), fb(std::fopen(b.c_str(), "rb"));
    if (!fa || !fb)
        return false;
    std::vector<char> ba(65536), bb(65536);
    for (;;) {
        const size_t na = std::fread(ba.data(), 1, ba.size(), fa.get());
        const size_t nb = std::fread(bb.data(), 1, bb.size(), fb.get());
        if (na != nb || std::memcmp(ba.data(), bb.data(), na) != 0)
            return false;
        if (na < ba.size())
            return std::feof(fa.get()) && std::feof(fb.get()) && !std::ferror(fa.get()) &&
                   !std::ferror(fb.get());
    }
}

// Whether libcurl waits on any socket for the transfer to go on. (Sockets
// beyond FD_SETSIZE do not show; the caller bounds what it does on "no".)
bool WaitsOnSocket(CURLM* multi) {
    fd_set read, write, except;
    FD_ZERO(&read);
    FD_ZERO(&write);
    FD_ZERO(&except);
    int maxFd = -1;
    return curl_multi_fdset(multi, &read, &write, &except, &maxFd) == CURLM_OK && maxFd >= 0;
}

constexpr int kMaxKicks = 4;

} // namespace

FtpSession::FtpSession() {
    EnsureCurl();
    m_easy = curl_easy_init();
    m_multi = curl_multi_init();
    if (!m_easy || !m_multi)
        throw FtpError("libcurl could not be initialised", CURLE_FAILED_INIT, 0, false);
}

FtpSession::~FtpSession() {
    Drop();
    curl_multi_cleanup(m_multi);
    curl_easy_cleanup(m_easy);
}

void FtpSession::RequireEndpoint() const {
    if (m_endpoint.host.empty())
        throw FtpError("not connected", CURLE_COULDNT_CONNECT, 0, false);
}

std::string FtpSession::Url(const std::string& path) const {
    std::string url = "ftp://";
    const bool v6 = m_endpoint.host.find(':') != std::string::npos;
    url += v6 ? "[" + m_endpoint.host + "]" : m_endpoint.host;
    url += ":" + std::to_string(m_endpoint.port) + "/";
    if (!path.empty()) {
        char* escaped = curl_easy_escape(m_easy, path.data(), static_cast<int>(path.size()));
        if (!escaped)
            throw FtpError("out of memory", CURLE_OUT_OF_MEMORY, 0, false);
        url += escaped;
        curl_free(escaped);
    }
    return url;
}

// Options carry over between operations in libcurl; every operation starts
// from a reset handle (which keeps the cached connection).
void FtpSession::Prepare(const std::string& path) {
    curl_easy_reset(m_easy);
    m_errorText[0] = '\0';
    const long timeout = m_endpoint.timeoutSeconds > 0 ? m_endpoint.timeoutSeconds : 60;
    curl_easy_setopt(m_easy, CURLOPT_URL, Url(path).c_str());
    curl_easy_setopt(m_easy, CURLOPT_ERRORBUFFER, m_errorText);
    curl_easy_setopt(m_easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(m_easy, CURLOPT_CONNECTTIMEOUT, timeout);
    curl_easy_setopt(m_easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, timeout);
    // The default (118 s) silently swaps an idle connection for a new one.
    curl_easy_setopt(m_easy, CURLOPT_MAXAGE_CONN, 365L * 24 * 3600);
    if (!m_endpoint.passive)
        curl_easy_setopt(m_easy, CURLOPT_FTPPORT, "-");
    curl_easy_setopt(m_easy, CURLOPT_XFERINFOFUNCTION, &FtpSession::OnProgress);
    curl_easy_setopt(m_easy, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(m_easy, CURLOPT_NOPROGRESS, 0L);
}

int FtpSession::OnProgress(void* self, int64_t dltotal, int64_t dlnow, int64_t ultotal,
                           int64_t ulnow) {
    auto* s = static_cast<FtpSession*>(self);
    s->m_bytesMoved = dlnow + ulnow;
    if (s->m_progress && *s->m_progress)
        (*s->m_progress)(dlnow + ulnow, dltotal + ultotal);
    return s->m_abort ? 1 : 0;
}

FtpSession::Outcome FtpSession::Run(const FtpProgress& progress) {
    m_progress = &progress;
    m_bytesMoved = 0;
    Outcome outcome;
    const auto limit =
        std::chrono::seconds(m_endpoint.timeoutSeconds > 0 ? m_endpoint.timeoutSeconds : 60);
    auto lastMove = Clock::now();
    int64_t lastBytes = 0;
    bool stopped = false;
    int forced = CURLE_OK;
    int idleWait = 1;
    int kicks = 0;

    curl_multi_add_handle(m_multi, m_easy);
    for (;;) {
        int running = 0;
        if (curl_multi_perform(m_multi, &running) != CURLM_OK) {
            stopped = true;
            forced = CURLE_FAILED_INIT;
            break;
        }
        if (!running)
            break;
        const auto now = Clock::now();
        if (m_bytesMoved != lastBytes) {
            lastBytes = m_bytesMoved;
            lastMove = now;
        }
        // libcurl's own low-speed limit is late by seconds and sleeps through
        // the connect; this bounds every quiet stretch exactly.
        if (now - lastMove >= limit) {
            outcome.timedOut = true;
            stopped = true;
            forced = CURLE_OPERATION_TIMEDOUT;
            break;
        }
        if (m_abort) {
            stopped = true;
            forced = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        // libcurl 7.88 at times returns with a step half taken and no socket
        // to wait on: after a passive-mode reply it opens the data connection
        // only on the next call. A poll would idle until its timeout, so the
        // step is continued at once (a few times in a row at most, should
        // libcurl have nothing to wait on for another reason).
        if (kicks < kMaxKicks && !WaitsOnSocket(m_multi)) {
            ++kicks;
            continue;
        }
        kicks = 0;
        // libcurl 7.88 sometimes waits on a socket that will not wake it (a
        // reply it has already buffered), so quiet polls start short and
        // lengthen while nothing happens.
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(limit - (now - lastMove));
        const int wait = static_cast<int>(std::min<int64_t>(left.count() + 1, idleWait));
        int ready = 0;
        curl_multi_poll(m_multi, nullptr, 0, wait, &ready);
        idleWait = ready ? 1 : std::min(idleWait * 2, 250);
    }

    outcome.code = forced;
    int queued = 0;
    while (CURLMsg* msg = curl_multi_info_read(m_multi, &queued))
        if (msg->msg == CURLMSG_DONE && msg->easy_handle == m_easy && !stopped)
            outcome.code = msg->data.result;
    if (outcome.code == CURLE_OPERATION_TIMEDOUT)
        outcome.timedOut = true;
    curl_easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &outcome.reply);

    // The control socket stays valid while the connection sits in the
    // multi handle's cache; curl reports CURL_SOCKET_BAD once it is gone.
    curl_socket_t sock = CURL_SOCKET_BAD;
    if (stopped || curl_easy_getinfo(m_easy, CURLINFO_ACTIVESOCKET, &sock) != CURLE_OK)
        sock = CURL_SOCKET_BAD;
    m_socket = sock == CURL_SOCKET_BAD ? -1 : static_cast<int>(sock);
    // Removing a handle in mid-transfer closes its connection without a word.
    curl_multi_remove_handle(m_multi, m_easy);
    if (stopped)
        m_socket = -1;
    m_progress = nullptr;
    return outcome;
}

void FtpSession::RaiseIfFailed(const Outcome& outcome, const std::string& what) const {
    if (outcome.code == CURLE_OK)
        return;
    std::string text = what + ": ";
    if (outcome.timedOut)
        text += "no answer within " + std::to_string(m_endpoint.timeoutSeconds) + " s";
    else
        text += m_errorText[0] ? m_errorText : curl_easy_strerror(CURLcode(outcome.code));
    if (outcome.reply >= 400)
        text += " (server reply " + std::to_string(outcome.reply) + ")";
    throw FtpError(text, outcome.code, outcome.reply, outcome.timedOut);
}

void FtpSession::Connect(const FtpEndpoint& endpoint) {
    Drop();
    m_endpoint = endpoint;
    // A bodiless request on the root logs in; the connection then stays in
    // the cache. CURLOPT_CONNECT_ONLY would not leave a usable FTP session.
    Prepare("");
    curl_easy_setopt(m_easy, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(m_easy, CURLOPT_FRESH_CONNECT, 1L);
    const Outcome outcome = Run(nullptr);
    if (outcome.code != CURLE_OK || m_socket < 0) {
        Drop();
        RaiseIfFailed(outcome.code != CURLE_OK ? outcome : Outcome{CURLE_COULDNT_CONNECT, 0, false},
                      "cannot connect to " + endpoint.host + ":" + std::to_string(endpoint.port));
    }
    char* ip = nullptr;
    if (curl_easy_getinfo(m_easy, CURLINFO_LOCAL_IP, &ip) == CURLE_OK && ip)
        m_localAddress = ip;
}

bool FtpSession::IsConnected() const {
    return SocketAlive(m_socket);
}

void FtpSession::Quit() {
    if (!IsConnected()) {
        Drop();
        return;
    }
    // libcurl says QUIT when it closes a connection that is not reused; the
    // wait for the reply is bounded by this handle's reply timeout.
    Prepare("");
    curl_easy_setopt(m_easy, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(m_easy, CURLOPT_FORBID_REUSE, 1L);
    Run(nullptr);
    Drop();
}

void FtpSession::Drop() {
    // Shut the socket first: libcurl would otherwise say QUIT while it cleans
    // up, and wait for the reply with its own two-minute default.
    if (m_socket >= 0 && SocketAlive(m_socket))
        ::shutdown(m_socket, SHUT_RDWR);
    m_socket = -1;
    m_localAddress.clear();
    if (m_multi)
        curl_multi_cleanup(m_multi);
    m_multi = curl_multi_init();
    m_endpoint.host.clear();
}

void FtpSession::Fetch(const std::string& remote, const std::string& localPath,
                       const FtpProgress& progress) {
    RequireEndpoint();
    std::string temp;
    int fd = -1;
    try {
        fd = AtomicFile::CreateBeside(localPath, localPath, temp);
    } catch (const FileError& e) {
        throw FtpError(std::string("cannot write ") + e.what(), CURLE_WRITE_ERROR, 0, false);
    }
    File file(::fdopen(fd, "wb"));
    if (!file) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw FtpError("cannot write " + localPath, CURLE_WRITE_ERROR, 0, false);
    }
    Prepare(remote);
    curl_easy_setopt(m_easy, CURLOPT_WRITEFUNCTION, &WriteToFile);
    curl_easy_setopt(m_easy, CURLOPT_WRITEDATA, file.get());
    Outcome outcome = Run(progress);
    const bool flushed = std::fflush(file.get()) == 0;
    const bool closed = std::fclose(file.release()) == 0;
    if (outcome.code == CURLE_OK && (!flushed || !closed))
        outcome.code = CURLE_WRITE_ERROR;
    if (outcome.code == CURLE_OK) {
        // Most fetches bring what is already there (the settings that the
        // server sends every pass). Replacing an equal file only costs the
        // disk a new copy, and the file system a flush of it.
        if (SameContent(temp, localPath))
            ::unlink(temp.c_str());
        else if (std::rename(temp.c_str(), localPath.c_str()) != 0)
            outcome.code = CURLE_WRITE_ERROR;
    }
    if (outcome.code != CURLE_OK) {
        ::unlink(temp.c_str());
        RaiseIfFailed(outcome, "cannot fetch " + remote + " into " + localPath);
    }
}

void FtpSession::Store(const std::string& remote, const std::string& localPath,
                       const FtpProgress& progress) {
    RequireEndpoint();
    File file(std::fopen(localPath.c_str(), "rb"));
    struct stat info {};
    if (!file || ::fstat(::fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode))
        throw FtpError("cannot read " + localPath, CURLE_READ_ERROR, 0, false);
    Prepare(remote);
    curl_easy_setopt(m_easy, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(m_easy, CURLOPT_READFUNCTION, &ReadFromFile);
    curl_easy_setopt(m_easy, CURLOPT_READDATA, file.get());
    curl_easy_setopt(m_easy, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(info.st_size));
    const Outcome outcome = Run(progress);
    RaiseIfFailed(outcome, "cannot send " + localPath + " as " + remote);
}

long FtpSession::Command(const std::vector<std::string>& commands) {
    RequireEndpoint();
    Prepare("");
    curl_easy_setopt(m_easy, CURLOPT_NOBODY, 1L);
    // A failing quote command would drop the connection; with "*" curl goes
    // on and the reply code tells the outcome.
    curl_slist* list = nullptr;
    for (const std::string& c : commands)
        list = curl_slist_append(list, ("*" + c).c_str());
    curl_easy_setopt(m_easy, CURLOPT_QUOTE, list);
    const Outcome outcome = Run(nullptr);
    curl_slist_free_all(list);
    RaiseIfFailed(outcome,
                  "command " + (commands.empty() ? std::string() : commands.back()) + " failed");
    return outcome.reply;
}
