#include "components/video/VideoCapture.h"

#include "components/ComponentError.h"
#include "components/video/JpegWriter.h"

#include <algorithm>

namespace {

[[noreturn]] void Raise(const std::string& text) {
    throw ComponentError(ComponentError::Failed, text);
}

} // namespace

VideoCapture::VideoCapture(SourceLister lister)
    : m_lister(std::move(lister))
    , m_pipeline(m_store, [this] { Notify(); }) {}

VideoCapture::~VideoCapture() {
    // Stop the streaming thread before the members it uses go away.
    m_pipeline.Close();
}

void VideoCapture::Notify() {
    if (m_notify)
        m_notify();
}

PictureUpdate VideoCapture::TakeUpdate() {
    m_store.AcknowledgeNotice();
    PictureUpdate update;
    update.frame = m_store.Latest();
    update.lost = m_store.IsLost();
    if (update.frame) {
        update.width = update.frame->width;
        update.height = update.frame->height;
    }
    const bool signal = update.frame && !update.lost;
    if (signal != m_reportedSignal ||
        (signal && (update.width != m_reportedWidth || update.height != m_reportedHeight))) {
        update.stateChanged = true;
        m_reportedSignal = signal;
        if (signal) {
            m_reportedWidth = update.width;
            m_reportedHeight = update.height;
        }
    }
    if (!signal) {
        update.width = m_reportedWidth;
        update.height = m_reportedHeight;
    }
    return update;
}

void VideoCapture::OpenCurrent() {
    m_pipeline.Open(m_source, m_mode);
    Notify(); // the old picture is gone
    if (m_wantStreaming)
        m_pipeline.Play();
}

void VideoCapture::ConnectDevice(int index) {
    const std::vector<VideoSource> sources = m_lister();
    if (index < 0 || index >= static_cast<int>(sources.size()))
        Raise("there is no video device " + std::to_string(index));
    m_pipeline.Close();
    m_source = sources[index];
    m_deviceIndex = index;
    m_mode = m_source.PreferredMode();
    OpenCurrent();
}

void VideoCapture::DisconnectDevice() {
    m_pipeline.Close();
    m_store.Reset();
    Notify();
}

void VideoCapture::SetConnected(bool on) {
    if (!on)
        DisconnectDevice();
    else if (!IsConnected())
        ConnectDevice(m_deviceIndex);
}

void VideoCapture::SetStreaming(bool on) {
    m_wantStreaming = on;
    if (!on) {
        m_pipeline.Stop();
        return;
    }
    if (!IsConnected())
        Raise("no video device is connected");
    if (m_store.IsLost())
        OpenCurrent(); // the device failed: try it afresh
    else
        m_pipeline.Play();
}

void VideoCapture::SetFreshFrame(bool on) {
    if (on) {
        if (FramePtr latest = m_store.Latest())
            m_store.MarkSaved(latest->sequence);
    } else {
        m_store.MarkSaved(0);
    }
}

void VideoCapture::SetMode(int mode) {
    if (mode < 0 || mode >= static_cast<int>(m_source.modes.size()))
        Raise("the video device has no format " + std::to_string(mode));
    if (!IsConnected())
        Raise("no video device is connected");
    m_mode = mode;
    OpenCurrent();
}

void VideoCapture::SetQuality(int quality) {
    if (quality < 1 || quality > 100)
        Raise("JPEG quality must be 1 to 100");
    m_quality = quality;
}

bool VideoCapture::SaveJpeg(const std::string& fileName, int maxQuality) {
    if (maxQuality < 1 || maxQuality > 100)
        Raise("JPEG quality must be 1 to 100");
    if (!IsConnected())
        Raise("no video device is connected");
    if (m_store.IsLost())
        Raise("the video signal is lost: " + m_store.LostReason());
    if (!m_pipeline.isPlaying())
        Raise("the video is stopped");
    if (!m_store.Latest())
        Raise("no picture has arrived from the video device yet");
    const FramePtr frame = m_store.Fresh();
    if (!frame)
        Raise("no new picture has arrived since the last capture");
    m_writer.Save(*frame, std::min(m_quality, maxQuality), fileName);
    return true;
}
