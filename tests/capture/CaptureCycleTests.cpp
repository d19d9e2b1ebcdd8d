#include "CycleRig.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

namespace {

using Texts = std::vector<std::string>;

// The report shows local time; pin the zone so the texts are exact.
class CycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
    }
    CycleRig rig;
};

// Index of the first log entry equal to `entry`, or -1.
long IndexOf(const std::vector<std::string>& log, const std::string& entry) {
    auto it = std::find(log.begin(), log.end(), entry);
    return it == log.end() ? -1 : static_cast<long>(it - log.begin());
}

TEST_F(CycleTest, CleanPassShowsEveryStageAndCallsInOrder) {
    rig.serverIni = "Refresh Rate = 7\r\n";

    rig.cycle.CaptureAndPublish();

    EXPECT_THAT(rig.status.texts,
                ElementsAre("Capturing...", "Capturing...", "Done...", "Sending To Web...",
                            "Sending To Web...", "Completed...", "1"));
    EXPECT_THAT(rig.Calls(), ElementsAre("timer.stop",                         //
                                         "video.call 19 \"Corvalen.jpg\" 100", //
                                         "video.put 35 true",                  //
                                         "ftp.put 4 true",                     //
                                         "ftp.put 19 60s",                     //
                                         "ftp.get 26",                         //
                                         "ftp.call 50",                        //
                                         "ftp.get 32",                         //
                                         "ftp.put 9 \"Corv2.ini\"",            //
                                         "ftp.put 13 \"Corv2.ini\"",           //
                                         "ftp.put 2 5s",                       //
                                         "ftp.put 9 \"corvalen.jpg\"",         //
                                         "ftp.put 13 \"cam42.jpg\"",           //
                                         "ftp.put 2 6s",                       //
                                         "settings.save",                      //
                                         "ftp.put 9 \"tamblix.ini\"",          //
                                         "ftp.put 13 \"cam42.log\"",           //
                                         "ftp.put 2 6s",                       //
                                         "ftp.call 53",                        //
                                         "timer.start 1000"));
    EXPECT_TRUE(rig.timer.running);
    EXPECT_EQ(rig.values.g_nImageCount, 1);
    // The fetched server value applies at once: 7 minutes beats 5.
    EXPECT_EQ(rig.values.g_nInterval, 420);
    // The page file sent carries the address the component reported.
    ASSERT_TRUE(rig.settings.saved);
    EXPECT_EQ(rig.settings.saved->ipText, "192.0.2.7");
    EXPECT_TRUE(rig.cycle.LastPass().AllSucceeded());
    EXPECT_EQ(rig.cycle.LastPassText(), "Last pass 2024-05-01 12:00:00: all transfers succeeded.");
    EXPECT_FALSE(rig.cycle.IsRunning());
}

TEST_F(CycleTest, AlreadyConnectedDoesNotConnectAgain) {
    rig.ftp.SetResult(CFtpClient::kConnected, CallKind::PropertyGet, Variant::Bool(true));
    rig.cycle.CaptureAndPublish();
    EXPECT_EQ(rig.ftp.CallCount(CFtpClient::kConnect, CallKind::Method), 0);
    EXPECT_EQ(rig.ftp.CallCount(CFtpClient::kDisconnect, CallKind::Method), 1);
}

TEST_F(CycleTest, NoServerFileAnywhereKeepsTheRefreshRate) {
    rig.settings.record.refreshRate = "8";
    rig.cycle.CaptureAndPublish();
    EXPECT_EQ(rig.values.g_nInterval, 480);
}

struct AccountCase {
    const char* name;
    std::string accountId;
    bool clickRegister;
};

class AccountName : public CycleTest, public ::testing::WithParamInterface<AccountCase> {};

