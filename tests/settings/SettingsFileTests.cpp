#include "SettingsTestSupport.h"
#include "TestDir.h"
#include "platform/FileError.h"
#include "settings/MainSettings.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsLayouts.h"
#include "settings/SetupSettings.h"

#include <QDir>
#include <gmock/gmock.h>
#include <sys/stat.h>

using ::testing::ElementsAre;

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    ScopedTestDir dir;
    ProcessValues values;
};

// ---- Reading ----------------------------------------------------------------

TEST_F(SettingsFileTest, AnotherSpellingOfTheNameIsTheSameFile) {
    dir.Write("Tamblix.INI", "Account ID = spelled\r\n");
    MainSettings settings(values);
    settings.LoadSettings();
    EXPECT_EQ(settings.Record().accountId, "spelled");
    settings.SaveSettings();
    EXPECT_FALSE(dir.Exists("tamblix.ini")) << "a second file beside the first";
    EXPECT_EQ(dir.Read("Tamblix.INI").substr(0, 31), "*** Do Not Modify This File ***");
}

TEST_F(SettingsFileTest, MissingFileRaisesNotFoundAndChangesNothing) {
    MainSettings settings(values);
    settings.Record().accountId = "kept";
    values.g_nVideoDriver = 7;
    try {
        settings.LoadSettings();
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.cause(), FileError::Cause::NotFound);
        EXPECT_EQ(e.fileName(), "tamblix.ini");
        EXPECT_STREQ(e.what(), "tamblix.ini was not found.");
    }
    EXPECT_EQ(settings.Record().accountId, "kept");
    EXPECT_EQ(values.g_nVideoDriver, 7);
    EXPECT_FALSE(dir.Exists("tamblix.ini")) << "a read never creates the file";
}

TEST_F(SettingsFileTest, ErrorNamesTheFileWhateverItsFolder) {
    SetupSettings settings(values, dir.File("nowhere"));
    try {
        settings.LoadSettings();
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), "tamblix.ini was not found.");
    }
}

TEST_F(SettingsFileTest, DefaultFolderIsTheCurrentFolder) {
    dir.Write("tamblix.ini", "Account ID = here\r\nVFW Driver = 32768\r\n");
    MainSettings main(values);
    main.LoadSettings();
    EXPECT_EQ(main.Record().accountId, "here");
    EXPECT_EQ(values.g_nVideoDriver, -32768);
    SetupSettings setup(values);
    setup.LoadSettings();
    EXPECT_EQ(setup.Record().accountId, "here");
    EXPECT_EQ(values.g_nSetupVideoDriver, 32768);
}

TEST_F(SettingsFileTest, EmptyFileChangesNoField) {
    dir.Write("tamblix.ini", "");
    MainSettings settings(values);
    settings.Record().login = "kept";
    settings.LoadSettings();
    EXPECT_EQ(settings.Record().login, "kept");
}

// ---- Writing ----------------------------------------------------------------

TEST_F(SettingsFileTest, SaveCreatesTheMainLayoutAndLoadReadsItBack) {
    MainSettings settings(values, dir.path());
    settings.Record().accountId = "cv9";
    settings.Record().refreshRate = "5abc";
    settings.Record().password = "s3cret";
    values.g_nVideoDriver = -3;
    settings.SaveSettings();
    EXPECT_EQ(dir.Read("tamblix.ini"), MainLayout(settings.Record(), -3));
    EXPECT_THAT(FolderEntries(dir.path()), ElementsAre("tamblix.ini"));

    ProcessValues fresh;
    MainSettings again(fresh, dir.path());
    again.LoadSettings();
    EXPECT_EQ(again.Record().accountId, "cv9");
    EXPECT_EQ(again.Record().refreshRate, "5abc");
    EXPECT_EQ(again.Record().password, "") << "the password is never written";
    EXPECT_EQ(fresh.g_nVideoDriver, -3);
}

