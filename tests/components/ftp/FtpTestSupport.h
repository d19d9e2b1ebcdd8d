#pragma once

#include "FtpServer.h"
#include "TestDir.h"
#include "components/CFtpClient.h"
#include "components/ftp/FtpComponent.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// A real JPEG of about `bytes` bytes (noise compresses badly, so the size is
// easy to aim at).
std::string MakeJpeg(size_t bytes, unsigned seed = 1);

// Equal bytes, reported by size and first difference rather than dumped.
::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected);

// The host's side: records every TransferProgress and may run a handler.
class ProgressRecorder : public IEventSink {
public:
    void OnComponentEvent(int controlId, DispId event, std::span<Variant> args) override;

    std::vector<int> percents;
    bool allOnCallingThread = true;
    std::function<void()> onEvent;
};

// A component connected to its own real server, in a fresh current folder.
class FtpFixture {
public:
    explicit FtpFixture(std::initializer_list<FtpServer::Fault> faults = {}, int16_t timeout = 2);

    void Connect();
    // Sends bytes written to a local file of the same name.
    void Send(const std::string& remote, const std::string& bytes);
    std::string Fetch(const std::string& remote, const std::string& local = "fetched");

    ScopedTestDir dir;
    FtpServer server;
    FtpComponent component;
    CFtpClient ftp{&component};
    ProgressRecorder events;
    int16_t timeout;
};
