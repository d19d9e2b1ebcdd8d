#pragma once

#include <string>
#include <string_view>

// The settings file on disk. Errors are FileError and name the file as the
// user knows it ("tamblix.ini"), whatever folder it lives in.
namespace SettingsFile {

inline constexpr const char* kFileName = "tamblix.ini";

// The path of `name` in `folder`; "." keeps the name relative, so the file
// follows the process's current folder.
std::string PathIn(const std::string& folder, const std::string& name = kFileName);

// The whole file as bytes. A missing file raises FileError NotFound.
std::string Read(const std::string& folder, const std::string& name = kFileName);

// Replaces the file with `bytes` so that it is never seen half-written: the
// bytes go to a new file beside it, which is flushed to disk and renamed
// over the old one. On failure the new file is removed, the old file stays
// whole, and FileError is raised with the cause.
void WriteAtomically(const std::string& folder, std::string_view bytes,
                     const std::string& name = kFileName);

} // namespace SettingsFile
