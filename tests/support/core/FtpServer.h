#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <initializer_list>
#include <string>
#include <vector>

// A real FTP server for tests: pyftpdlib (tests/support/ftp_server.py) run by
// /usr/bin/python3 on 127.0.0.1 and a free port. The anonymous user may read,
// write, rename and delete in a fresh root folder. The server is ready when
// the constructor returns and is killed by the destructor; it also ends by
// itself when the test process goes away or after ten minutes.
//
//   FtpServer server;                        // a well-behaved server
//   server.WriteFile("Corv2.ini", "Refresh = 5\r\n");
//   ftp.SetPort(server.port());              // connect to 127.0.0.1
//   ...
//   EXPECT_EQ(server.ReadFile("1234.jpg"), jpegBytes);
//
//   FtpServer refusing({FtpServer::Fault::RefuseStor});
//   server.SetFaults({FtpServer::Fault::StallData}); // from the next command on
//
// Faults make the server misbehave in one way each; see Fault.
class FtpServer {
public:
    enum class Fault {
        RefuseStor,        // STOR answers 550, nothing is stored
        RefuseDele,        // DELE answers 550
        RefuseRenameOver,  // RNTO onto an existing file answers 550
        RefuseRename,      // RNFR answers 502: no renaming at all
        DropMidTransfer,   // RETR/STOR move part of the data, then both connections drop
        StallBanner,       // new connections never get their greeting
        StallData,         // RETR/STOR open the data channel and move nothing
        RefuseConnections, // constructor only: port() is a port where nothing listens
    };

    explicit FtpServer(std::initializer_list<Fault> faults = {});
    ~FtpServer();
    // Kills the server now: its connections close as if it had crashed.
    void Stop();
    FtpServer(const FtpServer&) = delete;
    FtpServer& operator=(const FtpServer&) = delete;

    static constexpr const char* kHost = "127.0.0.1";
    int port() const { return m_port; }
    // Absolute path of the folder the anonymous user sees as "/".
    std::string root() const;

    // Replaces the active faults; the server reads them before each command,
    // so they apply to connections that are already open.
    void SetFaults(std::initializer_list<Fault> faults);

    // Files in the root folder, bypassing FTP.
    void WriteFile(const std::string& name, const std::string& bytes) const;
    std::string ReadFile(const std::string& name) const; // raises when missing
    bool HasFile(const std::string& name) const;
    std::vector<std::string> Files() const; // sorted names

    // The command lines the server received so far, in order ("USER anonymous",
    // "STOR 1234.jpg.part", ...), with "CONNECT" and "DISCONNECT" for each
    // control connection.
    std::vector<std::string> Commands() const;
    // Control connections opened so far, and those still open. A connection
    // closed by the client shows up a moment later; this waits up to
    // `settleMs` for the count to drop to zero.
    int ConnectionsOpened() const;
    int ConnectionsOpen(int settleMs = 2000) const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
};