TEST_F(SettingsFileTest, PasswordIsReadButGoneAfterTheNextWrite) {
    dir.Write("tamblix.ini", "Passwd = s3cret\r\nLogin = ann\r\n");
    SetupSettings settings(values);
    settings.LoadSettings();
    EXPECT_EQ(settings.Record().password, "s3cret");
    settings.Record().refreshMinutes = 5;
    settings.SaveSettings();
    EXPECT_EQ(dir.Read("tamblix.ini"), SetupLayout(settings.Record(), 0));
    EXPECT_EQ(dir.Read("tamblix.ini").find("s3cret"), std::string::npos);
}

TEST_F(SettingsFileTest, ReplacingKeepsThePermissionsOfTheOldFile) {
    dir.Write("tamblix.ini", "old");
    ASSERT_EQ(chmod(dir.File("tamblix.ini").c_str(), 0640), 0);
    MainSettings(values).SaveSettings();
    struct stat st {};
    ASSERT_EQ(stat(dir.File("tamblix.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

// ---- Writes that fail leave the old file whole --------------------------------

const std::string kOldFile = "Account ID = old\r\nRefresh Rate = 9\r\n";

struct FailingWrite {
    const char* name;
    void (*save)(ProcessValues&, const std::string& folder);
};

const FailingWrite kWriters[] = {
    {"MainLayout",
     [](ProcessValues& v, const std::string& folder) {
         MainSettings s(v, folder);
         s.Record().pageText = std::string(4000, 'p');
         s.SaveSettings();
     }},
    {"SetupLayout",
     [](ProcessValues& v, const std::string& folder) {
         SetupSettings s(v, folder);
         s.Record().pageText = std::string(4000, 'p');
         s.SaveSettings();
     }},
};

class FailedWrite : public ::testing::TestWithParam<FailingWrite> {
protected:
    ScopedTestDir dir;
    ProcessValues values;
};

TEST_P(FailedWrite, PartwayThroughByFullDiskLeavesOldFileAndNoTempFile) {
    dir.Write("tamblix.ini", kOldFile);
    try {
        ScopedFileSizeLimit limit(1024);
        GetParam().save(values, dir.path());
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.cause(), FileError::Cause::DiskFull);
        EXPECT_EQ(e.fileName(), "tamblix.ini");
    }
    EXPECT_EQ(dir.Read("tamblix.ini"), kOldFile);
    EXPECT_THAT(FolderEntries(dir.path()), ElementsAre("tamblix.ini"));
}

TEST_P(FailedWrite, RenameOverAFolderLeavesItAndNoTempFile) {
    ASSERT_TRUE(QDir(QString::fromStdString(dir.path())).mkpath("tamblix.ini/inside"));
    EXPECT_THROW(GetParam().save(values, dir.path()), FileError);
    EXPECT_THAT(FolderEntries(dir.path()), ElementsAre("tamblix.ini"));
    EXPECT_THAT(FolderEntries(dir.File("tamblix.ini")), ElementsAre("inside"));
}

TEST_P(FailedWrite, MissingFolderRaisesAndCreatesNothing) {
    try {
        GetParam().save(values, dir.File("gone"));
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.fileName(), "tamblix.ini");
    }
    EXPECT_THAT(FolderEntries(dir.path()), ElementsAre());
}

INSTANTIATE_TEST_SUITE_P(Writers, FailedWrite, ::testing::ValuesIn(kWriters),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsFilePath, DotKeepsTheNameRelative) {
    EXPECT_EQ(SettingsFile::PathIn("."), "tamblix.ini");
    EXPECT_EQ(SettingsFile::PathIn(""), "tamblix.ini");
    EXPECT_EQ(SettingsFile::PathIn("/a/b"), "/a/b/tamblix.ini");
    EXPECT_EQ(SettingsFile::PathIn("/a/b/"), "/a/b/tamblix.ini");
}

} // namespace
