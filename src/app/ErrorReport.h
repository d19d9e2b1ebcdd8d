#pragma once

#include <functional>

class IMessageBoxes;

// Runs the handler of a window message. An error that escapes it is shown
// with its text in a box with the stop icon, and the window carries on.
void RunReportingErrors(IMessageBoxes& boxes, const std::function<void()>& handler);
