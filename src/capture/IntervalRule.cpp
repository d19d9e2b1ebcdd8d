#include "capture/IntervalRule.h"

#include "platform/Numbers.h"

#include <algorithm>
#include <limits>

int32_t IntervalSeconds(std::string_view refreshRate, std::string_view serverValue) {
    int64_t minutes = ReadDecimal64(refreshRate);
    if (minutes < 1)
        minutes = kDefaultRefreshMinutes;
    const int64_t server = ReadDecimal64(serverValue);
    if (server >= 1)
        minutes = std::max(minutes, server);
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    if (minutes > kMax / 60)
        return static_cast<int32_t>(kMax);
    return static_cast<int32_t>(minutes * 60);
}
