#pragma once

#include <bit>
#include <cstdint>
#include <memory>
#include <vector>

// The frames' pixel layout is what the picture widget draws without any
// conversion (QImage::Format_RGB32), so that showing a frame costs no pass
// over its pixels. Those words read as blue, green, red, unused in memory
// order only on a little-endian machine.
static_assert(std::endian::native == std::endian::little,
              "frames are BGRx bytes, which is Qt's RGB32 only on little-endian machines");

// One picture from the device: 4 bytes a pixel in memory order blue, green,
// red, unused (GStreamer's BGRx), top row first. The pixels are shared, not
// copied: `storage` keeps them alive, however they were made.
struct VideoFrame {
    int width = 0;
    int height = 0;
    int stride = 0; // bytes from the start of one row to the next
    const uint8_t* pixels = nullptr;
    std::shared_ptr<const void> storage;
    uint64_t sequence = 0; // counts frames of one connection, from 1

    static constexpr int kBytesPerPixel = 4;

    // A frame owning `bgrx`, rows packed without padding.
    static VideoFrame FromPixels(int width, int height, std::vector<uint8_t> bgrx) {
        auto owned = std::make_shared<const std::vector<uint8_t>>(std::move(bgrx));
        VideoFrame f;
        f.width = width;
        f.height = height;
        f.stride = width * kBytesPerPixel;
        f.pixels = owned->data();
        if (owned->size() < static_cast<size_t>(f.stride) * static_cast<size_t>(height))
            f.pixels = nullptr; // too short for its size: no picture
        f.storage = std::move(owned);
        return f;
    }

    bool HasPicture() const {
        return width > 0 && height > 0 && pixels && stride >= width * kBytesPerPixel;
    }
};

using FramePtr = std::shared_ptr<const VideoFrame>;
