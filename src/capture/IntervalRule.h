#pragma once

#include <cstdint>
#include <string_view>

// The capture interval in seconds from the settings' refresh rate and the
// server's refresh value, both minutes as text read as decimal integers.
//
// A refresh rate below 1 (0, negative, not a number) counts as 5 minutes;
// a server value below 1 (or empty) is no value at all. The larger of the
// two wins, so the server can slow the camera down but never speed it up
// past the user's choice. The result is at least 60 and saturates at
// INT32_MAX instead of overflowing.
int32_t IntervalSeconds(std::string_view refreshRate, std::string_view serverValue);

inline constexpr int64_t kDefaultRefreshMinutes = 5;
