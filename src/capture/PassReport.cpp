#include "capture/PassReport.h"

#include <ctime>

namespace {

const char* Describe(PassReport::Step step) {
    switch (step) {
    case PassReport::Step::Connect:
        return "could not connect";
    case PassReport::Step::Fetch:
        return "could not fetch the server settings";
    case PassReport::Step::SendImage:
        return "could not send the image";
    case PassReport::Step::SendLog:
        return "could not send the page file";
    }
    return "failed";
}

} // namespace

void PassReport::Begin() {
    m_pending.clear();
}

void PassReport::Failed(Step step, bool noAccount) {
    std::string text = Describe(step);
    if (noAccount)
        text += " (no account ID)";
    m_pending.push_back(std::move(text));
}

void PassReport::Stopped(std::string error) {
    m_pending.push_back("stopped by an error: " + (error.empty() ? "unknown error" : error));
}

void PassReport::End(int64_t endedAt) {
    m_problems = std::move(m_pending);
    m_pending.clear();
    m_endedAt = endedAt;
}

std::string PassReport::Text() const {
    if (!m_endedAt)
        return "No pass has run yet.";
    std::string text = "Last pass " + FormatLocalDateTime(*m_endedAt) + ": ";
    if (m_problems.empty())
        return text + "all transfers succeeded.";
    for (size_t i = 0; i < m_problems.size(); ++i)
        text += (i ? "; " : "") + m_problems[i];
    // Error texts usually end a sentence themselves.
    if (!text.ends_with('.') && !text.ends_with('!') && !text.ends_with('?'))
        text += '.';
    return text;
}

std::string FormatLocalDateTime(int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!localtime_r(&t, &local))
        return std::to_string(seconds);
    char buffer[32];
    const size_t n = std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &local);
    return n ? std::string(buffer, n) : std::to_string(seconds);
}
