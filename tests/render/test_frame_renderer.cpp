#include <GL/gl.h>
#include <QThread>
#include <algorithm>
#include <cstring>

#include "render/frame_renderer.h"
#include "render/gl_canvas.h"
#include "scene/geometry.h"
#include "tests/render/render_helpers.h"
#include "tests/support/gl_fixture.h"

namespace {

constexpr std::array<uint8_t, 4> Grey{60, 60, 60, 255};
constexpr std::array<uint8_t, 4> PhotoGreen{0, 100, 0, 255};
constexpr std::array<uint8_t, 4> LayerBlue{0, 0, 255, 255};
constexpr std::array<uint8_t, 4> CursorMagenta{255, 0, 255, 255};
constexpr std::array<uint8_t, 4> White{255, 255, 255, 255};

// A photo exactly the canvas's size at zoom 1, so that layer space and canvas
// space coincide; every texture is a solid colour of its own.
class FrameTest : public GlFixture {
  protected:
    void SetUp() override {
        GlFixture::SetUp();
        BackgroundTexture = SolidTexture(Grey);
        const TextureName cursor = SolidTexture(CursorMagenta);
        for (TextureName& texture : CursorTextures)
            texture = cursor;
        const TextureName photo = SolidTexture(PhotoGreen);
        for (auto& column : PhotoTiles)
            for (TextureName& tile : column)
                tile = photo;
        ImageWidth = PhotoWidth = Width;
        ImageHeight = PhotoHeight = Height;
        CreatePaintTileTextures();
    }

    // A square layer from (left, top) to (right, bottom), corners at pixel
    // centres so that its outline lands on whole pixels.
    int AddSquare(float left, float top, float right, float bottom, uint8_t alpha = 255) {
        const int i = AddLayer();
        TTattooLayer& layer = Layers[i];
        layer.Visible = true;
        layer.Alpha = alpha;
        layer.Texture = SolidTexture(LayerBlue);
        layer.Corners[0] = {left, bottom, 0, 0};
        layer.Corners[1] = {right, bottom, 1, 0};
        layer.Corners[2] = {right, top, 1, 1};
        layer.Corners[3] = {left, top, 0, 1};
        return i;
    }

    // Whether the white outline runs through the pixel; pixels on a layer's
    // own edge may belong to the layer or to what lies under it.
    bool Outlined(int x, int y) const { return SameColour(Pixel(x, y), White); }

    // Whether the row y of the selection line (which may land on y - 1) is
    // drawn at column x.
    bool LineAt(int x, int y) const {
        return !SameColour(Pixel(x, y), PhotoGreen) || !SameColour(Pixel(x, y - 1), PhotoGreen);
    }

