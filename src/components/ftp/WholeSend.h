#pragma once

#include "components/ftp/FtpSession.h"

#include <string>

// Lands a send whole, so that a viewer of the page never sees half an image:
// the file goes up under a temporary name and is then renamed into place.
// A server that will not rename onto an existing file gets the old file
// moved aside first (and deleted after). A server that does not rename at
// all gets direct sends for the rest of the connection.
class WholeSend {
public:
    explicit WholeSend(IFtpCommands& ftp)
        : m_ftp(ftp) {}

    // Raises FtpError when the file did not land. The previous remote file is
    // then still in place, and the temporary file is removed where the
    // server still answers.
    void Send(const std::string& localPath, const std::string& remote, const FtpProgress& progress);

    // A new connection: try renaming again.
    void Reset() { m_direct = false; }
    bool direct() const { return m_direct; }

    static std::string TempName(const std::string& remote) { return remote + ".part"; }
    static std::string AsideName(const std::string& remote) { return remote + ".old"; }

private:
    bool Rename(const std::string& from, const std::string& to);
    void Remove(const std::string& remote) noexcept;

    IFtpCommands& m_ftp;
    bool m_direct = false;
};
