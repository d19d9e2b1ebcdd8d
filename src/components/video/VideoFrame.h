#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// One picture from the device, as packed 8-bit RGB rows (no padding), ready
// for the JPEG writer and for drawing.
struct VideoFrame {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // width * 3 bytes per row, top row first
    uint64_t sequence = 0;    // counts frames of one connection, from 1

    int stride() const { return width * 3; }
};

using FramePtr = std::shared_ptr<const VideoFrame>;
