#include "components/video/CapturePipeline.h"

#include "components/ComponentError.h"

#include <algorithm>
#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/colorbalance.h>
#include <gst/video/video.h>
#include <strings.h>
#include <utility>

namespace {

// Waiting longer than this for a device means it hangs; we give up cleanly.
constexpr GstClockTime kStateTimeout = 5 * GST_SECOND;

// Bounds for a camera whose modes are unknown, so that it does not pick a
// huge or slow mode on its own.
constexpr const char* kBoundedSize =
    "width=(int)[160,1280],height=(int)[120,720],framerate=(fraction)[15/1,60/1]";

[[noreturn]] void Raise(const std::string& text) {
    throw ComponentError(ComponentError::Failed, text);
}

// A buffer of the appsink, mapped for reading; holds a reference to it.
struct MappedFrame {
    GstVideoFrame frame{};
    bool mapped = false;
    ~MappedFrame() {
        if (mapped)
            gst_video_frame_unmap(&frame);
    }
};

} // namespace

CapturePipeline::CapturePipeline(FrameStore& store, std::function<void()> notify)
    : m_store(store)
    , m_notify(std::move(notify)) {
    EnsureGStreamer();
}

CapturePipeline::~CapturePipeline() {
    Close();
}

std::string CapturePipeline::Describe(const VideoSource& source, int mode) {
    std::string caps;
    bool jpeg = false;
    if (mode >= 0 && mode < static_cast<int>(source.modes.size())) {
        const VideoMode& m = source.modes[mode];
        jpeg = m.isJpeg();
        caps = (jpeg ? std::string("image/jpeg") : "video/x-raw,format=" + m.format) +
               ",width=" + std::to_string(m.width) + ",height=" + std::to_string(m.height) +
               ",framerate=" + std::to_string(m.fps) + "/1";
    } else if (source.isTestPicture) {
        caps = "video/x-raw,format=YUY2,width=640,height=480,framerate=30/1";
    } else {
        caps = std::string("video/x-raw,") + kBoundedSize;
    }
    return source.element + " name=src ! " + caps + " ! " + (jpeg ? "jpegdec ! " : "") +
           "videoconvert ! video/x-raw,format=BGRx ! "
           "appsink name=sink sync=false drop=true max-buffers=2";
}

void CapturePipeline::Open(const VideoSource& source, int mode) {
    Close();
    m_epoch = m_store.Reset();
    TakeError();
    GError* error = nullptr;
    const std::string description = Describe(source, mode);
    GstElement* pipeline = gst_parse_launch(description.c_str(), &error);
    if (error) {
        std::string text = error->message;
        g_clear_error(&error);
        if (pipeline)
            gst_object_unref(pipeline);
        Raise("cannot build the video pipeline for " + source.name + ": " + text);
    }
    m_pipeline = pipeline;

    GstBus* bus = gst_element_get_bus(m_pipeline);
    // Every message is read here and dropped, so none pile up on the bus.
    gst_bus_set_sync_handler(
        bus, reinterpret_cast<GstBusSyncHandler>(&CapturePipeline::OnBusMessage), this, nullptr);
    gst_object_unref(bus);

    GstElement* sink = gst_bin_get_by_name(GST_BIN(m_pipeline), "sink");
    GstAppSinkCallbacks callbacks{};
    callbacks.new_sample =
        reinterpret_cast<GstFlowReturn (*)(GstAppSink*, gpointer)>(&CapturePipeline::OnNewSample);
    gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, this, nullptr);
    gst_object_unref(sink);

    if (gst_element_set_state(m_pipeline, GST_STATE_READY) == GST_STATE_CHANGE_FAILURE) {
        std::string text = TakeError();
        Close();
        Raise("cannot open " + source.name + (text.empty() ? "" : ": " + text));
    }
}

bool CapturePipeline::WaitForState(int state) {
    GstState current = GST_STATE_NULL;
    const GstStateChangeReturn r =
        gst_element_get_state(m_pipeline, &current, nullptr, kStateTimeout);
    return r != GST_STATE_CHANGE_FAILURE && r != GST_STATE_CHANGE_ASYNC && current == state;
}

