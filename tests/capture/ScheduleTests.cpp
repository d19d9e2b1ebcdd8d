#include "CorvalenConfig.h"
#include "CycleRig.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

class ScheduleTest : public ::testing::Test {
protected:
    ScheduleTest() {
        // Start reads the settings file: what is on disk is what counts.
        rig.settings.record = {};
    }

    // Ticks `n` times and returns the status texts they showed.
    std::vector<std::string> Tick(int n = 1) {
        rig.status.texts.clear();
        for (int i = 0; i < n; ++i)
            schedule.OnTimer(1);
        return rig.status.texts;
    }
    int Passes() const { return rig.video.CallCount(CXVideoCtlx::kSaveJpeg, CallKind::Method); }
    long IndexOf(const std::string& entry) const {
        const auto& log = rig.log.entries();
        auto it = std::find(log.begin(), log.end(), entry);
        return it == log.end() ? -1 : static_cast<long>(it - log.begin());
    }

    CycleRig rig;
    bool enrolGoesOn = true;
    Schedule schedule{
        {rig.cycle, rig.settings, rig.ftpWrapper, rig.status, rig.timer, rig.values, [this] {
             rig.log.Add("enrol");
             return enrolGoesOn;
         }}};
};

const std::string kHostPut = std::string("ftp.put 7 \"") + CORVALEN_SERVICE_HOST + "\"";

TEST_F(ScheduleTest, StartLoadsSetsTheHostAndRunsAPassAtOnce) {
    schedule.OnStart();

    const auto& calls = rig.log.entries();
    ASSERT_GE(calls.size(), 5u);
    EXPECT_THAT(std::vector<std::string>(calls.begin(), calls.begin() + 5),
                ElementsAre("timer.start 1000", "settings.load", kHostPut, "timer.stop",
                            "video.call 19 \"Corvalen.jpg\" 100"));
    EXPECT_EQ(calls.back(), "timer.start 1000");
    EXPECT_EQ(rig.settings.saved->accountId, "cam42");
    EXPECT_EQ(Passes(), 1);
}

TEST_F(ScheduleTest, FirstTickAfterStartShows299) {
    schedule.OnStart();
    EXPECT_THAT(Tick(), ElementsAre("Timer", "Seconds until next capture...299"));
}

TEST_F(ScheduleTest, PassStartsOnTheTickThatShowsMinusOne) {
    schedule.OnStart();
    const auto shown = Tick(300);
    EXPECT_EQ(shown.back(), "Seconds until next capture...0");
    EXPECT_EQ(Passes(), 1);

    const auto pass = Tick();
    ASSERT_GE(pass.size(), 3u);
    EXPECT_EQ(pass[0], "Timer");
    EXPECT_EQ(pass[1], "Seconds until next capture...-1");
    EXPECT_EQ(pass[2], "Capturing...");
    EXPECT_EQ(pass.back(), "2");
    EXPECT_EQ(Passes(), 2);
    EXPECT_EQ(rig.values.g_nElapsed, 0);
    EXPECT_THAT(Tick(), ElementsAre("Timer", "Seconds until next capture...299"));
}

struct IntervalCase {
    const char* name;
    std::string refreshRate;
    std::optional<std::string> localServerFile;
    std::string firstTick;
};

class StartInterval : public ScheduleTest, public ::testing::WithParamInterface<IntervalCase> {};

TEST_P(StartInterval, FollowsTheSettingsFromTheFirstCountdown) {
    rig.settings.onDisk.refreshRate = GetParam().refreshRate;
    if (GetParam().localServerFile)
        rig.dir.Write("Corv2.ini", *GetParam().localServerFile);
    schedule.OnStart();
    EXPECT_THAT(Tick(), ElementsAre("Timer", GetParam().firstTick));
}

