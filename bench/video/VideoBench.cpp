// Prints how long method 19 takes against TurboJPEG alone, and what the live
// picture costs in CPU while shown and while hidden. Not a test: the figures
// depend on the machine.
#include "components/CXVideoCtlx.h"
#include "components/video/JpegWriter.h"
#include "components/video/VideoCaptureWidget.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <turbojpeg.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double CpuSeconds(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

// Runs the event loop as the program does, idle between events.
void Pump(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Method 19 from the call until the file is closed, against tjCompress2 on
// the same frame with the same settings.
void TimeSaveJpeg(VideoSource source, int mode) {
    VideoCaptureWidget widget([source] { return std::vector<VideoSource>{source}; });
    CXVideoCtlx video(&widget);
    widget.capture().SetQuality(85);
    video.SetConnected(true);
    widget.capture().SetMode(mode);
    video.SetStreaming(true);
    while (!widget.capture().LatestFrame())
        Pump(5);
    const FramePtr frame = widget.capture().LatestFrame();

    constexpr int kRuns = 60;
    std::vector<double> save, encode, enc2, write;
    tjhandle tj = tjInitCompress();
    for (int i = 0; i < kRuns; ++i) {
        video.SetFreshFrame(false); // the same picture may be saved again
        auto t0 = Clock::now();
        video.SaveJpeg("bench.jpg", 100);
        auto t1 = Clock::now();
        unsigned char* out = nullptr;
        unsigned long size = 0;
        const FramePtr same = widget.capture().LatestFrame();
        auto t2 = Clock::now();
        tjCompress2(tj, same->rgb.data(), same->width, same->stride(), same->height, TJPF_RGB, &out,
                    &size, TJSAMP_420, 85, 0);
        auto t3 = Clock::now();
        tjFree(out);
        auto t4 = Clock::now();
        const auto bytes = EncodeJpeg(*same, 85);
        auto t5 = Clock::now();
        WriteFileAtomically("bench2.jpg", bytes);
        auto t6 = Clock::now();
        enc2.push_back(std::chrono::duration<double, std::milli>(t5 - t4).count());
        write.push_back(std::chrono::duration<double, std::milli>(t6 - t5).count());
        save.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        encode.push_back(std::chrono::duration<double, std::milli>(t3 - t2).count());
    }
    tjDestroy(tj);
    const double s = Median(save), e = Median(encode);
    std::printf("method 19 at %dx%d: %.2f ms median, TurboJPEG alone %.2f ms, ratio %.2f\n",
                frame->width, frame->height, s, e, s / e);
    std::printf("  of which: encoding %.2f ms, writing the file %.2f ms\n", Median(enc2),
                Median(write));
}

// CPU of the whole process and of the UI thread over a few seconds of the
// live picture at 640 x 480, 30 frames/s.
void MeasurePreviewCpu() {
    VideoCaptureWidget widget([] { return std::vector<VideoSource>{TestPictureSource()}; });
    CXVideoCtlx video(&widget);
    widget.resize(640, 480);
    widget.show();
    video.SetConnected(true);
    video.SetStreaming(true);
    Pump(500);
    constexpr int kMs = 5000;
    for (bool shown : {true, false}) {
        video.SetPreview(shown);
        Pump(200);
        const double p0 = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        const double u0 = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        Pump(kMs);
        const double process = (CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - p0) / (kMs / 1000.0);
        const double ui = (CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - u0) / (kMs / 1000.0);
        std::printf("live picture %s: UI thread %.1f %% of a core, whole process %.1f %% "
                    "(capture pipeline included)\n",
                    shown ? "shown " : "hidden", ui * 100, process * 100);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    const VideoSource test = TestPictureSource();
    auto modeOf = [&](int w, int fps) {
        for (int i = 0; i < static_cast<int>(test.modes.size()); ++i)
            if (test.modes[i].width == w && test.modes[i].fps == fps)
                return i;
        return -1;
    };
    TimeSaveJpeg(test, modeOf(640, 30));
    TimeSaveJpeg(test, modeOf(1280, 30));
    MeasurePreviewCpu();
    return 0;
}
