#include "platform/FileError.h"

#include <cerrno>
#include <cstring>

namespace {

std::string Describe(FileError::Cause cause, const std::string& name, int osError) {
    switch (cause) {
    case FileError::Cause::NotFound:
        return name + " was not found.";
    case FileError::Cause::AccessDenied:
        return "Access to " + name + " was denied.";
    case FileError::Cause::Locked:
        return name + " is in use by another program.";
    case FileError::Cause::DiskFull:
        return "The disk is full while writing " + name + ".";
    case FileError::Cause::BadPath:
        return name + " contains an invalid path.";
    case FileError::Cause::Generic:
        break;
    }
    std::string text = "An unexpected error occurred with " + name;
    if (osError)
        text += std::string(": ") + std::strerror(osError);
    return text + ".";
}

} // namespace

FileError::FileError(Cause cause, std::string fileName, int osError)
    : std::runtime_error(Describe(cause, fileName, osError))
    , m_cause(cause)
    , m_fileName(std::move(fileName))
    , m_osError(osError) {}

FileError FileError::FromErrno(int err, const std::string& fileName, bool) {
    switch (err) {
    case ENOENT:
        return FileError(Cause::NotFound, fileName, err);
    case EACCES:
    case EPERM:
    case EROFS:
        return FileError(Cause::AccessDenied, fileName, err);
    case EBUSY:
    case ETXTBSY:
        return FileError(Cause::Locked, fileName, err);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileError(Cause::DiskFull, fileName, err);
    case ENAMETOOLONG:
    case ENOTDIR:
    case EISDIR:
        return FileError(Cause::BadPath, fileName, err);
    default:
        return FileError(Cause::Generic, fileName, err);
    }
}
