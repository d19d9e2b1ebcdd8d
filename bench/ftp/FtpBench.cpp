// Times one pass worth of transfers (a ~100 B fetch, a ~70 KB send, a ~600 B
// send, on one connection) through the file transfer component, against
// curl's command-line tool doing the same in one invocation. Prints both
// medians and their ratio. Not a test: figures depend on the machine.
#include "FtpServer.h"
#include "components/CFtpClient.h"
#include "components/ftp/FtpComponent.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 50;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void Write(const QString& path, const std::string& bytes) {
    FILE* f = std::fopen(path.toLocal8Bit().constData(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string Random(size_t n) {
    std::mt19937 r(7);
    std::string s(n, '\0');
    for (char& c : s)
        c = static_cast<char>(r());
    return s;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // calls wait in a live event loop, as in the window
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    FtpServer server;
    server.WriteFile("Corv2.ini", std::string(100, 'i'));
    Write("corvalen.jpg", Random(70000));
    Write("tamblix.ini", std::string(600, 't'));

    FtpComponent component(server.port());
    CFtpClient ftp(&component);
    std::vector<double> ours;
    for (int i = 0; i < kRuns + 1; ++i) {
        const auto start = Clock::now();
        ftp.SetHostName(FtpServer::kHost);
        ftp.SetOptionFlag(true);
        ftp.SetOptionValue(60);
        if (!ftp.GetConnected())
            ftp.Connect();
        ftp.SetLocalFile("Corv2.ini");
        ftp.SetRemoteFile("Corv2.ini");
        ftp.SetTransferAction(CFtpClient::kFetch);
        ftp.SetLocalFile("corvalen.jpg");
        ftp.SetRemoteFile("10001.jpg");
        ftp.SetTransferAction(CFtpClient::kSend);
        ftp.SetLocalFile("tamblix.ini");
        ftp.SetRemoteFile("10001.log");
        ftp.SetTransferAction(CFtpClient::kSend);
        ftp.Disconnect();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (i > 0) // the first run warms up libcurl and the server
            ours.push_back(ms);
    }

    const QString base = QString("ftp://%1:%2/").arg(FtpServer::kHost).arg(server.port());
    // --next keeps the connection, as one pass of the component does.
    const QStringList curlArgs = {"-sS",
                                  base + "Corv2.ini",
                                  "-o",
                                  "Corv2.cli",
                                  "--next",
                                  "-sS",
                                  "-T",
                                  "corvalen.jpg",
                                  base + "10001cli.jpg",
                                  "--next",
                                  "-sS",
                                  "-T",
                                  "tamblix.ini",
                                  base + "10001cli.log"};
    std::vector<double> cli;
    for (int i = 0; i < kRuns + 1; ++i) {
        const auto start = Clock::now();
        QProcess curl;
        curl.start("curl", curlArgs);
        curl.waitForFinished(60000);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (curl.exitCode() != 0) {
            std::fprintf(stderr, "curl failed: %s\n", curl.readAllStandardError().constData());
            return 1;
        }
        if (i > 0)
            cli.push_back(ms);
    }

    const double a = Median(ours), b = Median(cli);
    std::printf("one pass (fetch ~100 B, send ~70 KB, send ~600 B), median of %d runs\n", kRuns);
    std::printf("  component (connect, renames, QUIT): %8.2f ms\n", a);
    std::printf("  curl command line, one invocation:  %8.2f ms\n", b);
    std::printf("  ratio component / curl:             %8.2f (goal <= 0.30)\n", a / b);
    return 0;
}
