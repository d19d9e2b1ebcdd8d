#pragma once

#include "components/video/FrameStore.h"
#include "components/video/VideoSource.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

typedef struct _GstElement GstElement;

// A picture control of the device (brightness, contrast, saturation, hue).
struct PictureControl {
    std::string name;
    int minimum = 0;
    int maximum = 0;
    int value = 0;
};

// One GStreamer pipeline from a source to RGB frames in a FrameStore:
//   source ! caps ! [jpegdec !] videoconvert ! BGRx ! appsink
// The test picture is forced to YUY2 so that it takes the same conversion
// path as a camera. Frames and loss are reported through `notify`, called on
// the streaming thread at most once until the UI acknowledges it.
class CapturePipeline {
public:
    CapturePipeline(FrameStore& store, std::function<void()> notify);
    ~CapturePipeline();
    CapturePipeline(const CapturePipeline&) = delete;
    CapturePipeline& operator=(const CapturePipeline&) = delete;

    // Builds the pipeline and opens the device (READY). `mode` < 0 lets the
    // caps only bound size and rate. Raises ComponentError when the device
    // cannot be opened; the pipeline is closed then.
    void Open(const VideoSource& source, int mode);
    // Starts the frames. Raises ComponentError when the device fails to play.
    void Play();
    // Stops the frames but keeps the device open.
    void Stop();
    void Close();

    bool isOpen() const { return m_pipeline != nullptr; }
    bool isPlaying() const { return m_playing; }

    // The source's picture controls, empty when it has none.
    std::vector<PictureControl> Controls() const;
    void SetControl(const std::string& name, int value);

    // The GStreamer description of the pipeline for `source` and `mode`.
    static std::string Describe(const VideoSource& source, int mode);

private:
    static int OnBusMessage(void* bus, void* message, void* self);
    static int OnNewSample(void* sink, void* self);
    void Lost(const std::string& reason);
    std::string TakeError();
    bool WaitForState(int state);

    FrameStore& m_store;
    std::function<void()> m_notify;
    GstElement* m_pipeline = nullptr;
    uint64_t m_epoch = 0;
    bool m_playing = false;
    std::mutex m_errorMutex;
    std::string m_error;
};
