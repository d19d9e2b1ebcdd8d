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

} // namespace AtomicFile
