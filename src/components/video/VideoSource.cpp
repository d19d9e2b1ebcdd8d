#include "components/video/VideoSource.h"

#include "components/ComponentError.h"

#include <algorithm>
#include <gst/gst.h>

namespace {

constexpr int kMaxWidth = 1280;
constexpr int kMaxHeight = 720;
constexpr int kMinFps = 15;

std::vector<int> Rates(const GstStructure* s) {
    std::vector<int> rates;
    const GValue* v = gst_structure_get_value(s, "framerate");
    if (!v)
        return rates;
    auto add = [&](const GValue* f) {
        if (G_VALUE_HOLDS(f, GST_TYPE_FRACTION) && gst_value_get_fraction_denominator(f) > 0)
            rates.push_back(gst_value_get_fraction_numerator(f) /
                            gst_value_get_fraction_denominator(f));
    };
    if (GST_VALUE_HOLDS_LIST(v)) {
        for (guint i = 0; i < gst_value_list_get_size(v); ++i)
            add(gst_value_list_get_value(v, i));
    } else if (GST_VALUE_HOLDS_FRACTION_RANGE(v)) {
        add(gst_value_get_fraction_range_max(v));
    } else {
        add(v);
    }
    return rates;
}

std::vector<VideoMode> ModesOf(GstCaps* caps) {
    std::vector<VideoMode> modes;
    if (!caps)
        return modes;
    for (guint i = 0; i < gst_caps_get_size(caps); ++i) {
        const GstStructure* s = gst_caps_get_structure(caps, i);
        std::string format;
        if (gst_structure_has_name(s, "image/jpeg")) {
            format = "image/jpeg";
        } else if (gst_structure_has_name(s, "video/x-raw")) {
            const char* f = gst_structure_get_string(s, "format");
            if (!f)
                continue;
            format = f;
        } else {
            continue;
        }
        int w = 0, h = 0;
        if (!gst_structure_get_int(s, "width", &w) || !gst_structure_get_int(s, "height", &h))
            continue;
        for (int fps : Rates(s)) {
            VideoMode m{w, h, fps, format};
            if (fps > 0 && std::find(modes.begin(), modes.end(), m) == modes.end())
                modes.push_back(m);
        }
    }
    return modes;
}

} // namespace

std::string VideoMode::Describe() const {
    return std::to_string(width) + " x " + std::to_string(height) + ", " + std::to_string(fps) +
           " frames/s (" + (isJpeg() ? std::string("MJPEG") : format) + ")";
}

int VideoSource::PreferredMode() const {
    int best = -1;
    auto fits = [](const VideoMode& m) {
        return m.width <= kMaxWidth && m.height <= kMaxHeight && m.fps >= kMinFps;
    };
    auto better = [&](const VideoMode& a, const VideoMode& b) {
        const bool a640 = a.width == 640 && a.height == 480,
                   b640 = b.width == 640 && b.height == 480;
        if (a640 != b640)
            return a640;
        if (a.isJpeg() != b.isJpeg())
            return !a.isJpeg();
        if (a.width * a.height != b.width * b.height)
            return a.width * a.height > b.width * b.height;
        return a.fps > b.fps;
    };
    for (int i = 0; i < static_cast<int>(modes.size()); ++i) {
        if (fits(modes[i]) && (best < 0 || better(modes[i], modes[best])))
            best = i;
    }
    return best;
}

VideoSource TestPictureSource() {
    VideoSource s;
    s.name = "Test picture";
    s.element = "videotestsrc is-live=true pattern=smpte";
    s.isTestPicture = true;
    for (auto [w, h] : {std::pair{320, 240}, {640, 480}, {1280, 720}})
        for (int fps : {30, 15})
            s.modes.push_back({w, h, fps, "YUY2"});
    return s;
}

void EnsureGStreamer() {
    GError* error = nullptr;
    if (!gst_init_check(nullptr, nullptr, &error)) {
        std::string text = error ? error->message : "unknown error";
        g_clear_error(&error);
        throw ComponentError(ComponentError::Failed, "GStreamer could not start: " + text);
    }
}

std::vector<VideoSource> ListVideoSources() {
    EnsureGStreamer();
    std::vector<VideoSource> sources;
    GstDeviceMonitor* monitor = gst_device_monitor_new();
    gst_device_monitor_add_filter(monitor, "Video/Source", nullptr);
    GList* devices = gst_device_monitor_get_devices(monitor);
    for (GList* l = devices; l; l = l->next) {
        GstDevice* device = GST_DEVICE(l->data);
        GstStructure* props = gst_device_get_properties(device);
        const char* path = props ? gst_structure_get_string(props, "device.path") : nullptr;
        const char* api = props ? gst_structure_get_string(props, "device.api") : nullptr;
        if (path && api && std::string(api) == "v4l2") {
            VideoSource s;
            gchar* name = gst_device_get_display_name(device);
            s.name = name ? name : path;
            g_free(name);
            gchar* quoted = g_strescape(path, nullptr);
            s.element = std::string("v4l2src device=\"") + quoted + "\"";
            g_free(quoted);
            GstCaps* caps = gst_device_get_caps(device);
            s.modes = ModesOf(caps);
            if (caps)
                gst_caps_unref(caps);
            sources.push_back(std::move(s));
        }
        if (props)
            gst_structure_free(props);
    }
    g_list_free_full(devices, gst_object_unref);
    gst_object_unref(monitor);
    sources.push_back(TestPictureSource());
    return sources;
}
