#include "components/video/JpegWriter.h"

#include "components/ComponentError.h"
#include "platform/AtomicFile.h"
#include "platform/FileError.h"
#include "platform/FileNames.h"

#include <memory>
#include <turbojpeg.h>

namespace {

struct TjHandle {
    tjhandle handle = tjInitCompress();
    ~TjHandle() {
        if (handle)
            tjDestroy(handle);
    }
};

struct TjBuffer {
    unsigned char* data = nullptr;
    ~TjBuffer() {
        if (data)
            tjFree(data);
    }
};

} // namespace

std::vector<uint8_t> EncodeJpeg(const VideoFrame& frame, int quality) {
    if (frame.width <= 0 || frame.height <= 0 ||
        frame.rgb.size() < static_cast<size_t>(frame.stride()) * frame.height)
        throw ComponentError(ComponentError::Failed, "no picture to encode");
    if (quality < 1 || quality > 100)
        throw ComponentError(ComponentError::Failed, "JPEG quality must be 1 to 100");
    thread_local TjHandle tj; // one per thread, reused: creating one costs more than a frame
    if (!tj.handle)
        throw ComponentError(ComponentError::Failed, "the JPEG encoder could not start");
    TjBuffer out;
    unsigned long size = 0;
    if (tjCompress2(tj.handle, frame.rgb.data(), frame.width, frame.stride(), frame.height,
                    TJPF_RGB, &out.data, &size, TJSAMP_420, quality, 0) != 0)
        throw ComponentError(ComponentError::Failed,
                             std::string("JPEG encoding failed: ") + tjGetErrorStr2(tj.handle));
    return std::vector<uint8_t>(out.data, out.data + size);
}

void WriteFileAtomically(const std::string& fileName, const std::vector<uint8_t>& bytes) {
    try {
        // A captured image is replaced at the next capture: it needs to land
        // whole, not to survive a power cut, so it skips the forced write.
        AtomicFile::Write(
            ResolveNameCase(fileName),
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), fileName,
            AtomicFile::Durability::Fast);
    } catch (const FileError& e) {
        throw ComponentError(ComponentError::Failed, e.what());
    }
}
