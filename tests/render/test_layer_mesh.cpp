#include <GL/gl.h>
#include <vector>

#include "render/gl_canvas.h"
#include "render/layer_mesh.h"
#include "tests/render/render_helpers.h"
#include "tests/support/gl_fixture.h"

namespace {

class LayerMeshTest : public GlFixture {
  protected:
    // The corners of an axis-aligned layer from (left, top) to (right,
    // bottom) in the creation order: lower-left, lower-right, upper-right,
    // upper-left, with V growing upwards.
    static void Square(TLayerCorner c[4], float left, float top, float right, float bottom) {
        c[0] = {left, bottom, 0, 0};
        c[1] = {right, bottom, 1, 0};
        c[2] = {right, top, 1, 1};
        c[3] = {left, top, 0, 1};
    }

    bool AnythingDrawn() {
        for (int y = 0; y < Height; y += 4)
            for (int x = 0; x < Width; x += 4)
                if (!SameColour(Pixel(x, y), {0, 0, 0, 255})) return true;
        return false;
    }

    std::vector<std::array<uint8_t, 4>> Region(int x0, int y0, int x1, int y1) {
        std::vector<std::array<uint8_t, 4>> pixels;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                pixels.push_back(Pixel(x, y));
        return pixels;
    }
};

// A texture whose every texel differs, so that any change of the mapping shows.
TextureName PatternTexture() {
    Picture picture{64, 64, 4, std::vector<uint8_t>(64 * 64 * 4)};
    for (int i = 0; i < 64 * 64; ++i) {
        picture.Pixels[i * 4 + 0] = static_cast<uint8_t>((i % 64) * 4);
        picture.Pixels[i * 4 + 1] = static_cast<uint8_t>((i / 64) * 4);
        picture.Pixels[i * 4 + 2] = 128;
        picture.Pixels[i * 4 + 3] = 255;
    }
    return UploadTexture(1, picture, false);
}

TEST_F(LayerMeshTest, LayerJustLeftOfTheCanvasIsCulledAndOneTouchingItsEdgeIsDrawn) {
    TLayerCorner c[4];
    const TextureName white = SolidTexture({255, 255, 255, 255});
    Square(c, -50, 100, -0.5f, 150);
    EXPECT_FALSE(DrawLayerMesh(white, c, 255, 255, 255, 255, 0, 0));
    DrawLayerOutline(c, 255, 255, 255, 255, 0, 0);
    EXPECT_FALSE(AnythingDrawn());

    Square(c, -50, 100, 0, 150);
    EXPECT_TRUE(DrawLayerMesh(white, c, 255, 255, 255, 255, 0, 0));
    // The offset takes part in the test as well.
    Square(c, -50, 100, 10, 150);
    EXPECT_FALSE(DrawLayerMesh(white, c, 255, 255, 255, 255, -10.5f, 0));
    Zoom = 2;
    Square(c, 100, 0, 200, 100);
    EXPECT_FALSE(DrawLayerMesh(white, c, 255, 255, 255, 255, 0, CanvasHeight + 0.5f));
    EXPECT_TRUE(DrawLayerMesh(white, c, 255, 255, 255, 255, 0, CanvasHeight));
}

TEST_F(LayerMeshTest, MovingCornerTwoLeavesTheTriangleAtCornerZeroUnchanged) {
    const TextureName pattern = PatternTexture();
    TLayerCorner c[4];
    Square(c, 100, 100, 228, 228);
    DrawLayerMesh(pattern, c, 255, 255, 255, 255, 0, 0);
    // Inside triangle C0-M01-M03: the lower-left quarter, below its diagonal.
    const auto cornerZero = Region(102, 190, 125, 226);
    const auto cornerTwo = Region(200, 102, 226, 126);

    glClear(GL_COLOR_BUFFER_BIT);
    c[2].X += 50;
    c[2].Y -= 50;
    DrawLayerMesh(pattern, c, 255, 255, 255, 255, 0, 0);
    EXPECT_EQ(Region(102, 190, 125, 226), cornerZero);
    EXPECT_NE(Region(200, 102, 226, 126), cornerTwo);
}

} // namespace
