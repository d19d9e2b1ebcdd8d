#pragma once

#include <QTemporaryDir>
#include <string>

// A fresh temporary folder that is also the process's current folder for the
// life of the object; the previous current folder comes back afterwards.
class ScopedTestDir {
public:
    ScopedTestDir();
    ~ScopedTestDir();
    ScopedTestDir(const ScopedTestDir&) = delete;
    ScopedTestDir& operator=(const ScopedTestDir&) = delete;

    std::string path() const { return m_dir.path().toStdString(); }
    std::string File(const std::string& name) const { return path() + "/" + name; }
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;

private:
    QTemporaryDir m_dir;
    std::string m_previous;
};
