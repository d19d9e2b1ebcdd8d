#include "TestDir.h"
#include "VideoTestSupport.h"
#include "components/ComponentError.h"
#include "components/video/VideoCapture.h"

#include <QFileInfo>
#include <cstdlib>
#include <gmock/gmock.h>

using namespace videotest;
using ::testing::HasSubstr;

namespace {

// A capture component's logic over a device list the test controls; entry 0
// is the test picture unless a test puts something else there.
class VideoCaptureTest : public ::testing::Test {
protected:
    VideoCaptureTest()
        : capture([this] { return sources; }) {}

    void ConnectAndStream() {
        capture.SetConnected(true);
        capture.SetStreaming(true);
        ASSERT_TRUE(WaitForFrame());
    }
    bool WaitForFrame() {
        return WaitUntil([&] { return capture.TakeUpdate().frame != nullptr; });
    }
    bool WaitForFreshCapture(const std::string& name) {
        return WaitUntil([&] {
            try {
                return capture.SaveJpeg(name, 100);
            } catch (const ComponentError&) {
                return false;
            }
        });
    }

    ScopedTestDir dir;
    std::vector<VideoSource> sources{TestPictureSource()};
    VideoCapture capture;
};

TEST_F(VideoCaptureTest, TheDeviceListEndsWithTheTestPicture) {
    const std::vector<VideoSource> list = ListVideoSources();
    ASSERT_FALSE(list.empty());
    EXPECT_TRUE(list.back().isTestPicture);
    EXPECT_EQ(list.back().name, "Test picture");
}

TEST_F(VideoCaptureTest, ACapturedJpegHasTheNegotiatedSizeAndTheColourBars) {
    ConnectAndStream();
    ASSERT_TRUE(capture.SaveJpeg("Corvalen.jpg", 100));
    const Decoded d = DecodeJpegFile(dir.File("Corvalen.jpg"));
    ASSERT_EQ(d.width, 640);
    ASSERT_EQ(d.height, 480);
    for (int i = 0; i < 7; ++i) {
        const Bar& bar = kBars[i];
        const unsigned char* p = d.Pixel((2 * i + 1) * d.width / 14, d.height / 3);
        EXPECT_NEAR(p[0], bar.r, 12) << bar.name;
        EXPECT_NEAR(p[1], bar.g, 12) << bar.name;
        EXPECT_NEAR(p[2], bar.b, 12) << bar.name;
    }
}

TEST_F(VideoCaptureTest, TheFormatChoiceSetsTheFrameSize) {
    ConnectAndStream();
    const auto& modes = capture.source().modes;
    const auto it =
        std::find_if(modes.begin(), modes.end(), [](const VideoMode& m) { return m.width == 320; });
    ASSERT_NE(it, modes.end());
    capture.SetMode(static_cast<int>(it - modes.begin()));
    ASSERT_TRUE(WaitForFreshCapture("small.jpg"));
    EXPECT_EQ(DecodeJpegFile(dir.File("small.jpg")).width, 320);
    EXPECT_EQ(DecodeJpegFile(dir.File("small.jpg")).height, 240);
}

TEST_F(VideoCaptureTest, ACaptureBeforeTheFirstFrameRaisesAndWritesNoFile) {
    // The source negotiates and plays but drops every picture.
    sources = {SourceWith("silent", "videotestsrc is-live=true ! identity drop-probability=1.0")};
    capture.SetConnected(true);
    EXPECT_THROW(capture.SaveJpeg("Corvalen.jpg", 100), ComponentError) << "not streaming yet";
    capture.SetStreaming(true);
    try {
        capture.SaveJpeg("Corvalen.jpg", 100);
        FAIL() << "a capture without a picture succeeded";
    } catch (const ComponentError& e) {
        EXPECT_THAT(e.what(), HasSubstr("no picture has arrived"));
    }
    EXPECT_FALSE(dir.Exists("Corvalen.jpg"));
}

TEST_F(VideoCaptureTest, ACaptureWithoutAConnectionRaises) {
    EXPECT_THROW(capture.SaveJpeg("Corvalen.jpg", 100), ComponentError);
    EXPECT_THROW(capture.SetStreaming(true), ComponentError);
    EXPECT_FALSE(dir.Exists("Corvalen.jpg"));
}

TEST_F(VideoCaptureTest, AMissingDeviceGivesACleanError) {
    EXPECT_THROW(capture.ConnectDevice(1), ComponentError) << "only one entry in the list";
    EXPECT_THROW(capture.ConnectDevice(-1), ComponentError);
    sources = {SourceWith("gone", "v4l2src device=/dev/video-corvalen-none")};
    try {
        capture.ConnectDevice(0);
        FAIL() << "connecting a missing camera succeeded";
    } catch (const ComponentError& e) {
        EXPECT_THAT(e.what(), HasSubstr("gone"));
    }
    EXPECT_FALSE(capture.IsConnected());
    EXPECT_THROW(capture.SaveJpeg("Corvalen.jpg", 100), ComponentError);
}

TEST_F(VideoCaptureTest, TheCompressionSettingChangesTheFile) {
    ConnectAndStream();
    capture.SetQuality(95);
    ASSERT_TRUE(WaitForFreshCapture("high.jpg"));
    capture.SetFreshFrame(true);
    capture.SetQuality(10);
    ASSERT_TRUE(WaitForFreshCapture("low.jpg"));
    EXPECT_LT(QFileInfo(QString::fromStdString(dir.File("low.jpg"))).size() * 2,
              QFileInfo(QString::fromStdString(dir.File("high.jpg"))).size());
    EXPECT_THROW(capture.SetQuality(0), ComponentError);
    EXPECT_THROW(capture.SetQuality(101), ComponentError);
    EXPECT_EQ(capture.quality(), 10);
}

TEST_F(VideoCaptureTest, TheCallersQualityCapsTheCompressionSetting) {
    ConnectAndStream();
    capture.SetQuality(95);
    ASSERT_TRUE(capture.SaveJpeg("capped.jpg", 10));
    capture.SetFreshFrame(false); // the same picture may be saved again
    capture.SetQuality(10);
    ASSERT_TRUE(capture.SaveJpeg("low.jpg", 100));
    EXPECT_EQ(dir.Read("capped.jpg"), dir.Read("low.jpg"));
    EXPECT_THROW(capture.SaveJpeg("x.jpg", 0), ComponentError);
    EXPECT_THROW(capture.SaveJpeg("x.jpg", 101), ComponentError);
}

TEST_F(VideoCaptureTest, AfterAFreshFrameMarkOnlyANewerPictureIsSaved) {
    ConnectAndStream();
    ASSERT_TRUE(capture.SaveJpeg("first.jpg", 100));
    capture.SetFreshFrame(true);
    // The next picture comes within a frame time; until then 19 raises.
    ASSERT_TRUE(WaitForFreshCapture("second.jpg"));
    EXPECT_EQ(DecodeJpegFile(dir.File("second.jpg")).width, 640);
}

TEST_F(VideoCaptureTest, ReconnectingBringsThePictureBackAndLeaksNoOldFrame) {
    ConnectAndStream();
    capture.DisconnectDevice();
    EXPECT_FALSE(capture.IsConnected());
    EXPECT_EQ(capture.TakeUpdate().frame, nullptr);
    EXPECT_THROW(capture.SaveJpeg("Corvalen.jpg", 100), ComponentError);

    // The new connection delivers nothing: an old picture must not reappear.
    sources = {SourceWith("silent", "videotestsrc is-live=true ! identity drop-probability=1.0")};
    capture.ConnectDevice(0);
    EXPECT_TRUE(capture.IsPlaying()) << "streaming stays wanted across a reconnection";
    EXPECT_EQ(capture.TakeUpdate().frame, nullptr);
    EXPECT_THROW(capture.SaveJpeg("Corvalen.jpg", 100), ComponentError);
    EXPECT_FALSE(dir.Exists("Corvalen.jpg"));

    sources = {TestPictureSource()};
    capture.DisconnectDevice();
    capture.ConnectDevice(0);
    capture.SetStreaming(true);
    ASSERT_TRUE(WaitForFreshCapture("Corvalen.jpg"));
    EXPECT_EQ(DecodeJpegFile(dir.File("Corvalen.jpg")).width, 640);
}

TEST_F(VideoCaptureTest, ALostSignalStopsCapturesUntilReconnected) {
    // A camera never ends its stream; one that does has gone away.
    sources = {SourceWith("unplugged", "videotestsrc is-live=true num-buffers=3")};
    capture.SetConnected(true);
    capture.SetStreaming(true);
    ASSERT_TRUE(WaitUntil([&] { return capture.IsLost(); }));
    const PictureUpdate update = capture.TakeUpdate();
    EXPECT_TRUE(update.lost);
    try {
        capture.SaveJpeg("Corvalen.jpg", 100);
        FAIL() << "a capture from a lost camera succeeded";
    } catch (const ComponentError& e) {
        EXPECT_THAT(e.what(), HasSubstr("lost"));
    }
    EXPECT_FALSE(dir.Exists("Corvalen.jpg"));

    sources = {TestPictureSource()};
    capture.DisconnectDevice();
    capture.ConnectDevice(0);
    capture.SetStreaming(true);
    EXPECT_FALSE(capture.IsLost());
    ASSERT_TRUE(WaitForFreshCapture("Corvalen.jpg"));
}

TEST_F(VideoCaptureTest, UpdatesReportTheSizeOnceAndTheLossOnce) {
    sources = {SourceWith("short", "videotestsrc is-live=true num-buffers=20")};
    capture.SetConnected(true);
    capture.SetStreaming(true);
    PictureUpdate first;
    ASSERT_TRUE(WaitUntil([&] {
        first = capture.TakeUpdate();
        return first.frame != nullptr;
    }));
    EXPECT_TRUE(first.stateChanged);
    EXPECT_EQ(first.width, 640);
    EXPECT_EQ(first.height, 480);
    PictureUpdate later;
    ASSERT_TRUE(WaitUntil([&] {
        later = capture.TakeUpdate();
        return later.lost;
    }));
    EXPECT_TRUE(later.stateChanged);
    EXPECT_EQ(later.width, 640) << "the loss names the size that was lost";
    EXPECT_FALSE(capture.TakeUpdate().stateChanged);
}

} // namespace
