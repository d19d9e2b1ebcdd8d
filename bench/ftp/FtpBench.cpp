// Times one pass worth of transfers (a ~100 B fetch, a ~70 KB send, a ~600 B
// send, on one connection) through the file transfer component, against
// curl's command-line tool doing the same in one invocation. Prints both
// medians, their ratio, and where the component's time goes. Not a test:
// figures depend on the machine.
//
//   ftp_bench [runs]
#include "FtpServer.h"
#include "components/CFtpClient.h"
#include "components/ftp/FtpComponent.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sys/resource.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kWarmUp = 3;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Processor time of this process (all its threads), in ms.
double CpuMs() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

double Ms(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
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

enum Phase { kConnect, kFetch, kSendImage, kSendLog, kDisconnect, kPhases };
const char* const kPhaseNames[kPhases] = {"connect", "fetch ~100 B", "send ~70 KB + rename",
                                          "send ~600 B + rename", "QUIT"};

// One pass through the component, as the capture cycle makes it.
std::array<double, kPhases> ComponentPass(CFtpClient& ftp) {
    std::array<double, kPhases> ms{};
    auto t = Clock::now();
    auto lap = [&](Phase p) {
        const auto now = Clock::now();
        ms[p] = Ms(t, now);
        t = now;
    };
    ftp.SetHostName(FtpServer::kHost);
    ftp.SetOptionFlag(true);
    ftp.SetOptionValue(60);
    if (!ftp.GetConnected())
        ftp.Connect();
    lap(kConnect);
    ftp.SetLocalFile("Corv2.ini");
    ftp.SetRemoteFile("Corv2.ini");
    ftp.SetTransferAction(CFtpClient::kFetch);
    lap(kFetch);
    ftp.SetLocalFile("corvalen.jpg");
    ftp.SetRemoteFile("10001.jpg");
    ftp.SetTransferAction(CFtpClient::kSend);
    lap(kSendImage);
    ftp.SetLocalFile("tamblix.ini");
    ftp.SetRemoteFile("10001.log");
    ftp.SetTransferAction(CFtpClient::kSend);
    lap(kSendLog);
    ftp.Disconnect();
    lap(kDisconnect);
    return ms;
}

// The same transfers by curl's command-line tool; --next keeps the connection
// as one pass of the component does.
double CurlPass(const QStringList& args) {
    const auto start = Clock::now();
    QProcess curl;
    curl.start("curl", args);
    curl.waitForFinished(60000);
    const double ms = Ms(start, Clock::now());
    if (curl.exitStatus() != QProcess::NormalExit || curl.exitCode() != 0) {
        std::fprintf(stderr, "curl failed: %s\n", curl.readAllStandardError().constData());
        std::exit(1);
    }
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // calls wait in a live event loop, as in the window
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    FtpServer server;
    server.WriteFile("Corv2.ini", std::string(100, 'i'));
    Write("corvalen.jpg", Random(70000));
    Write("tamblix.ini", std::string(600, 't'));

    const QString base = QString("ftp://%1:%2/").arg(FtpServer::kHost).arg(server.port());
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

    FtpComponent component(server.port());
    CFtpClient ftp(&component);
    // The first passes warm up libcurl, the server and the file cache.
    for (int i = 0; i < kWarmUp; ++i) {
        ComponentPass(ftp);
        CurlPass(curlArgs);
    }
    const size_t commandsBefore = server.Commands().size();
    ComponentPass(ftp);
    const std::vector<std::string> all = server.Commands();
    const std::vector<std::string> onePass(all.begin() + static_cast<long>(commandsBefore),
                                           all.end());

    // Alternating the two spreads the load of other processes over both.
    std::vector<double> ours, cli, cpu;
    std::array<std::vector<double>, kPhases> phases;
    for (int i = 0; i < runs; ++i) {
        const double cpuBefore = CpuMs();
        const auto ms = ComponentPass(ftp);
        cpu.push_back(CpuMs() - cpuBefore);
        double total = 0;
        for (int p = 0; p < kPhases; ++p) {
            phases[p].push_back(ms[p]);
            total += ms[p];
        }
        ours.push_back(total);
        cli.push_back(CurlPass(curlArgs));
    }

    const double a = Median(ours), b = Median(cli);
    std::printf("one pass (fetch ~100 B, send ~70 KB, send ~600 B), median of %d runs\n", runs);
    std::printf("  component (connect, renames, QUIT): %8.2f ms\n", a);
    for (int p = 0; p < kPhases; ++p)
        std::printf("    %-22s           %8.2f ms\n", kPhaseNames[p], Median(phases[p]));
    std::printf("    processor time of the pass           %8.2f ms\n", Median(cpu));
    std::printf("  curl command line, one invocation:  %8.2f ms\n", b);
    std::printf("  ratio component / curl:             %8.2f (goal <= 0.30)\n", a / b);
    std::printf("  commands of one component pass (%zu):", onePass.size());
    for (const std::string& c : onePass)
        std::printf(" %s;", c.c_str());
    std::printf("\n");
    return 0;
}
