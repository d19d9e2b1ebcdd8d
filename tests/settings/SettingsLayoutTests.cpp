#include "SettingsTestSupport.h"
#include "platform/TextFile.h"
#include "settings/SettingsLayouts.h"
#include "settings/SettingsReader.h"

#include <gmock/gmock.h>

namespace {

// The values that the fixture files carry.
SettingsRecord FixtureMainRecord() {
    SettingsRecord r;
    r.accountId = "cv1042";
    r.regCode = "R-77";
    r.refreshRate = "15 min";
    r.imageFile = "/home/ann/Pictures/cam.jpg";
    r.skinFile = "/usr/share/corvalen/skins/blue.skn";
    r.category = 12;
    r.heading = "Ann's garden";
    r.pageText = "Live from the garden = tomatoes";
    r.login = "ann";
    r.ipText = "192.0.2.7";
    return r;
}

SetupRecord FixtureSetupRecord() {
    SetupRecord r;
    r.accountId = "cv1042";
    r.regCode = "R-77";
    r.refreshMinutes = 15;
    r.imageFile = "/home/ann/Pictures/cam.jpg";
    r.skinFile = "/usr/share/corvalen/skins/blue.skn";
    r.category = 12;
    r.heading = "Ann's garden";
    r.pageText = "Live from the garden = tomatoes";
    r.login = "ann";
    return r;
}

TEST(Layouts, MainLayoutIsByteExact) {
    EXPECT_EQ(MainLayout(FixtureMainRecord(), -2), Fixture("main-layout.ini"));
}

TEST(Layouts, SetupLayoutIsByteExact) {
    EXPECT_EQ(SetupLayout(FixtureSetupRecord(), 70000), Fixture("setup-layout.ini"));
}

TEST(Layouts, EachHas27CrLfLinesAndNoPassword) {
    SettingsRecord main = FixtureMainRecord();
    main.password = "s3cret";
    SetupRecord setup = FixtureSetupRecord();
    setup.password = "s3cret";
    for (const std::string& text : {MainLayout(main, 0), SetupLayout(setup, 0)}) {
        const auto lines = TextFile::SplitLines(text);
        EXPECT_EQ(lines.size(), 27u);
        EXPECT_TRUE(text.ends_with("\r\n"));
        for (const auto& line : lines)
            EXPECT_EQ(line.find('\r'), std::string::npos) << line;
        EXPECT_EQ(text.find("s3cret"), std::string::npos);
        EXPECT_EQ(text.find("Passwd"), std::string::npos);
    }
}

TEST(Layouts, EmptyRecordsStillWriteEveryLine) {
    const auto main = TextFile::SplitLines(MainLayout({}, 0));
    ASSERT_EQ(main.size(), 27u);
    EXPECT_EQ(main[7], "Refresh Rate = ");
    EXPECT_EQ(main[9], "VFW Driver = 0");
    EXPECT_EQ(main[26], "IP = ");
    const auto setup = TextFile::SplitLines(SetupLayout({}, 0));
    ASSERT_EQ(setup.size(), 27u);
    EXPECT_EQ(setup[7], "Refresh Rate = 0");
    EXPECT_EQ(setup[22], "VFW Driver = 0");
}

TEST(Layouts, MainDriverIsWidenedWithItsSign) {
    const auto lines = TextFile::SplitLines(MainLayout({}, INT16_MIN));
    EXPECT_EQ(lines[9], "VFW Driver = -32768");
}

// Every layout through every reader: each value the layout carries comes
// back, with the conversions that copy makes.
TEST(RoundTrips, MainLayoutThroughMainReaderIsIdentical) {
    SettingsRecord read;
    int16_t driver = 0;
    ReadMainSettings(Fixture("main-layout.ini"), read, driver);
    SettingsRecord expected = FixtureMainRecord();
    expected.ipText.clear(); // written, never read
    EXPECT_EQ(read, expected);
    EXPECT_EQ(driver, -2);
    read.ipText = "192.0.2.7";
    EXPECT_EQ(MainLayout(read, driver), Fixture("main-layout.ini"));
}

TEST(RoundTrips, MainLayoutThroughSetupReader) {
    SetupRecord read;
    int32_t driver = 0;
    ReadSetupSettings(Fixture("main-layout.ini"), read, driver);
    SetupRecord expected = FixtureSetupRecord();
    EXPECT_EQ(read, expected); // "15 min" reads as 15
    EXPECT_EQ(driver, -2);
}

TEST(RoundTrips, SetupLayoutThroughSetupReaderIsIdentical) {
    SetupRecord read;
    int32_t driver = 0;
    ReadSetupSettings(Fixture("setup-layout.ini"), read, driver);
    EXPECT_EQ(read, FixtureSetupRecord());
    EXPECT_EQ(driver, 70000);
    EXPECT_EQ(SetupLayout(read, driver), Fixture("setup-layout.ini"));
}

TEST(RoundTrips, SetupLayoutThroughMainReader) {
    SettingsRecord read;
    int16_t driver = 0;
    ReadMainSettings(Fixture("setup-layout.ini"), read, driver);
    SettingsRecord expected = FixtureMainRecord();
    expected.refreshRate = "15";
    expected.ipText.clear();
    EXPECT_EQ(read, expected);
    EXPECT_EQ(driver, 4464); // the low 16 bits of 70000
}

TEST(RoundTrips, RefreshTextWithLettersIsKeptByMainAndCutBySetup) {
    SettingsRecord main;
    main.refreshRate = "5abc";
    SetupRecord setup;
    int32_t setupDriver = 0;
    ReadSetupSettings(MainLayout(main, 0), setup, setupDriver);
    EXPECT_EQ(setup.refreshMinutes, 5);
    SettingsRecord back;
    int16_t driver = 0;
    ReadMainSettings(MainLayout(main, 0), back, driver);
    EXPECT_EQ(back.refreshRate, "5abc");
    EXPECT_THAT(TextFile::SplitLines(SetupLayout(setup, 0)),
                ::testing::Contains("Refresh Rate = 5"));
}

} // namespace
