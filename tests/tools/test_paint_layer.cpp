#include <array>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "platform/language.h"
#include "scene/scene_state.h"
#include "scene/selection_mask.h"
#include "tools/brush_size.h"
#include "tools/canvas_pointer.h"
#include "tools/paint_color.h"
#include "tools/paint_layer.h"
#include "tools/selection_tool.h"

namespace {

using Rgba = std::array<uint8_t, 4>;

Rgba PaintPixel(int x, int y) {
    const uint8_t* p = PaintPixels[x / 128 + 1][y / 128 + 1].Data + ((y % 128) * 128 + x % 128) * 4;
    return {p[0], p[1], p[2], p[3]};
}

bool NothingPainted() {
    for (int x = 0; x < ImageWidth; ++x)
        for (int y = 0; y < ImageHeight; ++y)
            if (PaintPixel(x, y)[3] != 0) return false;
    return true;
}

class PaintLayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSceneState();
        ImageWidth = PhotoWidth = 300;
        ImageHeight = PhotoHeight = 200;
        SelectWholeMask();
        PaintColor = {255, 0, 0};
        ApplyBrushSize(20);
    }
};

TEST(BrushSize, SoftEdgeRoundsHalvesToEvenAndUpDownStopAtTheLimits) {
    EXPECT_EQ(BrushSoftEdge(5), 2);  // 1.5
    EXPECT_EQ(BrushSoftEdge(15), 4); // 4.5
    EXPECT_EQ(BrushSoftEdge(64), 19);
    EXPECT_EQ(SteppedBrushSize("64", 1), 64);
    EXPECT_EQ(SteppedBrushSize("3", -1), 3);
    EXPECT_EQ(SteppedBrushSize("", 1), 6) << "an unreadable size counts as 5";
}

TEST_F(PaintLayerTest, BrushAndEraserArithmetic) {
    StampTileX = StampTileY = 1;
    BrushPixel(11, 10, 100);
    EXPECT_EQ(PaintPixel(11, 10), (Rgba{255, 0, 0, 100}));
    BrushPixel(11, 10, 100);
    EXPECT_EQ(PaintPixel(11, 10), (Rgba{255, 0, 0, 200}));
    PaintColor = {0, 0, 255};
    BrushPixel(11, 10, 51);
    EXPECT_EQ(PaintPixel(11, 10), (Rgba{204, 0, 51, 251})) << "mixes by strength";
    BrushPixel(11, 10, 255);
    EXPECT_EQ(PaintPixel(11, 10), (Rgba{0, 0, 255, 255}));
    ErasePixel(11, 10, 128);
    EXPECT_EQ(PaintPixel(11, 10), (Rgba{0, 0, 255, 127}));
    ErasePixel(11, 10, 255);
    EXPECT_EQ(PaintPixel(11, 10)[3], 0);
    StampTileX = StampTileY = 2;
    BrushPixel(-1, 0, 255); // one tile to the left
    EXPECT_EQ(PaintPixel(127, 128)[3], 255);
}

TEST_F(PaintLayerTest, StrokesCentredOffThePhotoPaintNothing) {
    PaintAt(-1, 100);
    PaintAt(100, 200);
    Zoom = 2;
    PaintAt(599, 100); // 299.5 rounds to 300 (even): off the photo
    EXPECT_TRUE(NothingPainted());
    PaintAt(597, 100); // 298.5 rounds to 298
    EXPECT_EQ(PaintPixel(298, 50)[3], 255);
}

// Pixels land on the pixel drawn there; the outline's points, which lie
// between pixels, on the corner drawn there.
TEST_F(PaintLayerTest, TurnedPhotosMapBackToTheImageGrid) {
    const int pixels[4][2] = {{10, 20}, {20, 189}, {289, 179}, {279, 10}};
    const int points[4][2] = {{10, 20}, {20, 190}, {290, 180}, {280, 10}};
    for (int turns = 0; turns < 4; ++turns) {
        QuarterTurns = turns;
        int x = 10, y = 20;
        ViewToImage(x, y);
        EXPECT_EQ(x, pixels[turns][0]) << turns;
        EXPECT_EQ(y, pixels[turns][1]) << turns;
        x = 10, y = 20;
        ViewPointToImage(x, y);
        EXPECT_EQ(x, points[turns][0]) << turns;
        EXPECT_EQ(y, points[turns][1]) << turns;
    }
    QuarterTurns = 1;
    PaintAt(0, 0); // the shown photo's top-left pixel: image (0, 199)
    EXPECT_EQ(PaintPixel(0, 199)[3], 255);
    QuarterTurns = 2;
    PaintAt(0, 0);
    EXPECT_EQ(PaintPixel(299, 199)[3], 255);
}

// The stamp runs a row's stretch per tile at a time: it must give what
// BrushPixel gives pixel by pixel, across tile edges and an unselected row,
// and every tile it changes must be sent again.
TEST_F(PaintLayerTest, StampingMatchesBrushPixelAndMarksEveryTileItChanges) {
    ApplyBrushSize(64);
    for (int x = 0; x < 300; ++x)
        MaskByte(x, 190) = 0;
    PaintAt(65, 190); // local (65, 62): reaches tiles 1 and 2 both ways
    const auto stamped = std::make_unique<TileTable<TPaintPixelBlock>>(PaintPixels);
    std::memset(&PaintPixels, 0, sizeof PaintPixels);
    StampTileX = 1;
    StampTileY = 2;
    for (int j = 0; j < 128; ++j)
        for (int i = 0; i < 128; ++i)
            if (Brush.Data[j * 128 + i] != 0)
                BrushPixel(i - 64 + 65, j - 64 + 62, Brush.Data[j * 128 + i]);
    EXPECT_EQ(std::memcmp(stamped.get(), &PaintPixels, sizeof PaintPixels), 0);
    EXPECT_EQ(PaintPixel(65, 190)[3], 0);
    for (auto [c, r] : {std::pair{1, 1}, {1, 2}, {2, 1}, {2, 2}})
        EXPECT_TRUE(PaintTiles[c][r].Dirty) << c << "," << r;
    EXPECT_FALSE(PaintTiles[1][3].Dirty);
}

