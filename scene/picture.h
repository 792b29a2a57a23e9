#pragma once

#include <cstdint>
#include <vector>

// A decoded picture in memory: 8-bit channels, rows top first, tightly packed.
// Channels is 3 (R, G, B) or 4 (R, G, B, A). This is what UploadTexture takes.
struct Picture {
    int Width = 0;
    int Height = 0;
    int Channels = 0;
    std::vector<uint8_t> Pixels;

    bool Empty() const { return Width <= 0 || Height <= 0 || Pixels.empty(); }
    bool HasAlpha() const { return Channels == 4; }
    int RowBytes() const { return Width * Channels; }
};
