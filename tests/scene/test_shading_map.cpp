#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

#include "scene/shading_map.h"

namespace {

// A photo of w x h whose grey rises from left to right across its middle
// columns, flat beyond them.
Picture RampAcross(int w, int h) {
    Picture photo{w, h, 3, std::vector<uint8_t>(size_t(w) * h * 3)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int grey = std::clamp(40 + (x - w / 4) * 400 / w, 40, 240);
            for (int c = 0; c < 3; ++c)
                photo.Pixels[(size_t(y) * w + x) * 3 + c] = uint8_t(grey);
        }
    return photo;
}

// The shift points up the slope towards the light, turns with the photo and
// follows the image point under the layer-space one.
TEST(ShadingMap, ShiftsTowardsTheLightAndTurnsWithThePhoto) {
    constexpr int W = 600, H = 300;
    const ShadingMap map = ComputeShadingMap(RampAcross(W, H));
    ASSERT_FALSE(map.Empty());
    struct Case {
        int Turns;
        float X, Y;         // layer space, on the ramp's middle
        float WantX, WantY; // the shift's direction
    };
    const Case cases[] = {
        {0, W / 2.0f, H / 2.0f, 1, 0},
        {1, H / 2.0f, W / 2.0f, 0, 1},
        {2, W / 2.0f, H / 2.0f, -1, 0},
        {3, H / 2.0f, W / 2.0f, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Turns);
        const ShadingShift shift = ShadingShiftAt(map, c.X, c.Y, c.Turns, W, H);
        EXPECT_GT(shift.X * c.WantX + shift.Y * c.WantY, 1.0f);
        EXPECT_NEAR(shift.X * c.WantY - shift.Y * c.WantX, 0, 0.05f);
        EXPECT_LE(std::hypot(shift.X, shift.Y), ShadingMaxShift * W + 0.01f);
    }
    // The flat right quarter bends nothing, and neither does no photo.
    const ShadingShift flat = ShadingShiftAt(map, W - 10.0f, H / 2.0f, 0, W, H);
    EXPECT_NEAR(flat.X, 0, 0.05f);
    EXPECT_TRUE(ComputeShadingMap(Picture{}).Empty());
    EXPECT_EQ(ShadingShiftAt(ShadingMap{}, 1, 1, 0, W, H).X, 0);
}

} // namespace
