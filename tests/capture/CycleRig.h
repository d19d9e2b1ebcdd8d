#pragma once

#include "RecordingComponent.h"
#include "TestDir.h"
#include "app/ProcessValues.h"
#include "capture/CaptureCycle.h"
#include "capture/Schedule.h"
#include "components/CFtpClient.h"
#include "components/CXVideoCtlx.h"
#include "components/ComponentError.h"
#include "platform/Clock.h"
#include "platform/FileError.h"
#include "platform/StatusLine.h"
#include "platform/Timer.h"
#include "settings/SettingsRecord.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

// The settings record and its file, recorded into the shared call log so that
// tests see SaveSettings among the component calls.
class FakeSettings : public IMainSettings {
public:
    explicit FakeSettings(CallLog& log)
        : m_log(log) {}

    SettingsRecord& Record() override { return record; }
    void LoadSettings() override {
        m_log.Add("settings.load");
        if (failLoad)
            throw FileError(FileError::Cause::NotFound, "tamblix.ini");
        record = onDisk;
    }
    void SaveSettings() override {
        m_log.Add("settings.save");
        if (failSave)
            throw FileError(FileError::Cause::DiskFull, "tamblix.ini");
        saved = record;
    }

    SettingsRecord record; // what the window holds
    SettingsRecord onDisk; // what LoadSettings reads
    std::optional<SettingsRecord> saved;
    bool failLoad = false;
    bool failSave = false;

private:
    CallLog& m_log;
};

class FakeTimer : public ITimer {
public:
    explicit FakeTimer(CallLog& log)
        : m_log(log) {}
    void Start(int periodMs) override {
        m_log.Add("timer.start " + std::to_string(periodMs));
        running = true;
    }
    void Stop() override {
        m_log.Add("timer.stop");
        running = false;
    }
    bool IsRunning() const override { return running; }

    bool running = false;

private:
    CallLog& m_log;
};

class FakeStatusLine : public IStatusLine {
public:
    void ShowStatus(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

class FixedClock : public IClock {
public:
    int64_t NowSeconds() const override { return now; }
    int64_t now = 1714564800; // 2024-05-01 12:00:00 UTC
};

// Everything a pass touches, faked, with a registered account and
// components that succeed. The folder is a fresh current folder, so the
// local "Corv2.ini" is whatever the test (or a fetch) puts there.
struct CycleRig {
    CycleRig() {
        ftp.SetResult(CFtpClient::kConnected, CallKind::PropertyGet, Variant::Bool(false));
        ftp.SetResult(CFtpClient::kConnect, CallKind::Method, Variant::Int16(0));
        ftp.SetResult(CFtpClient::kDisconnect, CallKind::Method, Variant::Int16(0));
        ftp.SetResult(CFtpClient::kIPAddress, CallKind::PropertyGet, Variant::Text("192.0.2.7"));
        video.SetResult(CXVideoCtlx::kSaveJpeg, CallKind::Method, Variant::Bool(true));
        ftp.SetScript(CFtpClient::kRemoteFile, CallKind::PropertyPut,
                      [this](std::span<const Variant> args) {
                          remoteFile = args[0].toText();
                          return Variant();
                      });
        // A transfer fails when its remote name is listed; a fetch writes
        // what the server holds, as the real component does.
        ftp.SetScript(CFtpClient::kTransferAction, CallKind::PropertyPut,
                      [this](std::span<const Variant> args) {
                          if (failingTransfers.contains(remoteFile))
                              throw ComponentError(ComponentError::Failed,
                                                   "550 " + remoteFile + ": refused");
                          if (args[0].toInt16() == CFtpClient::kFetch && serverIni)
                              dir.Write("Corv2.ini", *serverIni);
                          if (onTransfer)
                              onTransfer();
                          return Variant();
                      });
        settings.onDisk.accountId = "cam42";
        settings.onDisk.refreshRate = "5";
        settings.record = settings.onDisk;
    }

    std::vector<std::string> Calls() const { return log.entries(); }

    ScopedTestDir dir;
    CallLog log;
    RecordingComponent ftp{"ftp", &log};
    RecordingComponent video{"video", &log};
    CFtpClient ftpWrapper{&ftp};
    CXVideoCtlx videoWrapper{&video};
    FakeSettings settings{log};
    FakeStatusLine status;
    FakeTimer timer{log};
    ProcessValues values;
    FixedClock clock;
    std::optional<std::string> serverIni;   // "Corv2.ini" on the server
    std::set<std::string> failingTransfers; // remote names whose transfer fails
    std::function<void()> onTransfer;       // runs inside every transfer
    std::string remoteFile;
    CaptureCycle cycle{{videoWrapper, ftpWrapper, settings, status, timer, values, clock}};
};
