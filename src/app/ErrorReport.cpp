#include "app/ErrorReport.h"

#include "platform/MessageBoxes.h"

#include <exception>

void ErrorReport::Run(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        Show(e.what());
    } catch (...) {
        Show("An unexpected error occurred.");
    }
}

void ErrorReport::Show(const char* text) {
    if (m_showing)
        return;
    m_showing = true;
    try {
        m_boxes.Show(text, MB_OK | MB_ICONSTOP);
    } catch (...) {
        m_showing = false;
        throw;
    }
    m_showing = false;
}
