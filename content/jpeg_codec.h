#pragma once

#include <cstddef>
#include <string>

#include "scene/picture.h"

// Decodes a JPEG picture into 8-bit RGB, rows top first. Grey pictures are
// widened to RGB, CMYK and YCCK pictures are converted (an Adobe marker means
// the inverted CMYK that most editing programs write), progressive files are
// read as well. Pictures over the decode limits are refused before any pixel
// memory is taken, and a file whose data ends before the picture does is
// refused rather than padded with grey. On failure `out` is untouched and `error` says why.
bool DecodeJpegFile(const std::string& path, Picture& out, std::string* error = nullptr);
bool DecodeJpegMemory(const void* data, size_t size, Picture& out, std::string* error = nullptr);

// libjpeg scales while it decodes, in eighths of the stored size: at 4 it
// gives half the width and height, rounded up, for much less work than a full
// decode. The scale is kept within 1..8.
constexpr int JpegFullScale = 8;
bool DecodeJpegMemoryScaled(const void* data, size_t size, int eighths, Picture& out,
                            std::string* error = nullptr);

// The stored width and height from the JPEG's header, before any pixel is
// decoded; false when the data has no readable header.
bool JpegSizeOf(const void* data, size_t size, int& width, int& height);

// Writes an RGB or RGBA picture (alpha is dropped) as a baseline JPEG of the
// given quality (1..100). The data goes to a temporary file beside the target,
// which replaces the target only once everything was written, so a full disk
// never leaves a half-written picture behind.
bool EncodeJpegFile(const std::string& path, const Picture& picture, int quality,
                    std::string* error = nullptr);
