#include "components/video/JpegWriter.h"

#include "components/ComponentError.h"
#include "platform/FileError.h"

#include <atomic>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <strings.h>
#include <sys/stat.h>
#include <turbojpeg.h>
#include <unistd.h>

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

[[noreturn]] void RaiseFileError(int err, const std::string& name) {
    throw ComponentError(ComponentError::Failed, FileError::FromErrno(err, name, true).what());
}

std::pair<std::string, std::string> SplitFolder(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return {"", path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

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

std::string ResolveCaseInsensitive(const std::string& fileName) {
    struct stat st;
    if (fileName.empty() || ::stat(fileName.c_str(), &st) == 0)
        return fileName;
    const auto [folder, base] = SplitFolder(fileName);
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()),
                                            ::closedir);
    if (!dir)
        return fileName;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (::strcasecmp(entry->d_name, base.c_str()) == 0)
            return folder + entry->d_name;
    }
    return fileName;
}

void WriteFileAtomically(const std::string& fileName, const std::vector<uint8_t>& bytes) {
    const auto [folder, base] = SplitFolder(fileName);
    if (base.empty())
        throw ComponentError(ComponentError::Failed, "no file name given");
    const std::string target = ResolveCaseInsensitive(fileName);
    // A name of our own beside the target, so that the rename stays within
    // one file system; O_EXCL never reuses someone else's file.
    static std::atomic<unsigned> counter{0};
    const std::string temp = folder + "." + base + "." + std::to_string(::getpid()) + "." +
                             std::to_string(counter++) + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        RaiseFileError(errno, fileName);
    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        RaiseFileError(err, fileName);
    };
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        done += static_cast<size_t>(n);
    }
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        RaiseFileError(err, fileName);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        RaiseFileError(err, fileName);
    }
}
