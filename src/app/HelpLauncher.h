#pragma once

#include <cstdint>
#include <string>

class IMessageBoxes;

// Shows the help file in the program's help window.
class IHelpViewer {
public:
    virtual ~IHelpViewer() = default;
    // `anchor` empty: the contents. False when the file cannot be shown.
    virtual bool Show(const std::string& file, const std::string& anchor) = 0;
};

// The help file: the program's path with its extension replaced by ".HLP",
// or ".HLP" appended when the file name has no extension. A dot in a folder
// name is not an extension.
std::string HelpFilePath(const std::string& programPath);

// The anchor in the help file for a help context, e.g. "context-20066".
std::string HelpContextAnchor(uint32_t context);

// The application's help requests, as WinHelp takes them.
class CHelp {
public:
    enum Command : unsigned { HELP_CONTEXT = 1, HELP_CONTENTS = 3 };
    // The help context of a dialog is this plus its template number.
    static constexpr uint32_t kDialogContextBase = 0x20000;

    CHelp(std::string programPath, IHelpViewer& viewer, IMessageBoxes& boxes)
        : m_programPath(std::move(programPath))
        , m_viewer(viewer)
        , m_boxes(boxes) {}

    void WinHelp(uint32_t data, unsigned command);
    // F1 in the dialog with the given template number.
    void ContextHelp(int templateId) { WinHelp(kDialogContextBase + templateId, HELP_CONTEXT); }

private:
    std::string m_programPath;
    IHelpViewer& m_viewer;
    IMessageBoxes& m_boxes;
};
