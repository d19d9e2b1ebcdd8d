#pragma once

#include <string>

// The status line: it always shows the last text put into it.
class IStatusLine {
public:
    virtual ~IStatusLine() = default;
    virtual void ShowStatus(const std::string& text) = 0;
};
