#include "platform/Clock.h"

#include <ctime>

int64_t SystemClock::NowSeconds() const {
    return static_cast<int64_t>(std::time(nullptr));
}
