#include "TestDir.h"
#include "VideoTestSupport.h"
#include "components/CXVideoCtlx.h"
#include "components/ClassIds.h"
#include "components/ComponentError.h"
#include "components/ComponentRegistry.h"
#include "components/video/VideoCaptureWidget.h"
#include "components/video/VideoComponent.h"
#include "components/video/VideoDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QSpinBox>
#include <gmock/gmock.h>

using namespace videotest;
using ::testing::ElementsAre;

namespace {

struct EventRecord {
    int controlId;
    DispId id;
    int32_t width;
    int32_t height;
    bool signal;
};

class RecordingSink : public IEventSink {
public:
    void OnComponentEvent(int controlId, DispId event, std::span<Variant> args) override {
        ASSERT_EQ(args.size(), 3u);
        events.push_back(
            {controlId, event, args[0].toInt32(), args[1].toInt32(), args[2].toBool()});
        args[2].setBool(false); // the component must not care what comes back
    }
    std::vector<EventRecord> events;
};

bool WaitWithEvents(const std::function<bool()>& done) {
    return WaitUntil([&] {
        QCoreApplication::processEvents();
        return done();
    });
}

// The component as the main window holds it: a shown widget, driven through
// its wrapper, over a device list the test controls.
class VideoWidgetTest : public ::testing::Test {
protected:
    VideoWidgetTest()
        : widget([this] { return sources; })
        , video(&widget) {
        widget.Advise(&sink, 1024);
        widget.resize(640, 480);
        widget.show();
    }

    void Start() {
        video.SetConnected(true);
        video.SetStreaming(true);
        ASSERT_TRUE(WaitWithEvents(
            [&] { return widget.showing() == VideoCaptureWidget::Showing::Picture; }));
    }

    QColor PixelAt(int x, int y) { return widget.grab().toImage().pixelColor(x, y); }

