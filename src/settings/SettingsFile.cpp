#include "settings/SettingsFile.h"

#include "platform/AtomicFile.h"
#include "platform/FileError.h"
#include "platform/FileNames.h"
#include "platform/TextFile.h"

namespace SettingsFile {

std::string PathIn(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder == ".")
        return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string Read(const std::string& folder, const std::string& name) {
    const std::string path = ResolveNameCase(PathIn(folder, name));
    try {
        return TextFile::ReadAll(path);
    } catch (const FileError& e) {
        if (e.fileName() == name)
            throw;
        throw FileError(e.cause(), name, e.osError());
    }
}

void WriteAtomically(const std::string& folder, std::string_view bytes, const std::string& name) {
    AtomicFile::Write(ResolveNameCase(PathIn(folder, name)), bytes, name,
                      AtomicFile::Durability::Flush);
}

} // namespace SettingsFile
