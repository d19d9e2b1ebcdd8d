#include "platform/TextFile.h"

#include "platform/FileError.h"

#include <cerrno>
#include <cstdio>
#include <memory>

namespace TextFile {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t lf = text.find('\n', start);
        size_t end = lf == std::string_view::npos ? text.size() : lf;
        size_t lineEnd = end;
        if (lf != std::string_view::npos && lineEnd > start && text[lineEnd - 1] == '\r')
            --lineEnd;
        lines.emplace_back(text.substr(start, lineEnd - start));
        start = end + 1;
    }
    return lines;
}

std::string ReadAll(const std::string& path) {
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f)
        throw FileError::FromErrno(errno, path);
    std::string data;
    char buffer[8192];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0)
        data.append(buffer, n);
    if (std::ferror(f.get()))
        throw FileError::FromErrno(errno ? errno : EIO, path);
    return data;
}

} // namespace TextFile
