#include "FtpTestSupport.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <random>
#include <stdexcept>
#include <turbojpeg.h>

std::string MakeJpeg(size_t bytes, unsigned seed) {
    // Noise at quality 90 costs about 2.3 bytes per pixel.
    const int side = std::max(8, static_cast<int>(std::sqrt(bytes / 2.3)));
    std::vector<unsigned char> pixels(static_cast<size_t>(side) * side * 3);
    std::mt19937 random(seed);
    for (auto& p : pixels)
        p = static_cast<unsigned char>(random());
    tjhandle tj = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    if (tjCompress2(tj, pixels.data(), side, 0, side, TJPF_RGB, &out, &size, TJSAMP_420, 90, 0) !=
        0) {
        tjDestroy(tj);
        throw std::runtime_error("cannot make a JPEG");
    }
    std::string jpeg(reinterpret_cast<char*>(out), size);
    tjFree(out);
    tjDestroy(tj);
    return jpeg;
}

void ProgressRecorder::OnComponentEvent(int, DispId event, std::span<Variant> args) {
    if (event != CFtpClient::kTransferProgress || args.size() != 3)
        throw std::runtime_error("unexpected event");
    if (QThread::currentThread() != QThread::currentThread()->thread() ||
        QThread::currentThread() != QCoreApplication::instance()->thread())
        allOnCallingThread = false;
    percents.push_back(args[2].toInt16());
    if (onEvent)
        onEvent();
}

FtpFixture::FtpFixture(std::initializer_list<FtpServer::Fault> faults, int16_t timeout)
    : server(faults)
    , component(server.port())
    , timeout(timeout) {
    component.Advise(&events, 1000);
}

void FtpFixture::Connect() {
    ftp.SetHostName(FtpServer::kHost);
    ftp.SetOptionFlag(true);
    ftp.SetOptionValue(timeout);
    ftp.Connect();
}

void FtpFixture::Send(const std::string& remote, const std::string& bytes) {
    dir.Write(remote, bytes);
    ftp.SetLocalFile(remote);
    ftp.SetRemoteFile(remote);
    ftp.SetTransferAction(CFtpClient::kSend);
}

std::string FtpFixture::Fetch(const std::string& remote, const std::string& local) {
    ftp.SetLocalFile(local);
    ftp.SetRemoteFile(remote);
    ftp.SetTransferAction(CFtpClient::kFetch);
    return dir.Read(local);
}

::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
    if (actual == expected)
        return ::testing::AssertionSuccess();
    size_t i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i])
        ++i;
    return ::testing::AssertionFailure() << actual.size() << " bytes instead of " << expected.size()
                                         << ", first difference at byte " << i;
}
