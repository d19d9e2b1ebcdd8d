#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the last pass of the cycle achieved, for the status line's tooltip:
// the countdown overwrites the status texts every second, so this is where a
// user sees whether publishing works.
class PassReport {
public:
    enum class Step { Connect, Fetch, SendImage, SendLog };

    // A new pass begins: forget the last one's outcome.
    void Begin();
    // A guarded step failed (or, with `noAccount`, was skipped because there
    // is no account ID to publish under).
    void Failed(Step step, bool noAccount = false);
    // The pass ended by an error that stops it.
    void Stopped(std::string error);
    // The pass is over, at `endedAt` (seconds since the epoch).
    void End(int64_t endedAt);

    bool HasEnded() const { return m_endedAt.has_value(); }
    // True when the last pass ended and every transfer of it succeeded.
    bool AllSucceeded() const { return HasEnded() && m_problems.empty(); }
    // The tooltip text, e.g.
    //   "Last pass 2024-05-01 12:00:00: all transfers succeeded."
    //   "Last pass 2024-05-01 12:00:00: could not connect; could not send the image."
    std::string Text() const;

private:
    std::vector<std::string> m_problems;
    std::vector<std::string> m_pending;
    std::optional<int64_t> m_endedAt;
};

// Seconds since the epoch as local date and time, "yyyy-MM-dd HH:mm:ss".
std::string FormatLocalDateTime(int64_t seconds);