TEST_P(AccountName, PublishesUnderTheAccountIdAndPromptsOnlyTheExactPlaceholder) {
    rig.settings.record.accountId = GetParam().accountId;
    rig.cycle.CaptureAndPublish();

    Texts expected = {"Capturing...", "Capturing...", "Done...", "Sending To Web..."};
    if (GetParam().clickRegister)
        expected.push_back("Click Register ...");
    expected.insert(expected.end(), {"Sending To Web...", "Completed...", "1"});
    EXPECT_THAT(rig.status.texts, ElementsAreArray(expected));
    const auto calls = rig.Calls();
    EXPECT_GE(IndexOf(calls, "ftp.put 13 \"" + GetParam().accountId + ".jpg\""), 0);
    EXPECT_GE(IndexOf(calls, "ftp.put 13 \"" + GetParam().accountId + ".log\""), 0);
}

INSTANTIATE_TEST_SUITE_P(Cycle, AccountName,
                         ::testing::Values(AccountCase{"Unregistered", "Unregistered", true},
                                           AccountCase{"LowerCase", "unregistered", false},
                                           AccountCase{"Trailing blank", "Unregistered ", false},
                                           AccountCase{"Registered", "cam42", false}),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             std::replace(n.begin(), n.end(), ' ', '_');
                             return n;
                         });

// A guarded step that fails is reported and the pass goes on. The local
// "Corv2.ini" starts missing and the server holds 7 minutes against a refresh
// rate of 6: 420 means the interval was computed after a good fetch, 360 that
// it was computed at a failure point without a server value, and 1234 (the
// value before the pass) that it was not computed at all.
struct GuardedCase {
    const char* name;
    bool failConnected;
    bool failConnect;
    std::set<std::string> failing;
    Texts statuses;
    int32_t interval;
    std::string report;
};

class GuardedStep : public CycleTest, public ::testing::WithParamInterface<GuardedCase> {};

TEST_P(GuardedStep, IsReportedAndThePassGoesOn) {
    const GuardedCase& c = GetParam();
    rig.settings.record.refreshRate = "6";
    rig.serverIni = "Refresh Rate = 7\r\n";
    rig.values.g_nInterval = 1234;
    if (c.failConnected)
        rig.ftp.FailOn(CFtpClient::kConnected, CallKind::PropertyGet);
    if (c.failConnect)
        rig.ftp.FailOn(CFtpClient::kConnect, CallKind::Method);
    rig.failingTransfers = c.failing;

    ASSERT_NO_THROW(rig.cycle.CaptureAndPublish());

    EXPECT_THAT(rig.status.texts, ElementsAreArray(c.statuses));
    EXPECT_EQ(rig.values.g_nInterval, c.interval);
    EXPECT_EQ(rig.values.g_nImageCount, 1);
    const auto calls = rig.Calls();
    // Every transfer is still attempted, the settings file is written before
    // it is sent, and the pass ends connected to nothing with the timer on.
    EXPECT_GE(IndexOf(calls, "ftp.put 13 \"cam42.jpg\""), 0);
    EXPECT_LT(IndexOf(calls, "settings.save"), IndexOf(calls, "ftp.put 9 \"tamblix.ini\""));
    EXPECT_EQ(calls.end()[-2], "ftp.call 53");
    EXPECT_EQ(calls.back(), "timer.start 1000");
    EXPECT_EQ(rig.cycle.LastPassText(), "Last pass 2024-05-01 12:00:00: " + c.report);
}

const Texts kStart = {"Capturing...", "Capturing...", "Done..."};
Texts Seq(std::initializer_list<std::string> tail) {
    Texts t = kStart;
    t.insert(t.end(), tail);
    return t;
}

