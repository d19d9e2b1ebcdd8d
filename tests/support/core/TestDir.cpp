#include "TestDir.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

ScopedTestDir::ScopedTestDir() {
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    m_previous = QDir::currentPath().toStdString();
    QDir::setCurrent(m_dir.path());
}

ScopedTestDir::~ScopedTestDir() {
    QDir::setCurrent(QString::fromStdString(m_previous));
}

void ScopedTestDir::Write(const std::string& name, const std::string& bytes) const {
    QFile f(QString::fromStdString(File(name)));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write " + name);
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string ScopedTestDir::Read(const std::string& name) const {
    QFile f(QString::fromStdString(File(name)));
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + name);
    return f.readAll().toStdString();
}

bool ScopedTestDir::Exists(const std::string& name) const {
    return QFile::exists(QString::fromStdString(File(name)));
}