    void PointAt(int x, int y) {
        MouseInCanvas = true;
        MouseX = x;
        MouseY = y;
    }
};

TEST_F(FrameTest, CentresASmallPhoto) {
    ImageWidth = PhotoWidth = 300;
    ImageHeight = PhotoHeight = 200;
    Timer1Timer();
    EXPECT_FLOAT_EQ(CenterX, 63.5f);
    EXPECT_FLOAT_EQ(CenterY, 158);
    EXPECT_TRUE(SameColour(Pixel(64, 159), PhotoGreen));
    EXPECT_TRUE(SameColour(Pixel(62, 159), Grey));
    EXPECT_TRUE(SameColour(Pixel(362, 357), PhotoGreen));
    EXPECT_TRUE(SameColour(Pixel(364, 357), Grey));
    EXPECT_FLOAT_EQ(CenteringOffset(40, CanvasWidth, 500, 1), 0) << "no centring while overflowing";
}

TEST_F(FrameTest, WithoutAPhotoOnlyBackgroundAndCursorAreDrawn) {
    ImageWidth = PhotoWidth = ImageHeight = PhotoHeight = 0;
    PointAt(100, 100);
    Timer1Timer();
    EXPECT_TRUE(SameColour(Pixel(50, 50), Grey));
    EXPECT_TRUE(SameColour(Pixel(100, 100), CursorMagenta));
}

TEST_F(FrameTest, UpperOfTwoOverlappingLayersIsPickedAndOnlyItIsOutlined) {
    AddSquare(100.5f, 100.5f, 200.5f, 200.5f);
    AddSquare(150.5f, 150.5f, 250.5f, 250.5f);
    PointAt(175, 175);
    Timer1Timer();
    EXPECT_EQ(HoverLayer, 1);
    EXPECT_TRUE(Outlined(150, 230)) << "left edge of layer 1";
    EXPECT_FALSE(Outlined(200, 120)) << "right edge of layer 0";

    PointAt(120, 120); // on layer 0 alone
    Timer1Timer();
    EXPECT_EQ(HoverLayer, 0);
    EXPECT_TRUE(Outlined(200, 180)) << "its outline shows over layer 1 too";
}

TEST_F(FrameTest, HeldLayerStaysPickedWithoutAnOutline) {
    AddSquare(100.5f, 100.5f, 200.5f, 200.5f);
    AddSquare(300.5f, 100.5f, 400.5f, 200.5f);
    MouseHeld = true;
    HoverLayer = 1;
    PointAt(150, 150);
    Timer1Timer();
    EXPECT_EQ(HoverLayer, 1);
    EXPECT_FALSE(Outlined(300, 150));
    EXPECT_FALSE(Outlined(200, 150));
}

TEST_F(FrameTest, CornerHandlePickedBelowFivePixelsOnly) {
    ToolMode = Tool::MovePoints;
    AddSquare(200, 104.9f, 300, 300);
    PointAt(200, 100);
    Timer1Timer();
    EXPECT_EQ(HoverLayer, 0);
    EXPECT_EQ(HoverCorner, 4) << "corner 3, the upper-left one";

    Layers[0].Corners[3].Y = Layers[0].Corners[2].Y = 105;
    Timer1Timer();
    EXPECT_EQ(HoverLayer, -1);
}

TEST_F(FrameTest, UpperLayerAndLowerCornerWinTheHandlePick) {
    ToolMode = Tool::MovePoints;
    AddSquare(100, 100, 102, 102);
    AddSquare(101, 101, 200, 200);
    PointAt(101, 101);
    Timer1Timer();
    EXPECT_EQ(HoverLayer, 1);
    EXPECT_EQ(HoverCorner, 4);
    LastLayer = 0;
    Timer1Timer();
    EXPECT_EQ(HoverLayer, 0);
    EXPECT_EQ(HoverCorner, 1) << "all four corners lie near: the first wins";
}

TEST_F(FrameTest, ViewAndPaintToolsAndClosedSelectionPickNothing) {
    AddSquare(100.5f, 100.5f, 200.5f, 200.5f);
    PointAt(150, 150);
    for (uint8_t tool :
         {Tool::PhotoZoom, Tool::Paint, Tool::Erase, Tool::Select, Tool::SelectionDone}) {
        ToolMode = tool;
        Timer1Timer();
        EXPECT_EQ(HoverLayer, -1) << int(tool);
        EXPECT_FALSE(Outlined(200, 120)) << int(tool);
    }
}

TEST_F(FrameTest, CaptureFrameHasNoCursorOutlineOrSelection) {
    AddSquare(100.5f, 100.5f, 200.5f, 200.5f);
    SelectionPoints[0] = {300, 300};
    SelectionPoints[1] = {400, 300};
    SelectionLast = 1;
    PointAt(150, 150);
    Capturing = true;
    Timer1Timer();
    EXPECT_EQ(HoverLayer, -1);
    EXPECT_FALSE(Outlined(200, 120));
    EXPECT_TRUE(SameColour(Pixel(160, 160), LayerBlue)) << "no cursor";
    EXPECT_FALSE(LineAt(350, 300)) << "no selection outline";

    Capturing = false;
    Timer1Timer();
    EXPECT_EQ(HoverLayer, 0);
    EXPECT_TRUE(Outlined(200, 120));
    EXPECT_TRUE(SameColour(Pixel(160, 160), CursorMagenta));
    EXPECT_TRUE(LineAt(350, 300));
}

TEST_F(FrameTest, TransparentLayerIsStillPickedAndOutlined) {
    AddSquare(100.5f, 100.5f, 200.5f, 200.5f, 0);
    PointAt(150, 150);
    Timer1Timer();
    EXPECT_EQ(HoverLayer, 0);
    EXPECT_TRUE(Outlined(200, 120));
    EXPECT_TRUE(SameColour(Pixel(120, 180), PhotoGreen));
}

TEST_F(FrameTest, PointerOutsideTheCanvasShowsNoMarks) {
    AddSquare(100.5f, 100.5f, 200.5f, 200.5f);
    PointAt(150, 150);
    MouseInCanvas = false;
    Timer1Timer();
    EXPECT_EQ(HoverLayer, -1);
    EXPECT_FALSE(Outlined(200, 120));
    EXPECT_TRUE(SameColour(Pixel(160, 160), LayerBlue));
}

TEST_F(FrameTest, DirtyPaintTilesAreUploadedOnceAndOnlyInsideTheImage) {
    PaintPixels[1][1].Data[0] = 255;
    PaintPixels[1][1].Data[3] = 255;
    PaintTiles[1][1].Dirty = true;
    PaintTiles[20][20].Dirty = true;
    Timer1Timer();
    EXPECT_TRUE(SameColour(Pixel(0, 0), {255, 0, 0, 255}));
    EXPECT_TRUE(SameColour(Pixel(1, 0), PhotoGreen));
    EXPECT_FALSE(PaintTiles[1][1].Dirty);
    EXPECT_TRUE(PaintTiles[20][20].Dirty) << "beyond the image, never drawn";

    // A tile emptied is left out of the frames, and drawn again once painted.
    PaintPixels[1][1].Data[3] = 0;
    PaintTiles[1][1].Dirty = true;
    Timer1Timer();
    EXPECT_TRUE(SameColour(Pixel(0, 0), PhotoGreen));
    PaintPixels[1][1].Data[3] = 255;
    PaintTiles[1][1].Dirty = true;
    Timer1Timer();
    EXPECT_TRUE(SameColour(Pixel(0, 0), {255, 0, 0, 255}));
}

TEST_F(FrameTest, QuarterTurnTurnsThePhotoClockwise) {
    Picture tile = SolidPicture(512, 512, PhotoGreen, 3);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            tile.Pixels[(y * 512 + x) * 3] = 255; // top-left corner reddened
    PhotoTiles[0][0] = UploadTexture(1, tile, false);
    ImageWidth = 200;
    ImageHeight = 100;
    PhotoWidth = 100;
    PhotoHeight = 200;
    QuarterTurns = 1;
    Timer1Timer();
    // Shown from (163.5, 158) to (263.5, 358); the image's top-left is now
    // the top-right corner.
    EXPECT_TRUE(SameColour(Pixel(258, 163), {255, 100, 0, 255}));
    EXPECT_TRUE(SameColour(Pixel(168, 163), PhotoGreen));
}

TEST(TileQuads, PhotoOfThousandBySixHundredHasFourTileKinds) {
    const auto quads = TileQuads(1000, 600, 512, 1, PhotoTileCount);
    ASSERT_EQ(quads.size(), 4u);
    const float expected[4][6] = {{0, 0, 1, 1, 512, 512},
                                  {0, 1, 1, 88.0f / 512, 512, 88},
                                  {1, 0, 488.0f / 512, 1, 488, 512},
                                  {1, 1, 488.0f / 512, 88.0f / 512, 488, 88}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(quads[i].Column, expected[i][0]) << i;
        EXPECT_EQ(quads[i].Row, expected[i][1]) << i;
        EXPECT_FLOAT_EQ(quads[i].UMax, expected[i][2]) << i;
        EXPECT_FLOAT_EQ(quads[i].VMax, expected[i][3]) << i;
        EXPECT_FLOAT_EQ(quads[i].Width, expected[i][4]) << i;
        EXPECT_FLOAT_EQ(quads[i].Height, expected[i][5]) << i;
        EXPECT_FLOAT_EQ(quads[i].X, 512 * expected[i][0]) << i;
    }
}

TEST(TileQuads, ExactMultiplesSkipEmptyTilesAndTablesAreNeverOverrun) {
    EXPECT_EQ(TileQuads(2048, 2048, 512, 0.5f, PhotoTileCount).size(), 16u);
    EXPECT_EQ(TileQuads(2048, 2048, 128, 0.5f, PaintTileCount).size(), 256u);
    for (const TileQuad& q : TileQuads(4000, 3000, 128, 1, PaintTileCount)) {
        EXPECT_LT(q.Column, PaintTileCount);
        EXPECT_LT(q.Row, PaintTileCount);
    }
    EXPECT_TRUE(TileQuads(0, 0, 512, 1, PhotoTileCount).empty());
}

TEST(PulsingColour, ChannelsCycleAtTheirOwnRates) {
    const PulseColour zero = PulsingColour(0);
    EXPECT_EQ(zero.Red + zero.Green + zero.Blue, 0);
    const PulseColour quarter = PulsingColour(157);
    EXPECT_EQ(quarter.Red, 254);
    EXPECT_EQ(quarter.Green, 180);
    EXPECT_EQ(quarter.Blue, 127);
    EXPECT_EQ(PulsingColour(-157).Red, 254);
}

TEST(ChooseCursor, FollowsTheToolAndTheLayerUnderThePointer) {
    const auto paint = ChooseCursor(Tool::Paint, -1, 100, 50);
    ASSERT_TRUE(paint);
    EXPECT_EQ(paint->Index, CURSOR_PAINT);
    EXPECT_FLOAT_EQ(paint->X, 112.5f);
    const auto normal = ChooseCursor(Tool::Rotate, -1, 100, 50);
    EXPECT_EQ(normal->Index, CURSOR_NORMAL);
    EXPECT_FLOAT_EQ(normal->Y, 58.5f);
    EXPECT_EQ(ChooseCursor(Tool::Rotate, 2, 100, 50)->Index, CURSOR_ROTATE);
    EXPECT_EQ(ChooseCursor(Tool::FlipVertical, 0, 0, 0)->Index, CURSOR_FLIP_H);
    EXPECT_EQ(ChooseCursor(Tool::FlipHorizontal, 0, 0, 0)->Index, CURSOR_FLIP_V);
    EXPECT_EQ(ChooseCursor(Tool::SelectionDone, -1, 0, 0)->Index, CURSOR_NORMAL);
    EXPECT_FALSE(ChooseCursor(Tool::SelectionDone, 0, 0, 0));
    EXPECT_STREQ(CursorResourceNames[CURSOR_MOVE_P], "CURSOR_MOVE_P");
}

} // namespace

