#pragma once

#include "platform/FileChooser.h"
#include "platform/MessageBoxes.h"
#include "platform/StatusLine.h"

#include <QDir>
#include <csignal>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <utility>
#include <vector>

// The byte-exact layout files under tests/settings/fixtures.
inline std::string Fixture(const std::string& name) {
    std::ifstream in(std::string(SETTINGS_FIXTURES) + "/" + name, std::ios::binary);
    if (!in)
        throw std::runtime_error("missing fixture " + name);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Files in a folder, hidden ones included: shows a temp file left behind.
inline std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const QString& n :
         QDir(QString::fromStdString(folder))
             .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDir::Name))
        names.push_back(n.toStdString());
    return names;
}

// Makes every write past `bytes` in any file of this process fail with
// EFBIG, as a full disk would partway through a write. Restored on exit.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            throw std::runtime_error("cannot limit the file size");
    }
    ~ScopedFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
};

// Message boxes answered in advance; every box shown is kept.
class FakeMessageBoxes : public IMessageBoxes {
public:
    struct Box {
        std::string text;
        unsigned type;
        bool operator==(const Box&) const = default;
    };
    int Show(const std::string& text, unsigned type) override {
        shown.push_back({text, type});
        return answer;
    }
    std::vector<Box> shown;
    int answer = IDOK;
};

// A file chooser that picks the answer given in advance (nothing: Cancel).
class FakeFileChooser : public IFileChooser {
public:
    std::optional<std::string> OpenFile(const std::string& description,
                                        const std::string& pattern) override {
        asked.emplace_back(description, pattern);
        return answer;
    }
    std::optional<std::string> answer;
    std::vector<std::pair<std::string, std::string>> asked;
};

class FakeStatusLine : public IStatusLine {
public:
    void ShowStatus(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};
