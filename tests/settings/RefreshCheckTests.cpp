#include "settings/SetupDialogLogic.h"

#include <gmock/gmock.h>

namespace {

const char* const kNotInteger = "Please enter an integer.";
const char* const kOutOfRange = "Please enter an integer between 1 and 999999.";

struct RefreshCase {
    const char* name;
    const char* text;
    std::optional<int32_t> minutes;
    const char* message;
};

const RefreshCase kCases[] = {
    {"Empty", "", std::nullopt, kNotInteger},
    {"BlanksOnly", "  ", std::nullopt, kNotInteger},
    {"SignOnly", "-", std::nullopt, kNotInteger},
    {"Letters", "abc", std::nullopt, kNotInteger},
    {"DigitsThenLetters", "12a", std::nullopt, kNotInteger},
    {"InnerBlank", "1 2", std::nullopt, kNotInteger},
    {"Zero", "0", std::nullopt, kOutOfRange},
    {"Negative", "-5", std::nullopt, kOutOfRange},
    {"OnePastLargest", "1000000", std::nullopt, kOutOfRange},
    {"BeyondAnyInteger", "99999999999999999999999", std::nullopt, kOutOfRange},
    {"Smallest", "1", 1, ""},
    {"Largest", "999999", 999999, ""},
    {"LeadingZeros", "0007", 7, ""},
    {"PlusSign", "+30", 30, ""},
    {"BlanksAround", " \t15 ", 15, ""},
};

class RefreshMinutesCheck : public ::testing::TestWithParam<RefreshCase> {};

TEST_P(RefreshMinutesCheck, AcceptsOnlyIntegersInRange) {
    const RefreshCase& c = GetParam();
    const RefreshCheck check = CheckRefreshMinutes(c.text);
    EXPECT_EQ(check.minutes, c.minutes);
    EXPECT_EQ(check.message, c.message);
}

INSTANTIATE_TEST_SUITE_P(Texts, RefreshMinutesCheck, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
