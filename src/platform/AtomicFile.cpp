#include "platform/AtomicFile.h"

#include "platform/FileError.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace AtomicFile {

namespace {

std::pair<std::string, std::string> SplitFolder(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return {"", path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

// A file kept elsewhere through a symbolic link stays linked: the new file
// replaces the link's target, not the link. A dangling link is replaced.
std::string LinkTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

// Writes every byte; returns 0 or the errno.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return 0;
}

} // namespace

int CreateBeside(const std::string& path, const std::string& displayName, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    const auto [folder, base] = SplitFolder(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + "." + base + "." + std::to_string(::getpid()) + "." +
                   std::to_string(counter++) + ".tmp";
        // 0666 so that the process's umask decides, as for any new file.
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST)
            throw FileError::FromErrno(errno, displayName, true);
    }
    throw FileError::FromErrno(EEXIST, displayName, true);
}

ReplacedFile::ReplacedFile(ReplacedFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)) {}

ReplacedFile& ReplacedFile::operator=(ReplacedFile&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

ReplacedFile::~ReplacedFile() {
    if (m_fd >= 0)
        ::close(m_fd);
}

Replacement::Replacement(const std::string& path, const std::string& displayName)
    : m_path(LinkTarget(path))
    , m_displayName(displayName) {
    if (SplitFolder(m_path).second.empty())
        throw FileError(FileError::Cause::BadPath, displayName);
    m_fd = CreateBeside(m_path, displayName, m_tempPath);
    // Holding the old file open keeps the rename from having to free its
    // storage; the owner of the ReplacedFile decides when that happens.
    const int old = ::open(m_path.c_str(), O_PATH | O_CLOEXEC);
    if (old >= 0) {
        m_old = ReplacedFile(old);
        struct stat st {};
        if (::fstat(old, &st) == 0 && S_ISREG(st.st_mode))
            ::fchmod(m_fd, st.st_mode & 07777);
    }
}

Replacement::~Replacement() {
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(m_tempPath.c_str());
    }
}

ReplacedFile Replacement::Commit(std::string_view bytes, Durability durability) {
    if (m_fd < 0)
        throw FileError(FileError::Cause::Generic, m_displayName);
    int err = WriteAll(m_fd, bytes);
    if (err == 0 && durability == Durability::Flush && ::fsync(m_fd) != 0)
        err = errno;
    if (::close(std::exchange(m_fd, -1)) != 0 && err == 0)
        err = errno;
    if (err == 0 && ::rename(m_tempPath.c_str(), m_path.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(m_tempPath.c_str());
        throw FileError::FromErrno(err, m_displayName, true);
    }
    if (durability == Durability::Flush) {
        // Make the rename itself durable; a failure here loses nothing.
        const std::string folder = SplitFolder(m_path).first;
        const int dirFd =
            ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dirFd >= 0) {
            ::fsync(dirFd);
            ::close(dirFd);
        }
    }
    return std::move(m_old);
}

void Write(const std::string& path, std::string_view bytes, const std::string& displayName,
           Durability durability) {
    Replacement(path, displayName).Commit(bytes, durability);
}

} // namespace AtomicFile
