#include "TestDir.h"
#include "platform/FileError.h"
#include "platform/TextFile.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

TEST(SplitLines, LineEnds) {
    EXPECT_THAT(TextFile::SplitLines("a\r\nb\r\n"), ElementsAre("a", "b"));
    EXPECT_THAT(TextFile::SplitLines("a\nb"), ElementsAre("a", "b"));
    EXPECT_THAT(TextFile::SplitLines("a\rb\r\n"), ElementsAre("a\rb"));
    EXPECT_THAT(TextFile::SplitLines("a\r"), ElementsAre("a\r"));
    EXPECT_THAT(TextFile::SplitLines("\n\r\n"), ElementsAre("", ""));
    EXPECT_THAT(TextFile::SplitLines(""), IsEmpty());
}

TEST(ReadAll, MissingFileSaysNotFound) {
    ScopedTestDir dir;
    try {
        TextFile::ReadAll("tamblix.ini");
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(e.cause(), FileError::Cause::NotFound);
        EXPECT_STREQ(e.what(), "tamblix.ini was not found.");
    }
    dir.Write("tamblix.ini", std::string("x\0y", 3));
    EXPECT_EQ(TextFile::ReadAll("tamblix.ini"), std::string("x\0y", 3));
}

} // namespace
