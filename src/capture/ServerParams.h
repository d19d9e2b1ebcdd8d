#pragma once

#include <string>
#include <string_view>

// The server parameter file "Corv2.ini" as the cycle reads it: only its
// "Refresh" line matters here (the identity lines belong to enrolment).
namespace ServerParams {

inline constexpr const char* kLocalName = "Corv2.ini";
inline constexpr const char* kRemoteName = "Corv2.ini";

// The server's refresh value in the text of the file. A line qualifies when
// its first seven characters are "Refresh"; its value is everything after
// the line's first fifteen characters ("Refresh Rate = " and then the
// minutes), empty when the line is shorter than sixteen. The last
// qualifying line wins; no qualifying line gives an empty value.
std::string RefreshValue(std::string_view text);

// The refresh value of the file at `path`. A file that is missing or cannot
// be read holds no server value: the result is empty, never an error.
std::string ReadRefreshValue(const std::string& path);

} // namespace ServerParams
