#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "content/photo_loader.h"
#include "render/frame_renderer.h"
#include "render/gl_canvas.h"
#include "render/ink_texture.h"
#include "scene/shading_map.h"
#include "tests/support/gl_fixture.h"

namespace {

using Rgb = std::array<int, 3>;
using PixelAt = std::function<Rgb(int x, int y)>;

Picture MakePicture(int width, int height, int channels,
                    const std::function<std::array<uint8_t, 4>(int, int)>& at) {
    Picture picture{width, height, channels, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto rgba = at(x, y);
            picture.Pixels.insert(picture.Pixels.end(), rgba.begin(), rgba.begin() + channels);
        }
    return picture;
}

// Photos of the canvas's size, shown at zoom 1: layer space is canvas space.
Picture GreyPhoto(const std::function<int(int, int)>& grey) {
    return MakePicture(CanvasWidth, CanvasHeight, 3, [&](int x, int y) {
        const auto v = uint8_t(std::clamp(grey(x, y), 0, 255));
        return std::array<uint8_t, 4>{v, v, v, 255};
    });
}

// The line test's photo: the left half darkens steeply upwards across the
// middle rows, the right half is flat.
constexpr int RampTop = 208;
constexpr int RampBottom = 308;
int RampGrey(int x, int y) {
    if (x >= CanvasWidth / 2) return 150;
    return 40 + 210 * std::clamp(y - RampTop, 0, RampBottom - RampTop) / (RampBottom - RampTop);
}

// A red line across the middle of an otherwise transparent design.
Picture LineDesign() {
    return MakePicture(64, 64, 4, [](int, int y) {
        return y == 31 || y == 32 ? std::array<uint8_t, 4>{255, 0, 0, 255}
                                  : std::array<uint8_t, 4>{0, 0, 0, 0};
    });
}

constexpr Rgb InkColour{200, 120, 80};
// A step in the design's second difference that shows as a crease.
constexpr int CreaseStep = 10;

class InkLook : public GlFixture {
  public:
    // The photo put in place as the loader does, its shading map with it.
    static void UsePhoto(const Picture& photo) { ReplacePhoto(photo); }

    static int AddDesignLayer(TextureName texture, float left, float top, float right, float bottom,
                              bool ink) {
        TTattooLayer& layer = Layers[AddLayer()];
        layer.Visible = true;
        layer.Alpha = 255;
        layer.Texture = texture;
        layer.InkLook = ink;
        layer.Corners[0] = {left, bottom, 0, 0};
        layer.Corners[1] = {right, bottom, 1, 0};
        layer.Corners[2] = {right, top, 1, 1};
        layer.Corners[3] = {left, top, 0, 1};
        return LastLayer;
    }

