#include "capture/PassReport.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

namespace {

struct ZoneCase {
    const char* name;
    const char* tz;
    int64_t seconds;
    const char* expected;
};

class LocalDateTime : public ::testing::TestWithParam<ZoneCase> {
protected:
    void TearDown() override {
        setenv("TZ", "UTC", 1);
        tzset();
    }
};

TEST_P(LocalDateTime, IsShownInTheLocalZone) {
    setenv("TZ", GetParam().tz, 1);
    tzset();
    EXPECT_EQ(FormatLocalDateTime(GetParam().seconds), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    PassReport, LocalDateTime,
    ::testing::Values(ZoneCase{"Utc", "UTC", 1714564800, "2024-05-01 12:00:00"},
                      ZoneCase{"EastOfUtc", "XST-2", 1714564800, "2024-05-01 14:00:00"},
                      ZoneCase{"WestAcrossMidnight", "YST5", 1714521600, "2024-04-30 19:00:00"},
                      ZoneCase{"Epoch", "UTC", 0, "1970-01-01 00:00:00"}),
    [](const auto& info) { return std::string(info.param.name); });

class Report : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
    }
    PassReport report;
};

TEST_F(Report, FailuresOfAnUnfinishedPassDoNotShowYet) {
    report.Begin();
    report.Failed(PassReport::Step::Connect);
    EXPECT_FALSE(report.HasEnded());
    EXPECT_EQ(report.Text(), "No pass has run yet.");
    report.End(0);
    EXPECT_EQ(report.Text(), "Last pass 1970-01-01 00:00:00: could not connect.");
}

TEST_F(Report, ANewPassStartsClean) {
    report.Begin();
    report.Failed(PassReport::Step::SendLog);
    report.End(0);
    report.Begin();
    report.End(60);
    EXPECT_TRUE(report.AllSucceeded());
    EXPECT_EQ(report.Text(), "Last pass 1970-01-01 00:01:00: all transfers succeeded.");
}

TEST_F(Report, AnErrorWithoutTextStillSaysWhatHappened) {
    report.Begin();
    report.Stopped("");
    report.End(0);
    EXPECT_EQ(report.Text(), "Last pass 1970-01-01 00:00:00: stopped by an error: unknown error.");
}

} // namespace
