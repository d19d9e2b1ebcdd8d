#include "app/HelpLauncher.h"

#include "platform/MessageBoxes.h"

#include <cstdio>

std::string HelpFilePath(const std::string& programPath) {
    const auto slash = programPath.find_last_of('/');
    const auto nameStart = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = programPath.find_last_of('.');
    if (dot != std::string::npos && dot > nameStart)
        return programPath.substr(0, dot) + ".HLP";
    return programPath + ".HLP";
}

std::string HelpContextAnchor(uint32_t context) {
    char text[32];
    std::snprintf(text, sizeof text, "context-%x", context);
    return text;
}

void CHelp::WinHelp(uint32_t data, unsigned command) {
    const std::string anchor = command == HELP_CONTEXT ? HelpContextAnchor(data) : std::string();
    if (!m_viewer.Show(HelpFilePath(m_programPath), anchor))
        m_boxes.Show("Failed to launch help.", MB_OK | MB_ICONEXCLAMATION);
}
