#pragma once

#include <string>

// The program's file names compare without regard to case: "Corvalen.jpg"
// and "corvalen.jpg" are one file, as they were for its users on Windows.
// On a case-sensitive file system, every open of such a name goes through
// here, so that a writer and a reader spelling it differently still meet.
//
// Returns the path of the existing file whose name matches `path`'s last
// component ignoring ASCII case, or `path` unchanged when none exists. When
// several spellings exist side by side, every spelling resolves to the same
// one of them (the first in byte order), so that a writer and a reader can
// never end up on two different files.
std::string ResolveNameCase(const std::string& path);
