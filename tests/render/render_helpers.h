#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "render/gl_canvas.h"
#include "scene/picture.h"

// Pictures and textures made in memory for the drawing tests.

inline Picture SolidPicture(int width, int height, std::array<uint8_t, 4> rgba, int channels = 4) {
    Picture picture{width, height, channels, {}};
    picture.Pixels.reserve(static_cast<size_t>(width) * height * channels);
    for (int i = 0; i < width * height; ++i)
        picture.Pixels.insert(picture.Pixels.end(), rgba.begin(), rgba.begin() + channels);
    return picture;
}

inline TextureName SolidTexture(std::array<uint8_t, 4> rgba) {
    return UploadTexture(1, SolidPicture(2, 2, rgba), false);
}

inline bool SameColour(std::array<uint8_t, 4> pixel, std::array<uint8_t, 4> expected) {
    return pixel[0] == expected[0] && pixel[1] == expected[1] && pixel[2] == expected[2];
}
