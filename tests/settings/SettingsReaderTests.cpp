#include "settings/SettingsReader.h"

#include <gmock/gmock.h>
#include <optional>
#include <string>

namespace {

const char* const kUntouched = "(before)";

// Reads `text` into both copies, after filling every text field with a marker
// so that a field the text does not set can be told from one set to "".
struct BothCopies {
    SettingsRecord main;
    int16_t mainDriver = -9;
    SetupRecord setup;
    int32_t setupDriver = -9;

    explicit BothCopies(const std::string& text) {
        for (std::string* f :
             {&main.accountId, &main.regCode, &main.refreshRate, &main.imageFile, &main.skinFile,
              &main.heading, &main.pageText, &main.login, &main.password, &main.ipText})
            *f = kUntouched;
        for (std::string* f : {&setup.accountId, &setup.regCode, &setup.imageFile, &setup.skinFile,
                               &setup.heading, &setup.pageText, &setup.login, &setup.password})
            *f = kUntouched;
        main.category = -9;
        setup.category = -9;
        setup.refreshMinutes = -9;
        ReadMainSettings(text, main, mainDriver);
        ReadSetupSettings(text, setup, setupDriver);
    }
};

// ---- Column arithmetic, for every text key --------------------------------

struct TextKey {
    const char* name;
    const char* key;
    std::string SettingsRecord::*mainField;
    std::string SetupRecord::*setupField; // null: the Setup copy converts it
};

const TextKey kTextKeys[] = {
    {"AccountId", "Account ID =", &SettingsRecord::accountId, &SetupRecord::accountId},
    {"RegCode", "Reg Code =", &SettingsRecord::regCode, &SetupRecord::regCode},
    {"RefreshRate", "Refresh Rate =", &SettingsRecord::refreshRate, nullptr},
    {"File1", "File 1 =", &SettingsRecord::imageFile, &SetupRecord::imageFile},
    {"Heading", "Heading =", &SettingsRecord::heading, &SetupRecord::heading},
    {"PageText", "Page Text =", &SettingsRecord::pageText, &SetupRecord::pageText},
    {"Skin", "Skin =", &SettingsRecord::skinFile, &SetupRecord::skinFile},
    {"Login", "Login =", &SettingsRecord::login, &SetupRecord::login},
    {"Passwd", "Passwd =", &SettingsRecord::password, &SetupRecord::password},
};

struct Column {
    const char* name;
    std::string (*line)(const std::string& key);
    std::optional<std::string> value; // nothing: the field keeps its value
};

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

const Column kColumns[] = {
    {"OneBlank", [](const std::string& k) { return k + " v 1"; }, "v 1"},
    {"NoBlankLosesFirstCharacter", [](const std::string& k) { return k + "v 1"; }, " 1"},
    {"TwoBlanksKeepOne", [](const std::string& k) { return k + "  v 1"; }, " v 1"},
    {"BareKey", [](const std::string& k) { return k; }, ""},
    {"KeyAndBlank", [](const std::string& k) { return k + " "; }, ""},
    {"TrailingBlanksKept", [](const std::string& k) { return k + " v  "; }, "v  "},
    {"LoneCrStaysInValue", [](const std::string& k) { return k + " a\rb"; }, "a\rb"},
    {"WrongCase", [](const std::string& k) { return Lower(k) + " v"; }, std::nullopt},
    {"LeadingBlank", [](const std::string& k) { return " " + k + " v"; }, std::nullopt},
    {"KeyCutShort", [](const std::string& k) { return k.substr(0, k.size() - 1) + " v"; },
     std::nullopt},
};

class ColumnArithmetic : public ::testing::TestWithParam<std::tuple<TextKey, Column>> {};

TEST_P(ColumnArithmetic, BothReaders) {
    const auto& [key, column] = GetParam();
    const BothCopies read("banner\r\n" + column.line(key.key) + "\r\n");
    const std::string expected = column.value.value_or(kUntouched);
    EXPECT_EQ(read.main.*key.mainField, expected);
    if (key.setupField) {
        EXPECT_EQ(read.setup.*key.setupField, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(TextKeys, ColumnArithmetic,
                         ::testing::Combine(::testing::ValuesIn(kTextKeys),
                                            ::testing::ValuesIn(kColumns)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

// ---- Numeric fields ---------------------------------------------------------

struct Numeric {
    const char* name;
    std::string text;
    int32_t mainCategory;
    int16_t mainDriver;
    std::string mainRefresh;
    int32_t setupCategory;
    int32_t setupDriver;
    int32_t setupRefresh;
};

const Numeric kNumerics[] = {
    {"DriverLargest16Bit", "VFW Driver = 32767", -9, 32767, kUntouched, -9, 32767, -9},
    {"DriverOnePastWrapsToMostNegative", "VFW Driver = 32768", -9, -32768, kUntouched, -9, 32768,
     -9},
    {"DriverOneBelowWrapsToLargest", "VFW Driver = -32769", -9, 32767, kUntouched, -9, -32769, -9},
    {"DriverKeepsLow16Bits", "VFW Driver = 70000", -9, 4464, kUntouched, -9, 70000, -9},
    {"DriverOverflowSaturatesFirst", "VFW Driver = 99999999999", -9, -1, kUntouched, -9, 2147483647,
     -9},
    {"DriverWithoutDigitsIsZero", "VFW Driver = x1", -9, 0, kUntouched, -9, 0, -9},
    {"CategoryDigitsThenLetters", "Category = 12abc", 12, -9, kUntouched, 12, -9, -9},
    {"CategoryNoDigits", "Category = abc", 0, -9, kUntouched, 0, -9, -9},
    {"CategoryBlanksAndSign", "Category =  \t-7", -7, -9, kUntouched, -7, -9, -9},
    {"CategoryPlusSign", "Category = +3", 3, -9, kUntouched, 3, -9, -9},
    {"CategoryEmpty", "Category =", 0, -9, kUntouched, 0, -9, -9},
    {"CategoryOverflowSaturates", "Category = -99999999999", INT32_MIN, -9, kUntouched, INT32_MIN,
     -9, -9},
    {"RefreshDigitsThenLetters", "Refresh Rate = 5abc", -9, -9, "5abc", -9, -9, 5},
    {"RefreshEmpty", "Refresh Rate = ", -9, -9, "", -9, -9, 0},
    {"RefreshNegative", "Refresh Rate = -4", -9, -9, "-4", -9, -9, -4},
};

class NumericFields : public ::testing::TestWithParam<Numeric> {};

TEST_P(NumericFields, EachCopyConvertsItsOwnWay) {
    const Numeric& c = GetParam();
    const BothCopies read(c.text + "\r\n");
    EXPECT_EQ(read.main.category, c.mainCategory);
    EXPECT_EQ(read.mainDriver, c.mainDriver);
    EXPECT_EQ(read.main.refreshRate, c.mainRefresh);
    EXPECT_EQ(read.setup.category, c.setupCategory);
    EXPECT_EQ(read.setupDriver, c.setupDriver);
    EXPECT_EQ(read.setup.refreshMinutes, c.setupRefresh);
}

INSTANTIATE_TEST_SUITE_P(Values, NumericFields, ::testing::ValuesIn(kNumerics),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Whole texts --------------------------------------------------------------

TEST(SettingsText, LastLineOfAKeyWins) {
    const BothCopies read("Account ID = first\r\nLogin = ann\r\nAccount ID = second\r\n"
                          "VFW Driver = 3\r\nVFW Driver = 4\r\n");
    EXPECT_EQ(read.main.accountId, "second");
    EXPECT_EQ(read.setup.accountId, "second");
    EXPECT_EQ(read.mainDriver, 4);
    EXPECT_EQ(read.setupDriver, 4);
}

TEST(SettingsText, LineEndsDoNotMatter) {
    const std::string crlf = "Account ID = cv1\r\nLogin = ann\r\n";
    const std::string lf = "Account ID = cv1\nLogin = ann\n";
    const std::string noFinalBreak = "Account ID = cv1\r\nLogin = ann";
    for (const std::string& text : {crlf, lf, noFinalBreak}) {
        const BothCopies read(text);
        EXPECT_EQ(read.main.accountId, "cv1");
        EXPECT_EQ(read.main.login, "ann");
        EXPECT_EQ(read.setup.login, "ann");
    }
}

TEST(SettingsText, EmptyTextChangesNothing) {
    const BothCopies read("");
    EXPECT_EQ(read.main.accountId, kUntouched);
    EXPECT_EQ(read.main.category, -9);
    EXPECT_EQ(read.mainDriver, -9);
    EXPECT_EQ(read.setup.refreshMinutes, -9);
    EXPECT_EQ(read.setupDriver, -9);
}

TEST(SettingsText, WrittenOnlyLinesAndBannersAreNotRead) {
    const BothCopies read("*** Do Not Modify This File ***\r\n*\r\n\r\n***\r\n"
                          "IP = 10.0.0.1\r\nMessage 1 = Welcome to Corvalen\r\n");
    EXPECT_EQ(read.main.ipText, kUntouched);
    EXPECT_EQ(read.main, [] {
        SettingsRecord r = BothCopies("").main;
        return r;
    }());
}

TEST(SettingsText, PasswordIsReadIntoBothCopies) {
    const BothCopies read("Passwd = s3cret\r\n");
    EXPECT_EQ(read.main.password, "s3cret");
    EXPECT_EQ(read.setup.password, "s3cret");
}

TEST(SettingsText, KeysAreReportedInFileOrder) {
    std::vector<std::pair<SettingsKey, std::string>> seen;
    ForEachSettingsValue("Skin = a\nnoise\nSkin = b\nLogin =x",
                         [&](SettingsKey k, auto v) { seen.emplace_back(k, std::string(v)); });
    using P = std::pair<SettingsKey, std::string>;
    EXPECT_THAT(seen, ::testing::ElementsAre(P{SettingsKey::Skin, "a"}, P{SettingsKey::Skin, "b"},
                                             P{SettingsKey::Login, ""}));
}

} // namespace
