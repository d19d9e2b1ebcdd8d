#pragma once

#include <string>
#include <string_view>

// Replaces a file so that nobody ever sees it half-written: the bytes go to a
// new file beside it (same folder, so the rename stays on one file system),
// which is then renamed over the old one. The replaced file's permissions are
// kept. On failure the new file is removed, the old file stays whole, and
// FileError is raised with the cause, naming the file as `displayName`.
namespace AtomicFile {

enum class Durability {
    Flush, // forced to disk before the rename, and the rename too: for data the user keeps
    Fast,  // no forced write: for files that are replaced again soon (captured images)
};

void Write(const std::string& path, std::string_view bytes, const std::string& displayName,
           Durability durability = Durability::Flush);

// Creates a new, empty file beside `path` for a replacement that the caller
// writes and renames itself (a download, say); returns its descriptor, open
// for writing, and sets `tempPath`. O_EXCL never reuses somebody else's file,
// and the process's umask decides the permissions, as for any new file.
// Raises FileError naming `displayName`.
int CreateBeside(const std::string& path, const std::string& displayName, std::string& tempPath);

// The file a replacement pushed out of its name. Its storage is freed when
// this is dropped, which can take longer than the whole write for a large
// file: drop it where the time does not matter.
class ReplacedFile {
public:
    explicit ReplacedFile(int fd = -1)
        : m_fd(fd) {}
    ReplacedFile(ReplacedFile&& other) noexcept;
    ReplacedFile& operator=(ReplacedFile&& other) noexcept;
    ~ReplacedFile();

private:
    int m_fd; // an O_PATH reference to the old file's inode, or -1
};

// Write() in two steps, so that creating the new file can happen while its
// bytes are still being made. Construction creates the new file beside
// `path` and raises FileError; Commit() writes, closes and renames it.
// Destroying an uncommitted replacement removes the new file.
class Replacement {
public:
    Replacement(const std::string& path, const std::string& displayName);
    ~Replacement();
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    ReplacedFile Commit(std::string_view bytes, Durability durability);

private:
    std::string m_path;
    std::string m_displayName;
    std::string m_tempPath;
    int m_fd = -1;
    ReplacedFile m_old;
};

} // namespace AtomicFile
