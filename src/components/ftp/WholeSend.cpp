#include "components/ftp/WholeSend.h"

namespace {

bool Positive(long reply) {
    return reply >= 200 && reply < 300;
}

} // namespace

bool WholeSend::Rename(const std::string& from, const std::string& to) {
    // A refused RNFR makes the server refuse the RNTO after it too, so the
    // last reply tells the outcome of the pair.
    return Positive(m_ftp.Command({"RNFR " + from, "RNTO " + to}));
}

void WholeSend::Remove(const std::string& remote) noexcept {
    try {
        m_ftp.Command({"DELE " + remote});
    } catch (...) {
        // Best effort: the file is a leftover, the next send replaces it.
    }
}

void WholeSend::Send(const std::string& localPath, const std::string& remote,
                     const FtpProgress& progress) {
    if (m_direct) {
        m_ftp.Store(remote, localPath, progress);
        return;
    }
    const std::string temp = TempName(remote);
    try {
        m_ftp.Store(temp, localPath, progress);
    } catch (const FtpError&) {
        // Even after a stalled or dropped upload the server may still take
        // a DELE (on a new connection); the wait for it is bounded as well.
        Remove(temp);
        throw;
    }
    if (Rename(temp, remote))
        return;

    const std::string aside = AsideName(remote);
    if (Rename(remote, aside)) {
        if (Rename(temp, remote)) {
            Remove(aside);
            return;
        }
        Rename(aside, remote);
    }
    // Renaming is of no use on this server.
    m_direct = true;
    Remove(temp);
    m_ftp.Store(remote, localPath, progress);
}
