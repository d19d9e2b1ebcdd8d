#include "TestDir.h"
#include "platform/AtomicFile.h"
#include "platform/FileError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gmock/gmock.h>

namespace {

QStringList Entries(const ScopedTestDir& dir) {
    return QDir(QString::fromStdString(dir.path()))
        .entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

TEST(AtomicFile, ReplacesTheFileAndLeavesNothingBeside) {
    ScopedTestDir dir;
    dir.Write("tamblix.ini", "old");
    AtomicFile::Write("tamblix.ini", "new", "tamblix.ini");
    EXPECT_EQ(dir.Read("tamblix.ini"), "new");
    AtomicFile::Write("Corvalen.jpg", "jpeg", "Corvalen.jpg", AtomicFile::Durability::Fast);
    EXPECT_EQ(Entries(dir), (QStringList{"Corvalen.jpg", "tamblix.ini"}));
}

TEST(AtomicFile, AFailedWriteKeepsTheOldFileAndNamesTheFile) {
    ScopedTestDir dir;
    try {
        AtomicFile::Write("missing-folder/tamblix.ini", "new", "tamblix.ini");
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.fileName(), "tamblix.ini");
    }
    // A folder in the file's place cannot be renamed over.
    ASSERT_TRUE(QDir(QString::fromStdString(dir.path())).mkdir("tamblix.ini"));
    EXPECT_THROW(AtomicFile::Write("tamblix.ini", "new", "tamblix.ini"), FileError);
    EXPECT_EQ(Entries(dir), QStringList{});
}

TEST(AtomicFile, ALinkedFileStaysLinked) {
    ScopedTestDir dir;
    ASSERT_TRUE(QDir(QString::fromStdString(dir.path())).mkdir("elsewhere"));
    dir.Write("elsewhere/tamblix.ini", "old");
    ASSERT_TRUE(QFile::link(QString::fromStdString(dir.File("elsewhere/tamblix.ini")),
                            QString::fromStdString(dir.File("tamblix.ini"))));
    AtomicFile::Write("tamblix.ini", "new", "tamblix.ini");
    EXPECT_TRUE(QFileInfo(QString::fromStdString(dir.File("tamblix.ini"))).isSymLink());
    EXPECT_EQ(dir.Read("elsewhere/tamblix.ini"), "new");
}

} // namespace
