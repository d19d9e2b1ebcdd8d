#include "TestDir.h"
#include "VideoTestSupport.h"
#include "components/ComponentError.h"
#include "components/video/JpegWriter.h"

#include <QDir>
#include <fstream>
#include <gmock/gmock.h>
#include <iterator>
#include <memory>
#include <sys/stat.h>

using namespace videotest;

namespace {

// Left half pure red, right half pure blue.
VideoFrame TwoColours(int width = 64, int height = 32) {
    std::vector<uint8_t> bgrx(static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &bgrx[(static_cast<size_t>(y) * width + x) * 4];
            p[0] = x < width / 2 ? 0 : 255; // blue
            p[1] = 0;
            p[2] = x < width / 2 ? 255 : 0; // red
            p[3] = 0x5a;                    // unused: must not matter
        }
    return VideoFrame::FromPixels(width, height, std::move(bgrx));
}

QStringList FilesIn(const ScopedTestDir& dir) {
    return QDir(QString::fromStdString(dir.path()))
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

void ExpectTwoColours(const Decoded& d, int width, int height) {
    ASSERT_EQ(d.width, width);
    ASSERT_EQ(d.height, height);
    // Full range keeps saturated colours saturated; limited range would wash
    // 255 out towards 235 and 0 up towards 16.
    EXPECT_GE(d.Pixel(width / 8, height / 2)[0], 245);
    EXPECT_LE(d.Pixel(width / 8, height / 2)[2], 10);
    EXPECT_GE(d.Pixel(width * 7 / 8, height / 2)[2], 245);
    EXPECT_LE(d.Pixel(width * 7 / 8, height / 2)[0], 10);
}

TEST(JpegEncoder, ReusedForFramesOfChangingSizeEachDecodesToItsFrame) {
    ScopedTestDir dir;
    JpegEncoder encoder;
    for (const auto& [w, h] : {std::pair{64, 32}, {640, 480}, {32, 16}, {1280, 720}}) {
        const std::string_view bytes = encoder.Encode(TwoColours(w, h), 95);
        dir.Write("pic.jpg", std::string(bytes));
        ExpectTwoColours(DecodeJpegFile(dir.File("pic.jpg")), w, h);
    }
}

TEST(JpegEncoder, RefusesAnEmptyFrameOrAQualityOutOfRangeAndLowerQualityIsSmaller) {
    JpegEncoder encoder;
    EXPECT_THROW(encoder.Encode(VideoFrame{}, 80), ComponentError);
    EXPECT_THROW(
        encoder.Encode(VideoFrame::FromPixels(64, 32, std::vector<uint8_t>(64 * 32 * 4 - 1)), 80),
        ComponentError);
    VideoFrame narrowRows = TwoColours();
    narrowRows.stride = narrowRows.width * 3;
    EXPECT_THROW(encoder.Encode(narrowRows, 80), ComponentError);
    EXPECT_THROW(encoder.Encode(TwoColours(), 0), ComponentError);
    EXPECT_THROW(encoder.Encode(TwoColours(), 101), ComponentError);

    std::vector<uint8_t> pixels(64 * 32 * 4);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint8_t>((i * 7919) % 251);
    const VideoFrame noisy = VideoFrame::FromPixels(64, 32, std::move(pixels));
    const size_t low = encoder.Encode(noisy, 20).size();
    EXPECT_LT(low, encoder.Encode(noisy, 95).size());
}

// Where the temporary file is made: on the writer's own worker thread, right
// away on the caller's thread, or never by the background (the caller must
// then make it itself once the bytes are ready).
struct Background {
    const char* name;
    std::function<JpegFileWriter::Post(std::vector<std::function<void()>>&)> make;
};

const Background kBackgrounds[] = {
    {"OwnWorker", [](auto&) { return JpegFileWriter::Post{}; }},
    {"RunsAtOnce", [](auto&) { return [](std::function<void()> job) { job(); }; }},
    {"NeverRuns",
     [](std::vector<std::function<void()>>& held) {
         return [&held](std::function<void()> job) { held.push_back(std::move(job)); };
     }},
};

class JpegFileWriterTest : public ::testing::TestWithParam<Background> {
protected:
    ScopedTestDir dir;
    std::vector<std::function<void()>> held; // jobs a never-running background keeps
    JpegFileWriter writer{GetParam().make(held)};
};

TEST_P(JpegFileWriterTest, WritesAFullRangeJpegThatDecodesToTheFrame) {
    writer.Save(TwoColours(), 95, "pic.jpg");
    ExpectTwoColours(DecodeJpegFile(dir.File("pic.jpg")), 64, 32);
    EXPECT_THAT(FilesIn(dir), ::testing::ElementsAre("pic.jpg"));
}

TEST_P(JpegFileWriterTest, ReplacesTheFileKeepingItsPermissionsAndAReaderKeepsTheOldBytes) {
    dir.Write("pic.jpg", "old contents");
    ASSERT_EQ(::chmod(dir.File("pic.jpg").c_str(), 0640), 0);
    std::ifstream reader(dir.File("pic.jpg"), std::ios::binary); // opened before the replace
    writer.Save(TwoColours(), 80, "pic.jpg");
    writer.Save(TwoColours(), 80, "pic.jpg"); // and once more over the first capture
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(reader), {}), "old contents");
    ExpectTwoColours(DecodeJpegFile(dir.File("pic.jpg")), 64, 32);
    struct stat st {};
    ASSERT_EQ(::stat(dir.File("pic.jpg").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_THAT(FilesIn(dir), ::testing::ElementsAre("pic.jpg"));
}

TEST_P(JpegFileWriterTest, ANameDifferingOnlyInCaseReachesTheExistingFile) {
    dir.Write("corvalen.jpg", "old contents");
    writer.Save(TwoColours(), 80, "Corvalen.jpg");
    EXPECT_THAT(FilesIn(dir), ::testing::ElementsAre("corvalen.jpg"));
    ExpectTwoColours(DecodeJpegFile(dir.File("corvalen.jpg")), 64, 32);
}

TEST_P(JpegFileWriterTest, AFileInAnotherFolderLandsThere) {
    ASSERT_TRUE(QDir(QString::fromStdString(dir.path())).mkdir("sub"));
    writer.Save(TwoColours(), 80, dir.File("sub/pic.jpg"));
    ExpectTwoColours(DecodeJpegFile(dir.File("sub/pic.jpg")), 64, 32);
}

struct BadSave {
    const char* name;
    VideoFrame frame;
    int quality;
    std::string fileName;
};

TEST_P(JpegFileWriterTest, AFailedSaveRaisesAndLeavesTheOldFileAndNothingElse) {
    const BadSave cases[] = {
        {"MissingFolder", TwoColours(), 80, "no-such-folder/pic.jpg"},
        {"EmptyName", TwoColours(), 80, ""},
        {"FolderOnly", TwoColours(), 80, "./"},
        {"EmptyFrame", VideoFrame{}, 80, "pic.jpg"},
        {"QualityTooHigh", TwoColours(), 101, "pic.jpg"},
        {"TargetIsAFolder", TwoColours(), 80, "folder"},
    };
    dir.Write("pic.jpg", "old contents");
    ASSERT_TRUE(QDir(QString::fromStdString(dir.path())).mkdir("folder"));
    for (const BadSave& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(writer.Save(c.frame, c.quality, c.fileName), ComponentError);
        EXPECT_THAT(FilesIn(dir), ::testing::ElementsAre("folder", "pic.jpg"));
        EXPECT_EQ(dir.Read("pic.jpg"), "old contents");
    }
    // A later job of the background finds nothing left to do.
    for (auto& job : held)
        job();
    EXPECT_THAT(FilesIn(dir), ::testing::ElementsAre("folder", "pic.jpg"));
}

INSTANTIATE_TEST_SUITE_P(Background, JpegFileWriterTest, ::testing::ValuesIn(kBackgrounds),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