TEST_F(PaintLayerTest, FillPaintsExactlyTheEvenOddInsideOfATriangle) {
    ClearSelectionMask();
    SelectionClosed = false;
    SelectionPoints[0] = {10, 10};
    SelectionPoints[1] = {200, 50};
    SelectionPoints[2] = {60, 180};
    ToggleSelectionEdge(10, 10, 200, 50);
    ToggleSelectionEdge(200, 50, 60, 180);
    SelectionLast = 3;
    FillSelection();
    for (int x = 0; x < ImageWidth; ++x)
        for (int y = 0; y < ImageHeight; ++y)
            ASSERT_EQ(PaintPixel(x, y)[3], MaskByte(x, y)) << x << "," << y;
    EXPECT_EQ(PaintPixel(80, 60), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(PaintPixel(150, 150)[3], 0);
    EXPECT_TRUE(PaintTiles[20][20].Dirty);
}

class SelectionToolTest : public PaintLayerTest {
  protected:
    void SetUp() override {
        PaintLayerTest::SetUp();
        ToolMode = Tool::Select;
        SelectionClosed = false;
        AskCloseSelection = [this](const std::string&, const std::string&) {
            ++asked_;
            return answer_;
        };
    }
    void TearDown() override { AskCloseSelection = nullptr; }

    static void ReleaseAt(int x, int y) {
        MouseX = x;
        MouseY = y;
        MoveSelectionPoint();
        FixSelectionPoint();
    }

    MessageAnswer answer_ = MessageAnswer::No;
    int asked_ = 0;
};

TEST_F(SelectionToolTest, ClosingIsOfferedWithinTenScreenPixelsOfTheFirstPoint) {
    ReleaseAt(50, 50);
    ReleaseAt(150, 1000);
    EXPECT_EQ(SelectionPoints[1].Y, 200) << "clamped to the image, border included";
    EXPECT_EQ(SelectionPoints[2].Y, 200) << "the next point starts on the fixed one";
    ReleaseAt(60, 50); // 10 image pixels at zoom 1: a new point
    ReleaseAt(59, 50); // 9: asked, and No adds the point
    EXPECT_EQ(asked_, 1);
    EXPECT_EQ(SelectionLast, 4);
    Zoom = 2;
    ReleaseAt(110, 100); // 5 image pixels at zoom 2
    EXPECT_EQ(asked_, 1);
    answer_ = MessageAnswer::Yes;
    ReleaseAt(108, 100); // 4
    EXPECT_EQ(asked_, 2);
    EXPECT_TRUE(SelectionClosed);
    EXPECT_EQ(ToolMode, Tool::SelectionDone);
}

// Taps with no move before them (a tablet, a touch screen): each point goes
// where its press lands.
TEST_F(SelectionToolTest, APressPlacesThePointAndStartsAnOutlineAfterSelectAll) {
    const auto tap = [](int x, int y) {
        Panel1MouseDown(Qt::LeftButton, Qt::LeftButton, x, y);
        Panel1MouseUp(Qt::LeftButton, Qt::NoButton, x, y);
    };
    tap(49, 50);
    tap(149, 150);
    ASSERT_EQ(SelectionLast, 2);
    EXPECT_EQ(SelectionPoints[0].X, 49);
    EXPECT_EQ(SelectionPoints[1].Y, 150);

    // Everything selected, as the selection button's double click leaves it.
    ToolMode = Tool::SelectionDone;
    SelectionClosed = true;
    SelectionLast = 0;
    SelectWholeMask();
    tap(-10, 10);
    EXPECT_EQ(ToolMode, Tool::SelectionDone) << "a press beside the photo";
    tap(99, 100);
    EXPECT_EQ(ToolMode, Tool::Select);
    EXPECT_EQ(SelectionLast, 1);
    EXPECT_EQ(SelectionPoints[0].X, 99);
    EXPECT_EQ(MaskByte(10, 10), 0) << "nothing selected while the outline is drawn";
}

TEST_F(SelectionToolTest, AFullPolygonRefusesPointsSaysSoAndStillCloses) {
    LoadLanguage(""); // the built-in texts
    std::vector<std::string> notices;
    ShowSelectionNotice = [&](const std::string& text) { notices.push_back(text); };
    for (int i = 0; i < 1100; ++i)
        ReleaseAt(20 + i % 200, i % 2 == 0 ? 20 : 180);
    ShowSelectionNotice = nullptr;
    ResetLanguage();
    EXPECT_EQ(SelectionLast, SelectionCapacity - 1);
    ASSERT_EQ(notices.size(), 1100u - (SelectionCapacity - 1));
    EXPECT_NE(notices[0].find("no more points"), std::string::npos);
    CloseSelection();
    EXPECT_TRUE(SelectionClosed);
    EXPECT_EQ(SelectionPoints[SelectionCapacity - 1].X, SelectionPoints[0].X);
}

} // namespace
