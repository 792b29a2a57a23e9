#pragma once

#include <cstdint>

// The colour of the brush and of the fill; the colour swatches choose it.
struct TPaintColor {
    uint8_t R = 255;
    uint8_t G = 255;
    uint8_t B = 0;
};

// Yellow until a swatch is chosen (the window chooses the first at start).
extern TPaintColor PaintColor;
