#include "FtpServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>
#include <algorithm>
#include <stdexcept>

namespace {

const char* FaultName(FtpServer::Fault fault) {
    switch (fault) {
    case FtpServer::Fault::RefuseStor:
        return "refuse-stor";
    case FtpServer::Fault::RefuseDele:
        return "refuse-dele";
    case FtpServer::Fault::RefuseRenameOver:
        return "refuse-rename-over";
    case FtpServer::Fault::RefuseRename:
        return "refuse-rename";
    case FtpServer::Fault::DropMidTransfer:
        return "drop-mid-transfer";
    case FtpServer::Fault::StallBanner:
        return "stall-banner";
    case FtpServer::Fault::StallData:
        return "stall-data";
    case FtpServer::Fault::RefuseConnections:
        return "refuse-connections";
    }
    return "";
}

void WriteBytes(const QString& path, const std::string& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write " + path.toStdString());
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

} // namespace

FtpServer::FtpServer(std::initializer_list<Fault> faults) {
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create the FTP server's folder");
    QDir(m_dir.path()).mkdir("root");
    QDir(m_dir.path()).mkdir("control");
    SetFaults(faults);

    m_process.setProgram("/usr/bin/python3");
    m_process.setArguments({QString(CORVALEN_TEST_SUPPORT_DIR) + "/ftp_server.py", "--root",
                            m_dir.filePath("root"), "--control", m_dir.filePath("control")});
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start();
    if (!m_process.waitForStarted(10000))
        throw std::runtime_error("cannot start /usr/bin/python3 for the FTP server");

    QDeadlineTimer deadline(15000);
    QByteArray out;
    while (!deadline.hasExpired()) {
        if (m_process.canReadLine() ||
            m_process.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            while (m_process.canReadLine()) {
                out = m_process.readLine().trimmed();
                if (out.startsWith("PORT ")) {
                    m_port = out.mid(5).toInt();
                    return;
                }
            }
        } else if (m_process.state() != QProcess::Running) {
            break;
        }
    }
    const std::string err = m_process.readAllStandardError().toStdString();
    m_process.kill();
    m_process.waitForFinished(2000);
    throw std::runtime_error("the FTP server did not start: " + err);
}

FtpServer::~FtpServer() {
    Stop();
}

void FtpServer::Stop() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(5000);
}

std::string FtpServer::root() const {
    return m_dir.filePath("root").toStdString();
}

void FtpServer::SetFaults(std::initializer_list<Fault> faults) {
    std::string text;
    for (Fault f : faults)
        text += std::string(FaultName(f)) + "\n";
    // Written beside and renamed, so the server never reads half a list.
    const QString path = m_dir.filePath("control/faults");
    WriteBytes(path + ".new", text);
    QFile::remove(path);
    QFile::rename(path + ".new", path);
}

void FtpServer::WriteFile(const std::string& name, const std::string& bytes) const {
    WriteBytes(m_dir.filePath("root/" + QString::fromStdString(name)), bytes);
}

std::string FtpServer::ReadFile(const std::string& name) const {
    QFile f(m_dir.filePath("root/" + QString::fromStdString(name)));
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("no file " + name + " on the FTP server");
    return f.readAll().toStdString();
}

bool FtpServer::HasFile(const std::string& name) const {
    return QFile::exists(m_dir.filePath("root/" + QString::fromStdString(name)));
}

std::vector<std::string> FtpServer::Files() const {
    std::vector<std::string> names;
    for (const QString& n : QDir(m_dir.filePath("root")).entryList(QDir::Files | QDir::Hidden))
        names.push_back(n.toStdString());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> FtpServer::Commands() const {
    std::vector<std::string> lines;
    QFile f(m_dir.filePath("control/commands.log"));
    if (!f.open(QIODevice::ReadOnly))
        return lines;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (!line.isEmpty())
            lines.push_back(line.toStdString());
    return lines;
}

int FtpServer::ConnectionsOpened() const {
    const auto lines = Commands();
    return static_cast<int>(std::count(lines.begin(), lines.end(), "CONNECT"));
}

int FtpServer::ConnectionsOpen(int settleMs) const {
    QDeadlineTimer deadline(settleMs);
    for (;;) {
        const auto lines = Commands();
        const int open = static_cast<int>(std::count(lines.begin(), lines.end(), "CONNECT") -
                                          std::count(lines.begin(), lines.end(), "DISCONNECT"));
        if (open == 0 || deadline.hasExpired())
            return open;
        QThread::msleep(20);
    }
}
