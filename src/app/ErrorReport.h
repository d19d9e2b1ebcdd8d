#pragma once

#include <functional>

class IMessageBoxes;

// Runs the handlers of window messages. An error that escapes one is shown
// with its text in a box with the stop icon, and the window carries on.
//
// The countdown goes on behind an open box, so a pass that fails again
// would stack box upon box while the user is away. One box at a time: an
// error that escapes while a box is open is dropped; the open box already
// says that publishing is in trouble.
class ErrorReport {
public:
    explicit ErrorReport(IMessageBoxes& boxes)
        : m_boxes(boxes) {}
    void Run(const std::function<void()>& handler);
    bool IsShowing() const { return m_showing; }

private:
    void Show(const char* text);

    IMessageBoxes& m_boxes;
    bool m_showing = false;
};
