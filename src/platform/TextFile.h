#pragma once

#include <string>
#include <string_view>
#include <vector>

// Text as the program's files hold it: 8-bit, lines ended by CR LF on disk.
namespace TextFile {

// Splits text into lines. LF ends a line and a CR right before it is
// dropped; a lone CR stays part of the line. A last line without a line end
// counts; text that ends with a line end has no empty line after it.
std::vector<std::string> SplitLines(std::string_view text);

// Reads a whole file as bytes. Raises FileError (with the name as given).
std::string ReadAll(const std::string& path);

} // namespace TextFile
