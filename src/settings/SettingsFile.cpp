#include "settings/SettingsFile.h"

#include "platform/FileError.h"
#include "platform/TextFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SettingsFile {

namespace {

// Creates a new, exclusive file beside the target; returns its descriptor
// and sets `tempPath`. Raises FileError named after the target.
int CreateTemp(const std::string& folder, const std::string& name, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = PathIn(folder, "." + name + "." + std::to_string(::getpid()) + "." +
                                      std::to_string(counter++) + ".tmp");
        // 0666 so that the process's umask decides, as for any new file.
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST)
            throw FileError::FromErrno(errno, name, true);
    }
    throw FileError::FromErrno(EEXIST, name, true);
}

// Writes every byte and forces them to disk; returns 0 or the errno.
int WriteAndSync(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return ::fsync(fd) == 0 ? 0 : errno;
}

} // namespace

std::string PathIn(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder == ".")
        return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string Read(const std::string& folder, const std::string& name) {
    const std::string path = PathIn(folder, name);
    try {
        return TextFile::ReadAll(path);
    } catch (const FileError& e) {
        if (e.fileName() == name)
            throw;
        throw FileError(e.cause(), name, e.osError());
    }
}

void WriteAtomically(const std::string& folder, std::string_view bytes, const std::string& name) {
    const std::string target = PathIn(folder, name);
    std::string tempPath;
    const int fd = CreateTemp(folder, name, tempPath);
    // Keep the permissions of the file being replaced.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
    int err = WriteAndSync(fd, bytes);
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(tempPath.c_str());
        throw FileError::FromErrno(err, name, true);
    }
    // Make the rename itself durable; a failure here loses nothing.
    const std::string dir = folder.empty() ? "." : folder;
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

} // namespace SettingsFile