INSTANTIATE_TEST_SUITE_P(
    Cycle, GuardedStep,
    ::testing::Values(
        GuardedCase{"ConnectFails",
                    false,
                    true,
                    {},
                    Seq({"Unable to connect...", "Sending To Web...", "Sending To Web...",
                         "Completed...", "1"}),
                    420,
                    "could not connect."},
        GuardedCase{"ReadingConnectedFails",
                    true,
                    false,
                    {},
                    Seq({"Unable to connect...", "Sending To Web...", "Sending To Web...",
                         "Completed...", "1"}),
                    420,
                    "could not connect."},
        GuardedCase{"FetchFails",
                    false,
                    false,
                    {"Corv2.ini"},
                    Seq({"Sending To Web...", "Error getting ini ...", "Sending To Web...",
                         "Completed...", "1"}),
                    1234,
                    "could not fetch the server settings."},
        GuardedCase{"ImageSendFails",
                    false,
                    false,
                    {"cam42.jpg"},
                    Seq({"Sending To Web...", "Unable to send jpeg...", "Sending To Web...",
                         "Completed...", "1"}),
                    420,
                    "could not send the image."},
        GuardedCase{"LogSendFails",
                    false,
                    false,
                    {"cam42.log"},
                    Seq({"Sending To Web...", "Sending To Web...", "Unable to send log...",
                         "Completed...", "1"}),
                    420,
                    "could not send the page file."},
        GuardedCase{"ConnectFailsWithoutServerFile",
                    false,
                    true,
                    {"Corv2.ini"},
                    Seq({"Unable to connect...", "Sending To Web...", "Error getting ini ...",
                         "Sending To Web...", "Completed...", "1"}),
                    360,
                    "could not connect; could not fetch the server settings."},
        GuardedCase{"ImageSendFailsWithoutServerFile",
                    false,
                    false,
                    {"Corv2.ini", "cam42.jpg"},
                    Seq({"Sending To Web...", "Error getting ini ...", "Unable to send jpeg...",
                         "Sending To Web...", "Completed...", "1"}),
                    360,
                    "could not fetch the server settings; could not send the image."},
        GuardedCase{"LogSendFailsWithoutServerFile",
                    false,
                    false,
                    {"Corv2.ini", "cam42.log"},
                    Seq({"Sending To Web...", "Error getting ini ...", "Sending To Web...",
                         "Unable to send log...", "Completed...", "1"}),
                    360,
                    "could not fetch the server settings; could not send the page file."},
        GuardedCase{"UnreachableHost",
                    false,
                    true,
                    {"Corv2.ini", "cam42.jpg", "cam42.log"},
                    Seq({"Unable to connect...", "Sending To Web...", "Error getting ini ...",
                         "Unable to send jpeg...", "Sending To Web...", "Unable to send log...",
                         "Completed...", "1"}),
                    360,
                    "could not connect; could not fetch the server settings; could not send "
                    "the image; could not send the page file."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CycleTest, FailedFetchRestartsTheTimerAtOnce) {
    rig.failingTransfers = {"Corv2.ini"};
    bool runningDuringImageSend = false;
    rig.onTransfer = [&] { runningDuringImageSend = rig.timer.running; };

    rig.cycle.CaptureAndPublish();

    const auto calls = rig.Calls();
    const long fetch = IndexOf(calls, "ftp.put 2 5s");
    ASSERT_GE(fetch, 0);
    EXPECT_EQ(calls[fetch + 1], "timer.start 1000");
    EXPECT_EQ(calls[fetch + 2], "ftp.put 9 \"corvalen.jpg\"");
    EXPECT_TRUE(runningDuringImageSend);
    EXPECT_EQ(calls.back(), "timer.start 1000");
}

TEST_F(CycleTest, SettingsFileIsRewrittenEvenWhenTheImageWasNotSent) {
    rig.failingTransfers = {"cam42.jpg"};
    rig.cycle.CaptureAndPublish();
    EXPECT_TRUE(rig.settings.saved);
    EXPECT_EQ(rig.ftp.CallCount(CFtpClient::kTransferAction, CallKind::PropertyPut), 3);
}

// An unguarded step that fails ends the pass there; the error reaches the
// caller, but the timer runs again so the schedule retries.
struct UnguardedCase {
    const char* name;
    std::function<void(CycleRig&)> breakIt;
    int32_t count;           // g_nImageCount afterwards
    std::string lastStatus;  // what the status line keeps
    std::string neverCalled; // a later step that must not run
};

class UnguardedStep : public CycleTest, public ::testing::WithParamInterface<UnguardedCase> {};

TEST_P(UnguardedStep, EndsThePassButKeepsTheScheduleAlive) {
    const UnguardedCase& c = GetParam();
    c.breakIt(rig);

    EXPECT_ANY_THROW(rig.cycle.CaptureAndPublish());

    EXPECT_TRUE(rig.timer.running);
    EXPECT_EQ(rig.Calls().back(), "timer.start 1000");
    EXPECT_EQ(IndexOf(rig.Calls(), c.neverCalled), -1);
    EXPECT_EQ(rig.values.g_nImageCount, c.count);
    EXPECT_EQ(rig.status.texts.back(), c.lastStatus);
    EXPECT_FALSE(rig.cycle.IsRunning());
    EXPECT_FALSE(rig.cycle.LastPass().AllSucceeded());
    EXPECT_THAT(rig.cycle.LastPassText(), HasSubstr("stopped by an error: "));
}

INSTANTIATE_TEST_SUITE_P(
    Cycle, UnguardedStep,
    ::testing::Values(
        UnguardedCase{"Capture",
                      [](CycleRig& r) { r.video.FailOn(CXVideoCtlx::kSaveJpeg, CallKind::Method); },
                      0, "Capturing...", "ftp.put 4 true"},
        UnguardedCase{
            "FreshFrame",
            [](CycleRig& r) { r.video.FailOn(CXVideoCtlx::kFreshFrame, CallKind::PropertyPut); }, 0,
            "Done...", "ftp.put 4 true"},
        UnguardedCase{
            "OptionFlag",
            [](CycleRig& r) { r.ftp.FailOn(CFtpClient::kOptionFlag, CallKind::PropertyPut); }, 1,
            "Done...", "ftp.get 26"},
        UnguardedCase{
            "IPAddress",
            [](CycleRig& r) { r.ftp.FailOn(CFtpClient::kIPAddress, CallKind::PropertyGet); }, 1,
            "Sending To Web...", "ftp.put 2 5s"},
        UnguardedCase{
            "LocalFileName",
            [](CycleRig& r) { r.ftp.FailOn(CFtpClient::kLocalFile, CallKind::PropertyPut); }, 1,
            "Sending To Web...", "ftp.put 2 5s"},
        UnguardedCase{"SaveSettings", [](CycleRig& r) { r.settings.failSave = true; }, 1,
                      "Sending To Web...", "ftp.put 9 \"tamblix.ini\""},
        UnguardedCase{"Disconnect",
                      [](CycleRig& r) { r.ftp.FailOn(CFtpClient::kDisconnect, CallKind::Method); },
                      1, "Completed...", "no such call"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CycleTest, SaveSettingsFailureNamesTheFileInTheReport) {
    rig.settings.failSave = true;
    EXPECT_THROW(rig.cycle.CaptureAndPublish(), FileError);
    EXPECT_EQ(rig.cycle.LastPassText(), "Last pass 2024-05-01 12:00:00: stopped by an error: "
                                        "The disk is full while writing tamblix.ini.");
}

TEST_F(CycleTest, CountGoesUpOnEveryPassThatGetsPastTheCapture) {
    rig.ftp.FailOn(CFtpClient::kConnect, CallKind::Method);
    rig.failingTransfers = {"Corv2.ini", "cam42.jpg", "cam42.log"};
    rig.cycle.CaptureAndPublish();
    EXPECT_EQ(rig.status.texts.back(), "1");

    rig.video.FailOn(CXVideoCtlx::kSaveJpeg, CallKind::Method, 1);
    EXPECT_ANY_THROW(rig.cycle.CaptureAndPublish());
    EXPECT_EQ(rig.values.g_nImageCount, 1);

    rig.settings.failSave = true;
    EXPECT_ANY_THROW(rig.cycle.CaptureAndPublish());
    EXPECT_EQ(rig.values.g_nImageCount, 2);

    rig.settings.failSave = false;
    rig.ftp.ClearFailure(CFtpClient::kConnect, CallKind::Method);
    rig.failingTransfers.clear();
    rig.cycle.CaptureAndPublish();
    EXPECT_EQ(rig.status.texts.back(), "3");
}

TEST_F(CycleTest, EmptyAccountIdPublishesNothing) {
    rig.settings.record.accountId = "";
    rig.settings.record.refreshRate = "6";
    rig.values.g_nInterval = 1234;
    rig.failingTransfers = {"Corv2.ini"}; // so only the skipped sends compute the interval

    rig.cycle.CaptureAndPublish();

    EXPECT_THAT(rig.status.texts,
                ElementsAreArray(
                    Seq({"Sending To Web...", "Error getting ini ...", "Unable to send jpeg...",
                         "Sending To Web...", "Unable to send log...", "Completed...", "1"})));
    EXPECT_EQ(rig.ftp.CallCount(CFtpClient::kTransferAction, CallKind::PropertyPut), 1);
    const auto calls = rig.Calls();
    EXPECT_EQ(IndexOf(calls, "ftp.put 13 \".jpg\""), -1);
    EXPECT_EQ(IndexOf(calls, "ftp.put 13 \".log\""), -1);
    EXPECT_EQ(IndexOf(calls, "ftp.put 2 6s"), -1);
    EXPECT_GE(IndexOf(calls, "settings.save"), 0);
    EXPECT_EQ(rig.values.g_nInterval, 360);
    EXPECT_EQ(rig.cycle.LastPassText(),
              "Last pass 2024-05-01 12:00:00: could not fetch the server settings; could not "
              "send the image (no account ID); could not send the page file (no account ID).");
}

TEST_F(CycleTest, NoSecondPassStartsInsideARunningOne) {
    int nested = 0;
    rig.onTransfer = [&] {
        ++nested;
        rig.cycle.CaptureAndPublish();
    };
    rig.cycle.CaptureAndPublish();

    EXPECT_EQ(nested, 3);
    EXPECT_EQ(rig.video.CallCount(CXVideoCtlx::kSaveJpeg, CallKind::Method), 1);
    EXPECT_EQ(rig.values.g_nImageCount, 1);
    EXPECT_EQ(rig.status.texts.back(), "1");
    // Once it is over, the next pass runs.
    rig.onTransfer = nullptr;
    rig.cycle.CaptureAndPublish();
    EXPECT_EQ(rig.values.g_nImageCount, 2);
}

TEST_F(CycleTest, ReportKeepsTheLastFinishedPassWhileTheNextRuns) {
    EXPECT_EQ(rig.cycle.LastPassText(), "No pass has run yet.");
    rig.failingTransfers = {"cam42.jpg"};
    rig.cycle.CaptureAndPublish();

    std::string during;
    rig.clock.now += 300;
    rig.failingTransfers.clear();
    rig.onTransfer = [&] { during = rig.cycle.LastPassText(); };
    rig.cycle.CaptureAndPublish();

    EXPECT_EQ(during, "Last pass 2024-05-01 12:00:00: could not send the image.");
    EXPECT_EQ(rig.cycle.LastPassText(), "Last pass 2024-05-01 12:05:00: all transfers succeeded.");
}

TEST_F(CycleTest, ComputeIntervalReadsTheLocalServerFile) {
    rig.settings.record.refreshRate = "5";
    rig.dir.Write("Corv2.ini", "NewUID = x\r\nRefresh Rate = 10\r\n");
    rig.cycle.ComputeInterval();
    EXPECT_EQ(rig.values.g_nInterval, 600);
}

} // namespace
