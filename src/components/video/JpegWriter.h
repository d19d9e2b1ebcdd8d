#pragma once

#include "components/video/BackgroundWorker.h"
#include "components/video/VideoFrame.h"

#include <functional>
#include <string>
#include <string_view>

// Encodes frames as baseline JPEGs: 4:2:0 chroma, full-range YCbCr (JFIF), as
// cameras and `cjpeg` write them. The encoder and its output buffer are kept
// from frame to frame: setting them up costs a noticeable part of a frame.
class JpegEncoder {
public:
    JpegEncoder();
    ~JpegEncoder();
    JpegEncoder(const JpegEncoder&) = delete;
    JpegEncoder& operator=(const JpegEncoder&) = delete;

    // The JPEG bytes, valid until the next call. Quality is 1 to 100. Raises
    // ComponentError when the frame is empty or the encoder fails.
    std::string_view Encode(const VideoFrame& frame, int quality);

private:
    void* m_handle;
    unsigned char* m_buffer = nullptr;
    unsigned long m_capacity = 0;
};

// Saves frames as JPEG files under a name, so that a reader sees either the
// old file or the whole new one: a temporary file beside the target, then a
// rename. A name without a folder lands in the current folder. When no file
// of exactly that name exists but one differs only in letter case
// ("corvalen.jpg" for "Corvalen.jpg"), that file is replaced, so both
// spellings keep naming the same file. Raises ComponentError and leaves
// nothing behind on failure.
//
// The temporary file is created on a background thread while the frame is
// encoded, and the replaced file's storage is freed there afterwards; the
// caller waits only for the encoding, the write and the rename.
class JpegFileWriter {
public:
    // Hands a job to the background; by default a worker thread of its own.
    using Post = std::function<void(std::function<void()>)>;
    explicit JpegFileWriter(Post post = {});

    // Returns when the file is complete under its name.
    void Save(const VideoFrame& frame, int quality, const std::string& fileName);

private:
    JpegEncoder m_encoder;
    BackgroundWorker m_worker; // declared after the encoder: joined first
    Post m_post;
};