namespace {

// The whole canvas, rows from the bottom as the framebuffer holds them.
std::vector<uint8_t> ReadCanvas() {
    std::vector<uint8_t> pixels(size_t(CanvasWidth) * CanvasHeight * 4);
    glFinish();
    glReadPixels(0, 0, CanvasWidth, CanvasHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// Canvas pixels (x, y from the top) where two readings differ.
std::vector<std::pair<int, int>> Differences(const std::vector<uint8_t>& a,
                                             const std::vector<uint8_t>& b) {
    std::vector<std::pair<int, int>> found;
    for (size_t i = 0; i < a.size(); i += 4)
        if (std::memcmp(&a[i], &b[i], 3) != 0) {
            const int pixel = int(i / 4);
            found.emplace_back(pixel % CanvasWidth, CanvasHeight - 1 - pixel / CanvasWidth);
        }
    return found;
}

} // namespace

TEST_F(FrameTest, AnimationFramesRedrawOnlyThePulsingMarksOverTheKeptScene) {
    ToolMode = Tool::MovePoints;
    AddSquare(100.5f, 100.5f, 200.5f, 200.5f);
    AddSquare(150.5f, 150.5f, 250.5f, 250.5f, 128);
    SelectionPoints[0] = {50, 300};
    SelectionPoints[1] = {350, 300};
    SelectionLast = 1;
    PointAt(300, 400);
    Timer1Timer();
    const std::vector<uint8_t> composed = ReadCanvas();

    // A change no handler announced: an animation frame must not compose it.
    Layers[1].Alpha = 255;
    for (int frame = 0; frame < 3; ++frame) {
        QThread::msleep(37); // the pulse moves on
        AnimationFrame();
        for (auto [x, y] : Differences(composed, ReadCanvas())) {
            const bool nearHandle = std::any_of(
                std::begin(Layers), std::end(Layers), [x, y](const TTattooLayer& layer) {
                    return std::any_of(std::begin(layer.Corners), std::end(layer.Corners),
                                       [x, y](const TLayerCorner& c) {
                                           return std::abs(x - c.X) < 4 && std::abs(y - c.Y) < 4;
                                       });
                });
            const bool onSelection = std::abs(y - 300) <= 1 && x >= 49 && x <= 351;
            EXPECT_TRUE(nearHandle || onSelection) << x << ", " << y;
        }
    }
    EXPECT_TRUE(SameColour(Pixel(300, 400), CursorMagenta)) << "the cursor is drawn";

    // Once nothing animates, no scene is kept: every frame composes.
    SelectionLast = 0;
    ToolMode = Tool::Move;
    Timer1Timer();
    Layers[1].Alpha = 128;
    AnimationFrame();
    EXPECT_FALSE(Differences(composed, ReadCanvas()).empty());
}
