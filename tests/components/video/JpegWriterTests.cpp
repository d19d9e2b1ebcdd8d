#include "TestDir.h"
#include "VideoTestSupport.h"
#include "components/ComponentError.h"
#include "components/video/JpegWriter.h"

#include <QDir>
#include <gmock/gmock.h>

using namespace videotest;

namespace {

// Left half pure red, right half pure blue, 64 x 32.
VideoFrame TwoColours() {
    VideoFrame f;
    f.width = 64;
    f.height = 32;
    f.rgb.resize(static_cast<size_t>(f.stride()) * f.height);
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) {
            uint8_t* p = &f.rgb[(y * f.width + x) * 3];
            p[0] = x < 32 ? 255 : 0;
            p[1] = 0;
            p[2] = x < 32 ? 0 : 255;
        }
    return f;
}

TEST(JpegWriter, WritesAFullRangeJpegThatDecodesToTheFrame) {
    ScopedTestDir dir;
    WriteFileAtomically("pic.jpg", EncodeJpeg(TwoColours(), 95));
    const Decoded d = DecodeJpegFile(dir.File("pic.jpg"));
    ASSERT_EQ(d.width, 64);
    ASSERT_EQ(d.height, 32);
    // Full range keeps saturated colours saturated; limited range would wash
    // 255 out towards 235 and 0 up towards 16.
    EXPECT_GE(d.Pixel(8, 16)[0], 245);
    EXPECT_LE(d.Pixel(8, 16)[2], 10);
    EXPECT_GE(d.Pixel(56, 16)[2], 245);
    EXPECT_LE(d.Pixel(56, 16)[0], 10);
}

TEST(JpegWriter, ReplacesTheFileAndLeavesNoTemporaryFileBehind) {
    ScopedTestDir dir;
    dir.Write("pic.jpg", "old contents");
    WriteFileAtomically("pic.jpg", EncodeJpeg(TwoColours(), 80));
    EXPECT_EQ(DecodeJpegFile(dir.File("pic.jpg")).width, 64);
    EXPECT_THAT(QDir(QString::fromStdString(dir.path()))
                    .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
                ::testing::ElementsAre("pic.jpg"));
}

TEST(JpegWriter, ANameDifferingOnlyInCaseReachesTheExistingFile) {
    ScopedTestDir dir;
    dir.Write("corvalen.jpg", "old contents");
    WriteFileAtomically("Corvalen.jpg", EncodeJpeg(TwoColours(), 80));
    EXPECT_FALSE(dir.Exists("Corvalen.jpg"));
    EXPECT_EQ(DecodeJpegFile(dir.File("corvalen.jpg")).width, 64);
}

TEST(JpegWriter, AnUnwritableFolderRaisesAndWritesNothing) {
    ScopedTestDir dir;
    EXPECT_THROW(WriteFileAtomically("no-such-folder/pic.jpg", EncodeJpeg(TwoColours(), 80)),
                 ComponentError);
    EXPECT_THAT(QDir(QString::fromStdString(dir.path()))
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                ::testing::IsEmpty());
}

TEST(JpegWriter, RefusesAnEmptyFrameOrAQualityOutOfRange) {
    EXPECT_THROW(EncodeJpeg(VideoFrame{}, 80), ComponentError);
    EXPECT_THROW(EncodeJpeg(TwoColours(), 0), ComponentError);
    EXPECT_THROW(EncodeJpeg(TwoColours(), 101), ComponentError);
    EXPECT_THROW(WriteFileAtomically("", {1, 2, 3}), ComponentError);
}

TEST(JpegWriter, LowerQualityGivesASmallerFile) {
    VideoFrame noisy = TwoColours();
    for (size_t i = 0; i < noisy.rgb.size(); ++i)
        noisy.rgb[i] = static_cast<uint8_t>((i * 7919) % 251);
    EXPECT_LT(EncodeJpeg(noisy, 20).size(), EncodeJpeg(noisy, 95).size());
}

} // namespace
