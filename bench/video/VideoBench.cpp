// Prints how long method 19 takes against TurboJPEG alone, and what the live
// picture costs in CPU while shown and while hidden. Not a test: the figures
// depend on the machine.
#include "components/CXVideoCtlx.h"
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
#include <string>
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

// Method 19 from the call until the file is closed, against tjCompress2
// alone on the same frame with the same settings, encoding into a buffer
// allocated once (the fastest the encoder itself goes). The two alternate,
// after a warm-up, so that both meet the same caches and the same load.
void TimeSaveJpeg(VideoSource source, int mode, int runs) {
    VideoCaptureWidget widget([source] { return std::vector<VideoSource>{source}; });
    CXVideoCtlx video(&widget);
    widget.capture().SetQuality(85);
    video.SetConnected(true);
    widget.capture().SetMode(mode);
    video.SetStreaming(true);
    while (!widget.capture().LatestFrame())
        Pump(5);
    const FramePtr frame = widget.capture().LatestFrame();

    tjhandle tj = tjInitCompress();
    unsigned long capacity = tjBufSize(frame->width, frame->height, TJSAMP_420);
    unsigned char* buffer = tjAlloc(static_cast<int>(capacity));
    FramePtr current = frame;
    auto encodeAlone = [&] {
        unsigned long size = capacity;
        tjCompress2(tj, current->pixels, current->width, current->stride, current->height,
                    TJPF_BGRX, &buffer, &size, TJSAMP_420, 85, TJFLAG_NOREALLOC);
    };
    auto encodeGrowing = [&] { // the encoder's own allocation, as a plain call does
        unsigned char* out = nullptr;
        unsigned long size = 0;
        tjCompress2(tj, current->pixels, current->width, current->stride, current->height,
                    TJPF_BGRX, &out, &size, TJSAMP_420, 85, 0);
        tjFree(out);
    };
    auto save = [&] {
        video.SetFreshFrame(false); // the same picture may be saved again
        video.SaveJpeg("bench.jpg", 100);
    };
    // A new frame was written by the streaming thread on another core; each
    // timed call starts with it read into this core's caches, so that both
    // pay the same for the pixels.
    volatile uint8_t sink = 0;
    auto warm = [&] {
        uint8_t sum = 0;
        const size_t size = static_cast<size_t>(current->stride) * current->height;
        for (size_t i = 0; i < size; i += 64)
            sum += current->pixels[i];
        sink = sum;
    };
    auto ms = [&](auto f) {
        warm();
        const auto t0 = Clock::now();
        f();
        return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    };
    for (int i = 0; i < 20; ++i) {
        save();
        encodeAlone();
    }
    std::vector<double> saveMs, aloneMs, growingMs;
    int skipped = 0;
    while (static_cast<int>(saveMs.size()) < runs) {
        Pump(1); // let the picture move on, as between real captures
        current = widget.capture().LatestFrame();
        double s = 0, e = 0;
        if (saveMs.size() % 2 == 0) {
            s = ms(save);
            e = ms(encodeAlone);
        } else {
            e = ms(encodeAlone);
            s = ms(save);
        }
        if (widget.capture().LatestFrame() != current) { // method 19 may have saved a newer one
            ++skipped;
            continue;
        }
        saveMs.push_back(s);
        aloneMs.push_back(e);
        growingMs.push_back(ms(encodeGrowing));
    }
    tjFree(buffer);
    tjDestroy(tj);
    const double s = Median(saveMs), e = Median(aloneMs);
    std::printf("method 19 at %dx%d: %.3f ms median of %d, TurboJPEG alone %.3f ms, ratio %.2f\n",
                frame->width, frame->height, s, runs, e, s / e);
    std::printf("  beyond encoding: %.3f ms; TurboJPEG allocating its own buffer: %.3f ms\n", s - e,
                Median(growingMs));
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
    const std::string only = argc > 1 ? argv[1] : "";
    if (only.empty() || only == "save") {
        TimeSaveJpeg(test, modeOf(640, 30), 300);
        TimeSaveJpeg(test, modeOf(1280, 30), 150);
    }
    if (only.empty() || only == "preview")
        MeasurePreviewCpu();
    return 0;
}