void CapturePipeline::Play() {
    if (!m_pipeline)
        Raise("no video device is connected");
    if (m_playing)
        return;
    if (gst_element_set_state(m_pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE ||
        !WaitForState(GST_STATE_PLAYING)) {
        std::string text = TakeError();
        gst_element_set_state(m_pipeline, GST_STATE_READY);
        Raise("the video device does not start" + (text.empty() ? "" : ": " + text));
    }
    m_playing = true;
}

void CapturePipeline::Stop() {
    if (m_pipeline && m_playing)
        gst_element_set_state(m_pipeline, GST_STATE_READY);
    m_playing = false;
}

void CapturePipeline::Close() {
    if (m_pipeline) {
        // Joins the streaming thread: no callback runs after this.
        gst_element_set_state(m_pipeline, GST_STATE_NULL);
        gst_object_unref(m_pipeline);
        m_pipeline = nullptr;
    }
    m_playing = false;
}

void CapturePipeline::Lost(const std::string& reason) {
    {
        std::lock_guard lock(m_errorMutex);
        if (m_error.empty())
            m_error = reason;
    }
    if (m_store.MarkLost(m_epoch, reason) && m_notify)
        m_notify();
}

std::string CapturePipeline::TakeError() {
    std::lock_guard lock(m_errorMutex);
    return std::exchange(m_error, {});
}

int CapturePipeline::OnBusMessage(void*, void* message, void* self) {
    auto* pipeline = static_cast<CapturePipeline*>(self);
    auto* msg = static_cast<GstMessage*>(message);
    switch (GST_MESSAGE_TYPE(msg)) {
    case GST_MESSAGE_ERROR: {
        GError* error = nullptr;
        gst_message_parse_error(msg, &error, nullptr);
        pipeline->Lost(error ? error->message : "the video device failed");
        g_clear_error(&error);
        break;
    }
    case GST_MESSAGE_EOS:
        pipeline->Lost("the video device stopped sending pictures");
        break;
    default:
        break;
    }
    return GST_BUS_DROP;
}

int CapturePipeline::OnNewSample(void* sink, void* self) {
    auto* pipeline = static_cast<CapturePipeline*>(self);
    GstSample* sample = gst_app_sink_pull_sample(static_cast<GstAppSink*>(sink));
    if (!sample)
        return GST_FLOW_OK;
    GstVideoInfo info;
    GstCaps* caps = gst_sample_get_caps(sample);
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    // Compressed caps parse too (format ENCODED); only BGRx is read.
    if (caps && buffer && gst_video_info_from_caps(&info, caps) &&
        GST_VIDEO_INFO_FORMAT(&info) == GST_VIDEO_FORMAT_BGRx) {
        // The frame keeps the buffer mapped and referenced for as long as
        // anyone holds it, instead of copying its pixels.
        auto mapped = std::make_shared<MappedFrame>();
        if (gst_video_frame_map(&mapped->frame, &info, buffer, GST_MAP_READ)) {
            mapped->mapped = true;
            VideoFrame frame;
            frame.width = GST_VIDEO_FRAME_WIDTH(&mapped->frame);
            frame.height = GST_VIDEO_FRAME_HEIGHT(&mapped->frame);
            frame.stride = GST_VIDEO_FRAME_PLANE_STRIDE(&mapped->frame, 0);
            frame.pixels =
                static_cast<const uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&mapped->frame, 0));
            frame.storage = std::move(mapped);
            if (pipeline->m_store.Put(pipeline->m_epoch, std::move(frame)) && pipeline->m_notify)
                pipeline->m_notify();
        }
    }
    gst_sample_unref(sample);
    return GST_FLOW_OK;
}

std::vector<PictureControl> CapturePipeline::Controls() const {
    std::vector<PictureControl> controls;
    if (!m_pipeline)
        return controls;
    GstElement* element = gst_bin_get_by_interface(GST_BIN(m_pipeline), GST_TYPE_COLOR_BALANCE);
    if (!element)
        return controls;
    GstColorBalance* balance = GST_COLOR_BALANCE(element);
    for (const GList* l = gst_color_balance_list_channels(balance); l; l = l->next) {
        auto* channel = GST_COLOR_BALANCE_CHANNEL(l->data);
        const std::string label = channel->label ? channel->label : "";
        for (const char* wanted : {"brightness", "contrast", "saturation", "hue"}) {
            if (strcasecmp(label.c_str(), wanted) == 0)
                controls.push_back({label, channel->min_value, channel->max_value,
                                    gst_color_balance_get_value(balance, channel)});
        }
    }
    gst_object_unref(element);
    return controls;
}

void CapturePipeline::SetControl(const std::string& name, int value) {
    if (!m_pipeline)
        Raise("no video device is connected");
    GstElement* element = gst_bin_get_by_interface(GST_BIN(m_pipeline), GST_TYPE_COLOR_BALANCE);
    if (!element)
        Raise("the video device has no picture controls");
    GstColorBalance* balance = GST_COLOR_BALANCE(element);
    bool found = false;
    for (const GList* l = gst_color_balance_list_channels(balance); l; l = l->next) {
        auto* channel = GST_COLOR_BALANCE_CHANNEL(l->data);
        if (channel->label && name == channel->label) {
            gst_color_balance_set_value(balance, channel,
                                        std::clamp(value, channel->min_value, channel->max_value));
            found = true;
        }
    }
    gst_object_unref(element);
    if (!found)
        Raise("the video device has no control named " + name);
}
