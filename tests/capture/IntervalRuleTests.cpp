#include "TestDir.h"
#include "capture/IntervalRule.h"
#include "capture/ServerParams.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

struct RefreshCase {
    const char* name;
    std::string text; // the whole "Corv2.ini"
    std::string expected;
};

class RefreshLine : public ::testing::TestWithParam<RefreshCase> {};

TEST_P(RefreshLine, GivesTheServerValue) {
    EXPECT_EQ(ServerParams::RefreshValue(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    ServerParams, RefreshLine,
    ::testing::Values(
        RefreshCase{"Usual", "Refresh Rate = 7\r\n", "7"},
        RefreshCase{"WithoutLineEnd", "Refresh Rate = 12", "12"}, RefreshCase{"EmptyFile", "", ""},
        RefreshCase{"NoRefreshLine", "NewUID = abc\r\nOther = 3\r\n", ""},
        RefreshCase{"BareRefresh", "Refresh\r\n", ""},
        RefreshCase{"LowerCaseDoesNotQualify", "refresh Rate = 7\r\n", ""},
        RefreshCase{"FifteenCharactersIsEmpty", "Refresh Rate = \r\n", ""},
        RefreshCase{"SixteenCharactersIsOneCharacter", "Refresh Rate = 9\r\n", "9"},
        RefreshCase{"ValueIsAfterFifteenWhateverTheyAre", "RefreshXXXXXXXX42 min\r\n", "42 min"},
        RefreshCase{"LastLineWins", "Refresh Rate = 7\r\nRefresh Rate = 9\r\n", "9"},
        RefreshCase{"LastLineWinsEvenWhenEmpty", "Refresh Rate = 7\r\nRefresh\r\n", ""},
        RefreshCase{"LinesAroundIt", "NewUID = cam9\r\nRefresh Rate = 10\r\nEnd\r\n", "10"},
        RefreshCase{"LfOnly", "A\nRefresh Rate = 8\nB\n", "8"},
        RefreshCase{"LoneCrStaysInTheLine", "Refresh Rate = 8\r", "8\r"},
        RefreshCase{"IndentedDoesNotQualify", " Refresh Rate = 7\r\n", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadRefreshValue, ReadsTheLocalFile) {
    ScopedTestDir dir;
    dir.Write("Corv2.ini", "Refresh Rate = 15\r\n");
    EXPECT_EQ(ServerParams::ReadRefreshValue("Corv2.ini"), "15");
}

TEST(ReadRefreshValue, FindsTheFileUnderAnotherSpelling) {
    ScopedTestDir dir;
    dir.Write("corv2.ini", "Refresh Rate = 12\r\n");
    EXPECT_EQ(ServerParams::ReadRefreshValue("Corv2.ini"), "12");
}

TEST(ReadRefreshValue, MissingOrUnreadableFileIsNoValue) {
    ScopedTestDir dir;
    EXPECT_EQ(ServerParams::ReadRefreshValue("Corv2.ini"), "");
    // A folder in the file's place opens but cannot be read.
    ASSERT_TRUE(QDir(QString::fromStdString(dir.path())).mkdir("Corv2.ini"));
    EXPECT_EQ(ServerParams::ReadRefreshValue("Corv2.ini"), "");
}

struct IntervalCase {
    const char* name;
    std::string refreshRate;
    std::string serverValue;
    int32_t expected;
};

class Interval : public ::testing::TestWithParam<IntervalCase> {};

TEST_P(Interval, IsTheLargerOfTheTwoInMinutesTimesSixty) {
    EXPECT_EQ(IntervalSeconds(GetParam().refreshRate, GetParam().serverValue), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    IntervalRule, Interval,
    ::testing::Values(
        IntervalCase{"RefreshOnly", "5", "", 300}, IntervalCase{"ServerSlower", "5", "7", 420},
        IntervalCase{"ServerTwoDigitsComparesAsNumber", "5", "10", 600},
        IntervalCase{"RefreshTwoDigitsComparesAsNumber", "10", "5", 600},
        IntervalCase{"ServerFaster", "9", "2", 540}, IntervalCase{"Equal", "6", "6", 360},
        IntervalCase{"RefreshZeroCountsAsFive", "0", "", 300},
        IntervalCase{"RefreshEmptyCountsAsFive", "", "", 300},
        IntervalCase{"RefreshLettersCountAsFive", "abc", "", 300},
        IntervalCase{"RefreshNegativeCountsAsFive", "-3", "", 300},
        IntervalCase{"RefreshZeroServerSlower", "0", "8", 480},
        IntervalCase{"RefreshReadsLikeAtoi", "  +12min", "", 720},
        IntervalCase{"ServerLettersIgnored", "5", "abc", 300},
        IntervalCase{"ServerZeroIgnored", "5", "0", 300},
        IntervalCase{"ServerNegativeIgnored", "5", "-20", 300},
        IntervalCase{"ServerReadsLikeAtoi", "5", " 11 minutes", 660},
        IntervalCase{"LargestWithoutSaturation", "35791394", "", 35791394 * 60},
        IntervalCase{"RefreshJustPastInt32Saturates", "35791395", "", INT32_MAX},
        IntervalCase{"RefreshHugeSaturates", "99999999999999999999", "", INT32_MAX},
        IntervalCase{"ServerHugeSaturates", "5", "99999999999999999999", INT32_MAX},
        IntervalCase{"RefreshHugeNegativeCountsAsFive", "-99999999999999999999", "", 300}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
