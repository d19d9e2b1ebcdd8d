#pragma once

#include <string>
#include <vector>

// A frame size and rate that a source offers. `format` is the raw pixel
// format ("YUY2") or "image/jpeg" for cameras that send MJPEG.
struct VideoMode {
    int width = 0;
    int height = 0;
    int fps = 0;
    std::string format;

    bool isJpeg() const { return format == "image/jpeg"; }
    std::string Describe() const; // "640 x 480, 30 frames/s (YUY2)"
    bool operator==(const VideoMode&) const = default;
};

// One entry of the device list: a V4L2 camera or the built-in test picture.
struct VideoSource {
    std::string name;    // what the Source dialog shows
    std::string element; // the GStreamer source, e.g. "v4l2src device=/dev/video0"
    std::vector<VideoMode> modes;
    bool isTestPicture = false;

    // The mode used until the user picks one: 640 x 480 when offered, else
    // the largest mode within 1280 x 720 that runs at 15 frames/s or more,
    // raw before MJPEG. Empty when nothing fits (the caps then only bound
    // the size and rate).
    int PreferredMode() const;
};

VideoSource TestPictureSource();

// Cameras first, in the device monitor's order, then the test picture, so
// that entry 0 is the first camera, or the test picture when there is none.
std::vector<VideoSource> ListVideoSources();

// Makes sure GStreamer is initialised; raises ComponentError when it cannot be.
void EnsureGStreamer();
