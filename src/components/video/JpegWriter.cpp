#include "components/video/JpegWriter.h"

#include "components/ComponentError.h"
#include "platform/AtomicFile.h"
#include "platform/FileError.h"
#include "platform/FileNames.h"

#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <turbojpeg.h>

namespace {

[[noreturn]] void Raise(const std::string& text) {
    throw ComponentError(ComponentError::Failed, text);
}

// The temporary file of one save, made by whichever thread comes first: the
// background worker while the frame is encoded, or the caller when the
// worker has not started by the time the bytes are ready.
class PendingFile {
public:
    explicit PendingFile(std::string fileName)
        : m_fileName(std::move(fileName)) {}

    void Make() {
        {
            std::lock_guard lock(m_mutex);
            if (m_state != State::Waiting)
                return;
            m_state = State::Making;
        }
        std::unique_ptr<AtomicFile::Replacement> made;
        std::exception_ptr error;
        try {
            made =
                std::make_unique<AtomicFile::Replacement>(ResolveNameCase(m_fileName), m_fileName);
        } catch (...) {
            error = std::current_exception();
        }
        std::lock_guard lock(m_mutex);
        m_made = std::move(made);
        m_error = error;
        m_state = State::Done;
        m_done.notify_all();
    }

    // Makes the file here unless the worker has begun; waits for it if so.
    std::unique_ptr<AtomicFile::Replacement> Take() {
        Make();
        std::unique_lock lock(m_mutex);
        m_done.wait(lock, [this] { return m_state == State::Done; });
        if (m_error)
            std::rethrow_exception(m_error);
        return std::move(m_made);
    }

    // The save failed: no temporary file may outlive it.
    void Abandon() {
        std::unique_lock lock(m_mutex);
        if (m_state == State::Waiting) {
            m_state = State::Done;
            return;
        }
        m_done.wait(lock, [this] { return m_state == State::Done; });
        m_made.reset();
    }

private:
    enum class State { Waiting, Making, Done };
    const std::string m_fileName;
    std::mutex m_mutex;
    std::condition_variable m_done;
    State m_state = State::Waiting;
    std::unique_ptr<AtomicFile::Replacement> m_made;
    std::exception_ptr m_error;
};

} // namespace

JpegEncoder::JpegEncoder()
    : m_handle(tjInitCompress()) {}

JpegEncoder::~JpegEncoder() {
    if (m_buffer)
        tjFree(m_buffer);
    if (m_handle)
        tjDestroy(m_handle);
}

std::string_view JpegEncoder::Encode(const VideoFrame& frame, int quality) {
    if (!frame.HasPicture())
        Raise("no picture to encode");
    if (quality < 1 || quality > 100)
        Raise("JPEG quality must be 1 to 100");
    if (!m_handle)
        Raise("the JPEG encoder could not start");
    // Room for the worst case, so the encoder never grows and copies it.
    const unsigned long needed = tjBufSize(frame.width, frame.height, TJSAMP_420);
    if (needed == static_cast<unsigned long>(-1))
        Raise("the picture is too large to encode");
    if (needed > m_capacity) {
        if (m_buffer)
            tjFree(m_buffer);
        m_capacity = 0;
        m_buffer = tjAlloc(static_cast<int>(needed));
        if (!m_buffer)
            Raise("out of memory for the JPEG picture");
        m_capacity = needed;
    }
    unsigned long size = m_capacity;
    if (tjCompress2(m_handle, frame.pixels, frame.width, frame.stride, frame.height, TJPF_BGRX,
                    &m_buffer, &size, TJSAMP_420, quality, TJFLAG_NOREALLOC) != 0)
        Raise(std::string("JPEG encoding failed: ") + tjGetErrorStr2(m_handle));
    return {reinterpret_cast<const char*>(m_buffer), size};
}

JpegFileWriter::JpegFileWriter(Post post)
    : m_post(std::move(post)) {
    if (!m_post)
        m_post = [this](std::function<void()> job) { m_worker.Post(std::move(job)); };
}

void JpegFileWriter::Save(const VideoFrame& frame, int quality, const std::string& fileName) {
    auto pending = std::make_shared<PendingFile>(fileName);
    m_post([pending] { pending->Make(); });
    AtomicFile::ReplacedFile replaced;
    try {
        const std::string_view bytes = m_encoder.Encode(frame, quality);
        replaced = pending->Take()->Commit(bytes, AtomicFile::Durability::Fast);

    } catch (const FileError& e) {
        pending->Abandon();
        Raise(e.what());
    } catch (...) {
        pending->Abandon();
        throw;
    }
    // Freeing the old picture's storage is the slowest step of a replace.
    m_post([old = std::make_shared<AtomicFile::ReplacedFile>(std::move(replaced))]() mutable {
        old.reset();
    });
}
