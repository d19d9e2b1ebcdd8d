#include "capture/ServerParams.h"

#include "platform/FileError.h"
#include "platform/FileNames.h"
#include "platform/TextFile.h"

namespace ServerParams {

namespace {
constexpr std::string_view kKey = "Refresh";
constexpr size_t kValueStart = 15;
} // namespace

std::string RefreshValue(std::string_view text) {
    std::string value;
    for (const std::string& line : TextFile::SplitLines(text)) {
        if (!line.starts_with(kKey))
            continue;
        value = line.size() > kValueStart ? line.substr(kValueStart) : std::string();
    }
    return value;
}

std::string ReadRefreshValue(const std::string& path) {
    try {
        // The fetch may have landed under another spelling of the name.
        return RefreshValue(TextFile::ReadAll(ResolveNameCase(path)));
    } catch (const FileError&) {
        // The file comes from the server on each pass; until a fetch has
        // succeeded there may be none, and that only means "no server value".
        return {};
    }
}

} // namespace ServerParams
