#include "platform/Numbers.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    const char* text;
    int64_t expected;
};

class ReadDecimal : public ::testing::TestWithParam<Case> {};

TEST_P(ReadDecimal, ReadsLikeAtoiWithoutOverflow) {
    EXPECT_EQ(ReadDecimal64(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, ReadDecimal,
    ::testing::Values(Case{"Plain", "42", 42}, Case{"LeadingBlanks", " \t 7", 7},
                      Case{"Sign", "-15", -15}, Case{"PlusSign", "+15", 15},
                      Case{"TrailingLetters", "12abc", 12}, Case{"NoDigits", "abc", 0},
                      Case{"Empty", "", 0}, Case{"SignOnly", "-", 0},
                      Case{"BlankAfterSign", "- 5", 0},
                      Case{"Int64Max", "9223372036854775807", INT64_MAX},
                      Case{"Huge", "99999999999999999999999", INT64_MAX},
                      Case{"Int64Min", "-9223372036854775808", INT64_MIN},
                      Case{"HugeNegative", "-99999999999999999999999", INT64_MIN}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadDecimal32, Saturates) {
    EXPECT_EQ(ReadDecimal32("2147483647"), INT32_MAX);
    EXPECT_EQ(ReadDecimal32("2147483648"), INT32_MAX);
    EXPECT_EQ(ReadDecimal32("-2147483649"), INT32_MIN);
    EXPECT_EQ(ReadDecimal32("32768"), 32768);
}

} // namespace
