#pragma once

#include "components/video/CapturePipeline.h"
#include "components/video/FrameStore.h"
#include "components/video/JpegWriter.h"
#include "components/video/VideoSource.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// What the UI thread learns when it takes a notice: the picture to draw, and
// whether the picture's state (size, signal) changed since the last notice.
struct PictureUpdate {
    FramePtr frame; // null when nothing has arrived on this connection
    bool lost = false;
    bool stateChanged = false;
    int width = 0;
    int height = 0;
};

// The video capture component's logic, without widgets. Every operation runs
// on the UI thread; only the pipeline's frames arrive on a streaming thread.
// Failures raise ComponentError.
class VideoCapture {
public:
    using SourceLister = std::function<std::vector<VideoSource>()>;

    explicit VideoCapture(SourceLister lister = ListVideoSources);
    ~VideoCapture();

    // Called on the streaming thread when a notice waits for the UI thread,
    // which then calls TakeUpdate(). Set before connecting.
    void SetNotify(std::function<void()> notify) { m_notify = std::move(notify); }
    PictureUpdate TakeUpdate();

    // Connection (property 52; methods 51 and 34).
    void SetConnected(bool on);
    bool IsConnected() const { return m_pipeline.isOpen(); }
    void ConnectDevice(int index);
    void DisconnectDevice();

    // Streaming (property 44): whether frames should flow while connected.
    void SetStreaming(bool on);
    bool IsStreaming() const { return m_wantStreaming; }
    bool IsPlaying() const { return m_pipeline.isPlaying(); }

    // Property 35: TRUE marks the frame now held as used, so the next capture
    // needs a newer one; FALSE lets the next capture save it again.
    void SetFreshFrame(bool on);

    // Property 17.
    void SetPreview(bool on) { m_preview = on; }
    bool Preview() const { return m_preview; }

    // Method 19: saves the latest frame as a JPEG. `maxQuality` (1..100)
    // caps the quality set by the Compression dialog.
    bool SaveJpeg(const std::string& fileName, int maxQuality);

    // What the dialogs show and change.
    std::vector<VideoSource> Sources() const { return m_lister(); }
    int deviceIndex() const { return m_deviceIndex; }
    const VideoSource& source() const { return m_source; }
    int mode() const { return m_mode; }
    void SetMode(int mode); // reopens the device in that mode
    int quality() const { return m_quality; }
    void SetQuality(int quality);
    std::vector<PictureControl> Controls() const { return m_pipeline.Controls(); }
    void SetControl(const std::string& name, int value) { m_pipeline.SetControl(name, value); }
    bool IsLost() const { return m_store.IsLost(); }
    FramePtr LatestFrame() const { return m_store.Latest(); }

    static constexpr int kDefaultQuality = 85;

private:
    void OpenCurrent();
    void Notify();

    SourceLister m_lister;
    FrameStore m_store;
    std::function<void()> m_notify;
    CapturePipeline m_pipeline;
    JpegFileWriter m_writer;
    VideoSource m_source;
    int m_deviceIndex = 0;
    int m_mode = -1;
    int m_quality = kDefaultQuality;
    bool m_wantStreaming = false;
    bool m_preview = false;
    int m_reportedWidth = 0;
    int m_reportedHeight = 0;
    bool m_reportedSignal = false;
};
