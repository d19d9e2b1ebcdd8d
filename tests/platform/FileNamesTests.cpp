#include "TestDir.h"
#include "platform/FileNames.h"

#include <gtest/gtest.h>

namespace {

TEST(ResolveNameCase, TwoSpellingsReachTheSameFile) {
    ScopedTestDir dir;
    EXPECT_EQ(ResolveNameCase("Corvalen.jpg"), "Corvalen.jpg"); // nothing there yet
    dir.Write("Corvalen.jpg", "x");
    EXPECT_EQ(ResolveNameCase("corvalen.jpg"), "Corvalen.jpg");
    EXPECT_EQ(ResolveNameCase("CORVALEN.JPG"), "Corvalen.jpg");
    EXPECT_EQ(ResolveNameCase(dir.File("corvalen.jpg")), dir.File("Corvalen.jpg"));
    EXPECT_EQ(ResolveNameCase("corvalen.jpeg"), "corvalen.jpeg");
}

TEST(ResolveNameCase, SpellingsSideBySideAllReachTheSameOne) {
    // Otherwise the capture would write "Corvalen.jpg" while the send read a
    // stale "corvalen.jpg" on every pass, and report success.
    ScopedTestDir dir;
    dir.Write("corvalen.jpg", "a");
    dir.Write("Corvalen.jpg", "b");
    EXPECT_EQ(ResolveNameCase("corvalen.jpg"), "Corvalen.jpg");
    EXPECT_EQ(ResolveNameCase("Corvalen.jpg"), "Corvalen.jpg");
    EXPECT_EQ(ResolveNameCase("CORVALEN.JPG"), "Corvalen.jpg");
}

} // namespace
