#pragma once

#include <stdexcept>
#include <string>

// A file that cannot be opened, read or written. Carries the cause and the
// file name; what() is the text the user sees.
class FileError : public std::runtime_error {
public:
    enum class Cause { NotFound, AccessDenied, Locked, DiskFull, BadPath, Generic };

    FileError(Cause cause, std::string fileName, int osError = 0);

    // Maps an errno value; `writing` picks the wording for the generic case.
    static FileError FromErrno(int err, const std::string& fileName, bool writing = false);

    Cause cause() const { return m_cause; }
    const std::string& fileName() const { return m_fileName; }
    int osError() const { return m_osError; }

private:
    Cause m_cause;
    std::string m_fileName;
    int m_osError;
};
