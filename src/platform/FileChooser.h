#pragma once

#include <optional>
#include <string>

// The file-open chooser: one filter entry, no file name, no default
// extension, no initial folder. Tests answer it in advance.
class IFileChooser {
public:
    virtual ~IFileChooser() = default;
    // The chosen file's full path, or nothing when the user cancelled.
    virtual std::optional<std::string> OpenFile(const std::string& description,
                                                const std::string& pattern) = 0;
};
