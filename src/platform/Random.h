#pragma once

#include <cstdint>

// The run-time library's pseudo-random generator: 0 to 32767, reseedable. The
// sequence is the classic linear congruential one, so a seed always gives
// the same numbers.
class CRandom {
public:
    static constexpr int kMax = 32767;
    void Seed(uint32_t seed) { m_state = seed; }
    int Next() {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 0x7FFF);
    }

private:
    uint32_t m_state = 1;
};