INSTANTIATE_TEST_SUITE_P(
    Schedule, StartInterval,
    ::testing::Values(
        IntervalCase{"RefreshTen", "10", std::nullopt, "Seconds until next capture...599"},
        IntervalCase{"RefreshOne", "1", std::nullopt, "Seconds until next capture...59"},
        IntervalCase{"ZeroCountsAsFiveSoNoPassOnEveryTick", "0", std::nullopt,
                     "Seconds until next capture...299"},
        IntervalCase{"ServerFileSlowsItDown", "5", "Refresh Rate = 7\r\n",
                     "Seconds until next capture...419"},
        IntervalCase{"HugeRefreshSaturates", "99999999999", std::nullopt,
                     "Seconds until next capture...2147483646"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScheduleTest, ShortestIntervalReachesAPassEveryMinute) {
    rig.settings.onDisk.refreshRate = "1";
    schedule.OnStart();
    Tick(60);
    EXPECT_EQ(Passes(), 1);
    Tick();
    EXPECT_EQ(Passes(), 2);
}

TEST_F(ScheduleTest, StartDuringTheCountdownRunsAPassAndResetsNothing) {
    schedule.OnStart();
    Tick(100);

    schedule.OnStart();

    EXPECT_EQ(Passes(), 2);
    EXPECT_EQ(rig.values.g_nElapsed, 100);
    EXPECT_EQ(rig.values.g_nImageCount, 2);
    EXPECT_THAT(Tick(), ElementsAre("Timer", "Seconds until next capture...199"));
}

struct EnrolCase {
    const char* name;
    std::string accountId;
    bool enrols;
};

class EnrolmentBranch : public ScheduleTest, public ::testing::WithParamInterface<EnrolCase> {};

TEST_P(EnrolmentBranch, RunsOnlyWithoutARealAccountAndBeforeTheHostIsSet) {
    rig.settings.onDisk.accountId = GetParam().accountId;
    schedule.OnStart();
    const long enrol = IndexOf("enrol");
    if (GetParam().enrols) {
        ASSERT_GE(enrol, 0);
        EXPECT_GT(enrol, IndexOf("settings.load"));
        EXPECT_LT(enrol, IndexOf(kHostPut));
    } else {
        EXPECT_EQ(enrol, -1);
    }
    EXPECT_EQ(Passes(), 1);
}

INSTANTIATE_TEST_SUITE_P(Schedule, EnrolmentBranch,
                         ::testing::Values(EnrolCase{"Unregistered", "Unregistered", true},
                                           EnrolCase{"LowerCase", "unregistered", false},
                                           EnrolCase{"Empty", "", true},
                                           EnrolCase{"Registered", "cam42", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScheduleTest, NoPassWhenEnrolmentGivesUp) {
    rig.settings.onDisk.accountId = "Unregistered";
    enrolGoesOn = false;

    schedule.OnStart();

    EXPECT_EQ(Passes(), 0);
    EXPECT_EQ(IndexOf(kHostPut), -1);
    EXPECT_FALSE(rig.timer.running);
}

TEST_F(ScheduleTest, WithoutEnrolmentAnEmptyAccountRunsAPassThatSendsNothing) {
    Schedule bare{
        {rig.cycle, rig.settings, rig.ftpWrapper, rig.status, rig.timer, rig.values, nullptr}};
    rig.settings.onDisk.accountId = "";
    bare.OnStart();
    EXPECT_EQ(Passes(), 1);
    EXPECT_EQ(IndexOf("ftp.put 2 6s"), -1);
}

TEST_F(ScheduleTest, UnreadableSettingsStopTheTimerAndSayWhy) {
    rig.settings.failLoad = true;

    schedule.OnStart();

    EXPECT_THAT(rig.log.entries(), ElementsAre("timer.start 1000", "settings.load", "timer.stop"));
    EXPECT_THAT(rig.status.texts, ElementsAre("tamblix.ini was not found."));
    EXPECT_FALSE(rig.timer.running);
}

TEST_F(ScheduleTest, ErrorInStartsPassLeavesTheCountdownRunning) {
    rig.settings.failSave = true;
    EXPECT_THROW(schedule.OnStart(), FileError);
    EXPECT_TRUE(rig.timer.running);
    EXPECT_THAT(Tick(), ElementsAre("Timer", "Seconds until next capture...299"));
}

TEST_F(ScheduleTest, ErrorInAScheduledPassRetriesAFullIntervalLater) {
    schedule.OnStart();
    Tick(300);
    rig.settings.failSave = true;

    EXPECT_THROW(schedule.OnTimer(1), FileError);

    EXPECT_EQ(Passes(), 2);
    EXPECT_TRUE(rig.timer.running);
    EXPECT_EQ(rig.values.g_nElapsed, 0);
    EXPECT_THAT(Tick(), ElementsAre("Timer", "Seconds until next capture...299"));
    EXPECT_EQ(Passes(), 2);
}

TEST_F(ScheduleTest, TicksDuringAPassCountButStartNoPassAndStartIsIgnored) {
    schedule.OnStart();
    Tick(300);
    // The fetch fails, which restarts the timer while the pass still runs; a
    // transfer that lets events through then delivers ticks and a click.
    rig.failingTransfers = {"Corv2.ini"};
    rig.onTransfer = [&] {
        rig.values.g_nElapsed = 1000;
        schedule.OnTimer(1);
        schedule.OnTimer(1);
        schedule.OnStart();
    };
    const long loadsBefore = std::count(rig.log.entries().begin(), rig.log.entries().end(),
                                        std::string("settings.load"));

    const auto shown = Tick();

    EXPECT_EQ(Passes(), 2);
    EXPECT_EQ(std::count(rig.log.entries().begin(), rig.log.entries().end(),
                         std::string("settings.load")),
              loadsBefore);
    // Every tick shows and counts, but the overdue ones start nothing.
    EXPECT_GT(std::count(shown.begin(), shown.end(), std::string("Timer")), 1);
    EXPECT_THAT(shown, ::testing::Contains("Seconds until next capture...-702"));
    EXPECT_EQ(shown.back(), "2");
    EXPECT_EQ(rig.values.g_nElapsed, 0);
}

TEST_F(ScheduleTest, TickIdentifierIsNotExamined) {
    schedule.OnStart();
    rig.status.texts.clear();
    schedule.OnTimer(42);
    EXPECT_THAT(rig.status.texts, ElementsAre("Timer", "Seconds until next capture...299"));
}

} // namespace
