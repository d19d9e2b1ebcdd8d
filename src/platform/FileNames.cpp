#include "platform/FileNames.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace {

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::string ResolveNameCase(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path p(path);
    if (!p.has_filename())
        return path;
    const fs::path folder = p.has_parent_path() ? p.parent_path() : fs::path(".");
    const std::string wanted = p.filename().string();
    std::string best;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (EqualIgnoringCase(name, wanted) && (best.empty() || name < best))
            best = name;
    }
    if (best.empty())
        return path;
    return p.has_parent_path() ? (p.parent_path() / best).string() : best;
}
