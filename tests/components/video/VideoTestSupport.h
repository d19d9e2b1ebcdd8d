#pragma once

#include "components/video/VideoFrame.h"
#include "components/video/VideoSource.h"

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace videotest {

// Polls until `done` holds or a few seconds pass; returns whether it held.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// The test picture with a different source element, for sources that never
// deliver, stop after a few frames, or do not exist.
inline VideoSource SourceWith(std::string name, std::string element) {
    VideoSource s = TestPictureSource();
    s.name = std::move(name);
    s.element = std::move(element);
    return s;
}

struct Decoded {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    const unsigned char* Pixel(int x, int y) const { return &rgb[(y * width + x) * 3]; }
};

Decoded DecodeJpegFile(const std::string& path); // fails the test on error

// The colour bars of the test picture (100 % SMPTE bars), left to right. In
// full range they span 0 to 255; limited range would give 16 to 235.
struct Bar {
    const char* name;
    int r, g, b;
};
inline const Bar kBars[] = {
    {"white", 255, 255, 255}, {"yellow", 255, 255, 0}, {"cyan", 0, 255, 255}, {"green", 0, 255, 0},
    {"magenta", 255, 0, 255}, {"red", 255, 0, 0},      {"blue", 0, 0, 255}};

} // namespace videotest
