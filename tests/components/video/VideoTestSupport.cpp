#include "VideoTestSupport.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <turbojpeg.h>

namespace videotest {

Decoded DecodeJpegFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    Decoded d;
    EXPECT_FALSE(bytes.empty()) << path;
    if (bytes.empty())
        return d;
    tjhandle tj = tjInitDecompress();
    int sub = 0, space = 0;
    if (tjDecompressHeader3(tj, bytes.data(), bytes.size(), &d.width, &d.height, &sub, &space) ==
        0) {
        d.rgb.resize(static_cast<size_t>(d.width) * d.height * 3);
        EXPECT_EQ(tjDecompress2(tj, bytes.data(), bytes.size(), d.rgb.data(), d.width, 0, d.height,
                                TJPF_RGB, 0),
                  0)
            << tjGetErrorStr2(tj);
        EXPECT_EQ(sub, TJSAMP_420) << "chroma subsampling";
    } else {
        ADD_FAILURE() << "not a JPEG: " << path << ": " << tjGetErrorStr2(tj);
    }
    tjDestroy(tj);
    return d;
}

} // namespace videotest
