#pragma once

#include <cstdint>

// Wall-clock time in whole seconds since the epoch. Logic takes the time from
// here, so that tests can set it.
class IClock {
public:
    virtual ~IClock() = default;
    virtual int64_t NowSeconds() const = 0;
};

class SystemClock : public IClock {
public:
    int64_t NowSeconds() const override;
};
