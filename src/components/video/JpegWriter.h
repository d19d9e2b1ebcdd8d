#pragma once

#include "components/video/VideoFrame.h"

#include <cstdint>
#include <string>
#include <vector>

// Encodes a frame as a baseline JPEG: 4:2:0 chroma, full-range YCbCr (JFIF),
// as cameras and `cjpeg` write it. Quality is 1 to 100. Raises ComponentError
// when the frame is empty or the encoder fails.
std::vector<uint8_t> EncodeJpeg(const VideoFrame& frame, int quality);

// Writes bytes under `fileName` so that a reader sees either the old file or
// the whole new one: a temporary file beside the target, then a rename. A
// name without a folder lands in the current folder. When no file of exactly
// that name exists but one differs only in letter case ("corvalen.jpg" for
// "Corvalen.jpg"), that file is replaced, so both spellings keep naming the
// same file. Raises ComponentError and leaves nothing behind on failure.
void WriteFileAtomically(const std::string& fileName, const std::vector<uint8_t>& bytes);
