#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "scene/picture.h"

// Decodes a PNG picture into 8-bit RGB or RGBA, rows top first. Palette, grey,
// 16-bit and interlaced pictures are converted; palette and grey pictures with
// a transparent colour get an alpha channel, while a truecolour picture without
// an alpha channel stays RGB (its single transparent colour is not used).
// Pictures over the decode limits are refused before any pixel memory is taken.
// On failure `out` is left untouched and `error`, when given, says why.
bool DecodePngFile(const std::string& path, Picture& out, std::string* error = nullptr);
bool DecodePngMemory(const void* data, size_t size, Picture& out, std::string* error = nullptr);

// The width and height stated in a PNG file's header, read without decoding
// anything; false when the file does not start like a PNG picture (or is not a
// plain file). PngSizeOf reads it from the data's first 24 bytes.
bool ReadPngSize(const std::string& path, int32_t& width, int32_t& height);
bool PngSizeOf(const uint8_t* data, size_t size, int32_t& width, int32_t& height);