    ScopedTestDir dir;
    std::vector<VideoSource> sources{TestPictureSource()};
    VideoCaptureWidget widget;
    CXVideoCtlx video;
    RecordingSink sink;
};

void ExpectBars(const QImage& image, QRect area) {
    for (int i = 0; i < 7; ++i) {
        const QColor c = image.pixelColor(area.x() + (2 * i + 1) * area.width() / 14,
                                          area.y() + area.height() / 3);
        EXPECT_NEAR(c.red(), kBars[i].r, 12) << kBars[i].name;
        EXPECT_NEAR(c.green(), kBars[i].g, 12) << kBars[i].name;
        EXPECT_NEAR(c.blue(), kBars[i].b, 12) << kBars[i].name;
    }
}

TEST_F(VideoWidgetTest, ThePreviewFillsWithTheTestPicture) {
    Start();
    EXPECT_EQ(widget.pictureSize(), QSize(640, 480));
    ExpectBars(widget.grab().toImage(), widget.rect());
}

TEST_F(VideoWidgetTest, ThePictureKeepsItsAspectRatioInAnyArea) {
    widget.resize(400, 400);
    Start();
    const QImage shot = widget.grab().toImage();
    // 640 x 480 in 400 x 400 is 400 x 300, centred: 50 rows of bars above and below.
    EXPECT_EQ(shot.pixelColor(200, 20), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(200, 380), QColor(Qt::black));
    ExpectBars(shot, QRect(0, 50, 400, 300));
}

TEST_F(VideoWidgetTest, ShowHideRoundTripsAndAHiddenPictureIsNotDrawn) {
    Start();
    EXPECT_TRUE(video.GetPreview()) << "the picture shows from start-up on";
    video.SetPreview(!video.GetPreview());
    EXPECT_FALSE(video.GetPreview());
    EXPECT_EQ(widget.showing(), VideoCaptureWidget::Showing::Nothing);
    // Frames keep coming for captures, but none reaches the picture.
    const uint64_t seen = widget.capture().LatestFrame()->sequence;
    ASSERT_TRUE(WaitWithEvents([&] { return widget.capture().LatestFrame()->sequence > seen; }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(widget.pictureSize().isEmpty());
    EXPECT_EQ(PixelAt(320, 160), QColor(Qt::black));
    EXPECT_TRUE(video.SaveJpeg("hidden.jpg", 100)) << "hiding the picture does not stop captures";

    video.SetPreview(!video.GetPreview());
    EXPECT_TRUE(video.GetPreview());
    ASSERT_TRUE(
        WaitWithEvents([&] { return widget.showing() == VideoCaptureWidget::Showing::Picture; }));
    ExpectBars(widget.grab().toImage(), widget.rect());
}

TEST_F(VideoWidgetTest, EventOneReportsThePictureSizeAndItsLoss) {
    sources = {SourceWith("short", "videotestsrc is-live=true num-buffers=10")};
    video.SetConnected(true);
    video.SetStreaming(true);
    ASSERT_TRUE(WaitWithEvents([&] { return sink.events.size() >= 2; }));
    ASSERT_EQ(sink.events.size(), 2u);
    EXPECT_EQ(sink.events[0].controlId, 1024);
    EXPECT_EQ(sink.events[0].id, 1);
    EXPECT_EQ(sink.events[0].width, 640);
    EXPECT_EQ(sink.events[0].height, 480);
    EXPECT_TRUE(sink.events[0].signal);
    EXPECT_EQ(sink.events[1].width, 640);
    EXPECT_FALSE(sink.events[1].signal);
}

TEST_F(VideoWidgetTest, ALostCameraShowsNoSignalAndReconnectingBringsThePictureBack) {
    sources = {SourceWith("unplugged", "videotestsrc is-live=true num-buffers=5")};
    video.SetConnected(true);
    video.SetStreaming(true);
    ASSERT_TRUE(
        WaitWithEvents([&] { return widget.showing() == VideoCaptureWidget::Showing::NoSignal; }));
    const QColor centre = PixelAt(320, 240);
    EXPECT_NE(centre, QColor(Qt::black)) << "a clear frame, not an empty one";
    EXPECT_THROW(video.SaveJpeg("Corvalen.jpg", 100), ComponentError);
    EXPECT_FALSE(dir.Exists("Corvalen.jpg"));

    sources = {TestPictureSource()}; // plugged in again
    video.DisconnectDevice();
    video.ConnectDevice(0);
    video.SetStreaming(true);
    ASSERT_TRUE(
        WaitWithEvents([&] { return widget.showing() == VideoCaptureWidget::Showing::Picture; }));
    ExpectBars(widget.grab().toImage(), widget.rect());
    EXPECT_TRUE(WaitWithEvents([&] {
        try {
            return video.SaveJpeg("Corvalen.jpg", 100);
        } catch (const ComponentError&) {
            return false;
        }
    }));
}

TEST_F(VideoWidgetTest, TheWrapperCapturesThroughTheComponent) {
    Start();
    EXPECT_TRUE(video.SaveJpeg("Corvalen.jpg", 100));
    video.SetFreshFrame(true);
    const Decoded d = DecodeJpegFile(dir.File("Corvalen.jpg"));
    EXPECT_EQ(d.width, 640);
    EXPECT_EQ(d.height, 480);
}

TEST_F(VideoWidgetTest, CallsThatDoNotFitTheComponentRaise) {
    std::vector<Variant> wrongType{Variant::Int16(1)};
    EXPECT_THROW(widget.Invoke(51, CallKind::Method, wrongType), ComponentError);
    EXPECT_THROW(widget.Invoke(99, CallKind::Method, {}), ComponentError);
    EXPECT_THROW(widget.Invoke(35, CallKind::PropertyGet, {}), ComponentError);
}

TEST(VideoComponentRegistration, TheRegistryCreatesTheVideoWidget) {
    ComponentRegistry registry;
    RegisterVideoComponent(registry);
    ASSERT_TRUE(registry.IsRegistered(ClassIds::VideoCapture));
    std::unique_ptr<Component> component = registry.Create(ClassIds::VideoCapture);
    EXPECT_NE(dynamic_cast<QWidget*>(component.get()), nullptr);
    EXPECT_TRUE(CXVideoCtlx(component.get()).GetPreview());
}

// Each dialog changes one thing; OK applies it and Cancel keeps what was.
struct DialogCase {
    const char* name;
    std::function<VideoDeviceDialog*(VideoCapture&)> open;
    std::function<void(VideoDeviceDialog*)> change;
    std::function<std::string(VideoCapture&)> state;
    bool accept;
};

class VideoDialogTest : public ::testing::TestWithParam<DialogCase> {
protected:
    std::vector<VideoSource> sources{TestPictureSource(), TestPictureSource()};
    VideoCapture capture{[this] { return sources; }};
};

std::string SourceState(VideoCapture& c) {
    return "device " + std::to_string(c.deviceIndex());
}
std::string FormatState(VideoCapture& c) {
    return "mode " + std::to_string(c.mode());
}
std::string QualityState(VideoCapture& c) {
    return "quality " + std::to_string(c.quality());
}

const DialogCase kDialogCases[] = {
    {"SourceOk", [](VideoCapture& c) { return new VideoSourceDialog(c); },
     [](VideoDeviceDialog* d) {
         static_cast<VideoSourceDialog*>(d)->devices()->setCurrentIndex(1);
     },
     SourceState, true},
    {"SourceCancel", [](VideoCapture& c) { return new VideoSourceDialog(c); },
     [](VideoDeviceDialog* d) {
         static_cast<VideoSourceDialog*>(d)->devices()->setCurrentIndex(1);
     },
     SourceState, false},
    {"FormatOk", [](VideoCapture& c) { return new VideoFormatDialog(c); },
     [](VideoDeviceDialog* d) { static_cast<VideoFormatDialog*>(d)->modes()->setCurrentIndex(0); },
     FormatState, true},
    {"FormatCancel", [](VideoCapture& c) { return new VideoFormatDialog(c); },
     [](VideoDeviceDialog* d) { static_cast<VideoFormatDialog*>(d)->modes()->setCurrentIndex(0); },
     FormatState, false},
    {"CompressionOk", [](VideoCapture& c) { return new VideoCompressionDialog(c); },
     [](VideoDeviceDialog* d) { static_cast<VideoCompressionDialog*>(d)->quality()->setValue(30); },
     QualityState, true},
    {"CompressionCancel", [](VideoCapture& c) { return new VideoCompressionDialog(c); },
     [](VideoDeviceDialog* d) { static_cast<VideoCompressionDialog*>(d)->quality()->setValue(30); },
     QualityState, false},
};

TEST_P(VideoDialogTest, OkAppliesTheChangeAndCancelKeepsEverything) {
    const DialogCase& c = GetParam();
    capture.SetConnected(true);
    capture.SetStreaming(true);
    const std::string before = c.state(capture);
    std::unique_ptr<VideoDeviceDialog> dialog(c.open(capture));
    c.change(dialog.get());
    EXPECT_EQ(c.state(capture), before) << "nothing changes while the dialog is open";
    if (c.accept)
        dialog->accept();
    else
        dialog->reject();
    EXPECT_EQ(dialog->result(), c.accept ? QDialog::Accepted : QDialog::Rejected);
    if (c.accept)
        EXPECT_NE(c.state(capture), before);
    else
        EXPECT_EQ(c.state(capture), before);
    EXPECT_TRUE(capture.IsPlaying()) << "the picture keeps running either way";
}

INSTANTIATE_TEST_SUITE_P(Dialogs, VideoDialogTest, ::testing::ValuesIn(kDialogCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VideoSourceDialogFailure, AMissingCameraKeepsTheDialogOpenAndThePictureRunning) {
    std::vector<VideoSource> sources{TestPictureSource(),
                                     SourceWith("gone", "v4l2src device=/dev/video-corvalen-none")};
    VideoCapture capture([&] { return sources; });
    capture.SetConnected(true);
    capture.SetStreaming(true);
    VideoSourceDialog dialog(capture);
    dialog.devices()->setCurrentIndex(1);
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_THAT(dialog.errorText().toStdString(), ::testing::HasSubstr("gone"));
    EXPECT_EQ(capture.deviceIndex(), 0);
    EXPECT_TRUE(capture.IsPlaying());
}

TEST(VideoSourceDialogControls, TheTestPictureOffersNoPictureControls) {
    std::vector<VideoSource> sources{TestPictureSource()};
    VideoCapture capture([&] { return sources; });
    capture.SetConnected(true);
    VideoSourceDialog dialog(capture);
    EXPECT_TRUE(dialog.controls().empty());
    ASSERT_EQ(dialog.devices()->count(), 1);
    EXPECT_EQ(dialog.devices()->itemText(0), "Test picture");
}

} // namespace
