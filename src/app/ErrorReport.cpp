#include "app/ErrorReport.h"

#include "platform/MessageBoxes.h"

#include <exception>

void RunReportingErrors(IMessageBoxes& boxes, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        boxes.Show(e.what(), MB_OK | MB_ICONSTOP);
    } catch (...) {
        boxes.Show("An unexpected error occurred.", MB_OK | MB_ICONSTOP);
    }
}