    std::vector<uint8_t> Frame() const {
        Timer1Timer();
        glFinish();
        std::vector<uint8_t> pixels(size_t(Width) * Height * 4);
        glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    Rgb At(int x, int y) const {
        const auto p = Pixel(x, y);
        return {p[0], p[1], p[2]};
    }

    // The middle row of the red line in column x: where green falls well
    // below red on the grey photo.
    double LineRow(int x) const {
        double sum = 0;
        int count = 0;
        for (int y = 0; y < Height; ++y) {
            const Rgb p = At(x, y);
            if (p[0] - p[1] > 30) sum += y, ++count;
        }
        return count ? sum / count : -1;
    }

    // How far the second difference, `stride` samples apart, of the red and
    // green channels along the straight line from (x0, y0) to (x1, y1) steps
    // away from its middle value: a crease is a step, a smooth curve has
    // none.
    int LargestBendStep(float x0, float y0, float x1, float y1) const {
        constexpr int Samples = 120;
        constexpr int Stride = 12;
        std::vector<Rgb> line;
        for (int i = 0; i <= Samples; ++i) {
            const float t = float(i) / Samples;
            line.push_back(At(int(x0 + (x1 - x0) * t), int(y0 + (y1 - y0) * t)));
        }
        int largest = 0;
        for (int c = 0; c < 2; ++c) {
            std::vector<int> second;
            for (int i = Stride; i + Stride <= Samples; ++i)
                second.push_back(line[i + Stride][c] - 2 * line[i][c] + line[i - Stride][c]);
            std::vector<int> sorted = second;
            std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
            const int middle = sorted[sorted.size() / 2];
            for (int d : second)
                largest = std::max(largest, std::abs(d - middle));
        }
        return largest;
    }
};

struct InkCase {
    const char* Name;
    std::function<void(InkLook&)> Check;
};

TEST_F(InkLook, BendsMultipliesAndSmoothsOnlyTheTattoosThatHaveIt) {
    const InkCase cases[] = {
        {"off, the frame is the one without any ink",
         [](InkLook& t) {
             std::vector<TextureName> designs;
             for (int d = 0; d < 5; ++d)
                 designs.push_back(UploadTexture(1, LineDesign(), true));
             t.UsePhoto(GreyPhoto([](int x, int y) { return (x * 7 + y * 3) % 256; }));
             for (int i = 0; i < 50; ++i)
                 AddDesignLayer(designs[i % 5], float(i % 10) * 40, float(i / 10) * 90,
                                float(i % 10) * 40 + 90, float(i / 10) * 90 + 110, false);
             const ShadingMap map = PhotoShading;
             PhotoShading = {};
             const std::vector<uint8_t> plain = t.Frame();
             PhotoShading = map;
             ClipToSelection = true;
             InkLookForNew = true;
             for (int i = 0; i <= LastLayer; ++i)
                 Layers[i].InkLook = true;
             EXPECT_NE(t.Frame(), plain);
             for (int i = 0; i <= LastLayer; ++i)
                 Layers[i].InkLook = false;
             EXPECT_EQ(t.Frame(), plain);
             EXPECT_EQ(InkTextureCount(), 5);
         }},
        {"a ramp bends the line by the map's shift, a flat photo keeps it straight",
         [](InkLook& t) {
             const TextureName line = UploadTexture(1, LineDesign(), true);
             t.UsePhoto(GreyPhoto([](int, int) { return 150; }));
             AddDesignLayer(line, 20, 158, 407, 358, true);
             t.Frame();
             ASSERT_NEAR(t.LineRow(100), 258, 1.5);
             EXPECT_NEAR(t.LineRow(100), t.LineRow(320), 0.5);
             t.UsePhoto(GreyPhoto(RampGrey));
             AddDesignLayer(line, 20, 158, 407, 358, true);
             t.Frame();
             const float left = ShadingShiftAt(PhotoShading, 100, 258, 0, Width, Height).Y;
             const float right = ShadingShiftAt(PhotoShading, 320, 258, 0, Width, Height).Y;
             EXPECT_GT(left, 5);
             EXPECT_NEAR(right, 0, 0.5);
             EXPECT_NEAR(t.LineRow(100) - t.LineRow(320), left - right, 1.0);
         }},
        {"ink multiplies: darker over dark skin, the skin's grain shows through",
         [](InkLook& t) {
             t.UsePhoto(GreyPhoto([](int x, int) { return (x < 213 ? 60 : 220) + (x % 2) * 16; }));
             const TextureName solid =
                 UploadTexture(1,
                               MakePicture(8, 8, 4,
                                           [](int, int) {
                                               return std::array<uint8_t, 4>{200, 120, 80, 255};
                                           }),
                               true);
             AddDesignLayer(solid, 40, 100, 390, 400, true);
             t.Frame();
             for (int x : {100, 101, 320, 321}) {
                 const int skin = (x < 213 ? 60 : 220) + (x % 2) * 16;
                 for (int c = 0; c < 3; ++c)
                     EXPECT_NEAR(t.At(x, 250)[c], skin * InkColour[c] / 255.0, 3) << x;
             }
             EXPECT_LT(t.At(100, 250)[0], t.At(320, 250)[0]);
             EXPECT_NE(t.At(100, 250)[0], t.At(101, 250)[0]);
         }},
        {"a bent corner shows no crease along the diagonal",
         [](InkLook& t) {
             t.UsePhoto(GreyPhoto([](int, int) { return 255; }));
             const TextureName ramp = UploadTexture(
                 1,
                 MakePicture(
                     64, 64, 4,
                     [](int x, int y) {
                         return std::array<uint8_t, 4>{uint8_t(x * 4), uint8_t(y * 4), 0, 255};
                     }),
                 true);
             for (bool ink : {false, true}) {
                 LastLayer = -1;
                 const int k = AddDesignLayer(ramp, 100, 150, 300, 350, ink);
                 Layers[k].Corners[2] = {410, 40, 1, 1};
                 t.Frame();
                 const int bend = t.LargestBendStep(102, 348, 405, 45);
                 // The eight triangles fold where they meet; the grid's
                 // steps are those of rounding.
                 if (ink)
                     EXPECT_LE(bend, CreaseStep / 2);
                 else
                     EXPECT_GE(bend, CreaseStep);
             }
         }},
    };
    for (const InkCase& c : cases) {
        SCOPED_TRACE(c.Name);
        ResetSceneState();
        SetProjection(Width, Height);
        CreatePaintTileTextures();
        c.Check(*this);
    }
}

} // namespace
