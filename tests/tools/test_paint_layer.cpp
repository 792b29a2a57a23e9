#include <array>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

#include "scene/scene_state.h"
#include "scene/selection_mask.h"
#include "tools/brush_size.h"
#include "tools/paint_color.h"
#include "tools/paint_layer.h"

namespace {

using Rgba = std::array<uint8_t, 4>;

Rgba PaintPixel(int x, int y) {
    const uint8_t* p = PaintPixels[x / 128 + 1][y / 128 + 1].Data + ((y % 128) * 128 + x % 128) * 4;
    return {p[0], p[1], p[2], p[3]};
}

int PaintedPixels() {
    int count = 0;
    for (int x = 0; x < ImageWidth; ++x)
        for (int y = 0; y < ImageHeight; ++y)
            count += PaintPixel(x, y)[3] != 0;
    return count;
}

class PaintLayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSceneState();
        ResetBrushSize();
        ImageWidth = PhotoWidth = 300;
        ImageHeight = PhotoHeight = 200;
        SelectWholeMask();
        PaintColor = {255, 0, 0};
        ApplyBrushSize(20);
    }
};

TEST(BrushSize, TextsAreClampedWhenAppliedAndTheKeysStopAtTheLimits) {
    EXPECT_EQ(BrushSizeOfText("2"), 3);
    EXPECT_EQ(BrushSizeOfText("99"), 64);
    EXPECT_EQ(BrushSizeOfText(""), 5);
    EXPECT_EQ(BrushSizeOfText("07"), 7);
    EXPECT_EQ(SteppedBrushSize("64", 1), 64);
    EXPECT_EQ(SteppedBrushSize("3", -1), 3);
    EXPECT_EQ(SteppedBrushSize("63", 1), 64);
    EXPECT_EQ(SteppedBrushSize("", 1), 6) << "an unreadable size counts as 5";
    EXPECT_TRUE(BrushSizeTextAccepted("12"));
    EXPECT_TRUE(BrushSizeTextAccepted(""));
    EXPECT_FALSE(BrushSizeTextAccepted("1a"));
    EXPECT_FALSE(BrushSizeTextAccepted("-4"));
}

TEST(BrushSize, SoftEdgeRoundsHalvesToEven) {
    EXPECT_EQ(BrushSoftEdge(20), 6);
    EXPECT_EQ(BrushSoftEdge(5), 2);   // 1.5
    EXPECT_EQ(BrushSoftEdge(15), 4);  // 4.5
    EXPECT_EQ(BrushSoftEdge(25), 8);  // 7.5
    EXPECT_EQ(BrushSoftEdge(64), 19); // 19.2
}

TEST_F(PaintLayerTest, BrushAndEraserArithmetic) {
    StampTileX = StampTileY = 1;
    BrushPixel(10, 10, 255);
    EXPECT_EQ(PaintPixel(10, 10), (Rgba{255, 0, 0, 255}));
    BrushPixel(11, 10, 100);
    EXPECT_EQ(PaintPixel(11, 10), (Rgba{255, 0, 0, 100}));
    BrushPixel(11, 10, 100);
    EXPECT_EQ(PaintPixel(11, 10), (Rgba{255, 0, 0, 200}));
    PaintColor = {0, 0, 255};
    BrushPixel(11, 10, 51);
    EXPECT_EQ(PaintPixel(11, 10), (Rgba{204, 0, 51, 251})) << "mixes by strength";
    ErasePixel(10, 10, 128);
    EXPECT_EQ(PaintPixel(10, 10)[3], 127);
    ErasePixel(10, 10, 255);
    EXPECT_EQ(PaintPixel(10, 10), (Rgba{255, 0, 0, 0})) << "the colour stays";
    // Up to one tile outside the stamp tile, and never off the table.
    StampTileX = StampTileY = 2;
    BrushPixel(-1, 0, 255);
    EXPECT_EQ(PaintPixel(127, 128)[3], 255);
    StampTileX = StampTileY = 1;
    BrushPixel(-1, 5, 255);
    MaskByte(20, 20) = 0;
    BrushPixel(20, 20, 255);
    EXPECT_EQ(PaintPixel(20, 20)[3], 0) << "unselected";
}

TEST_F(PaintLayerTest, StrokesOffThePhotoPaintNothing) {
    EraseAt(0, 0); // even erasing nothing leaves nothing painted
    PaintAt(-1, 100);
    PaintAt(100, 200);
    EXPECT_EQ(PaintedPixels(), 0);
    Zoom = 2;
    PaintAt(600, 100); // image x 300
    EXPECT_EQ(PaintedPixels(), 0);
    PaintAt(599, 100); // 299.5 rounds to 300 (even)
    EXPECT_EQ(PaintedPixels(), 0);
    PaintAt(597, 100); // 298.5 rounds to 298
    EXPECT_EQ(PaintPixel(298, 50), (Rgba{255, 0, 0, 255}));
}

TEST_F(PaintLayerTest, TurnedPhotosMapBackToTheImageGrid) {
    const std::array<std::array<int, 2>, 4> expected = {
        {{10, 20}, {20, 190}, {290, 180}, {280, 10}}};
    for (int turns = 0; turns < 4; ++turns) {
        QuarterTurns = turns;
        int x = 10, y = 20;
        ViewToImage(x, y);
        EXPECT_EQ(x, expected[turns][0]) << turns;
        EXPECT_EQ(y, expected[turns][1]) << turns;
    }
    QuarterTurns = 1;
    PhotoWidth = 200;
    PhotoHeight = 300;
    PaintAt(0, 0); // image (0, 200): just off the image
    EXPECT_EQ(PaintedPixels(), 0);
    PaintAt(1, 1);
    EXPECT_EQ(PaintPixel(1, 199)[3], 255);
}

TEST_F(PaintLayerTest, AStrokeMarksItsTileAndTheNeighboursItMayReach) {
    PaintAt(128 + 10, 100); // tile (2, 1), local (10, 100)
    std::vector<std::pair<int, int>> dirty;
    for (int c = 1; c <= PaintTileCount; ++c)
        for (int r = 1; r <= PaintTileCount; ++r)
            if (PaintTiles[c][r].Dirty) dirty.push_back({c, r});
    const std::vector<std::pair<int, int>> expected = {{1, 1}, {1, 2}, {2, 1}, {2, 2}};
    EXPECT_EQ(dirty, expected);
    MarkTileDirty(0, 5);
    MarkTileDirty(21, 5); // off the table: ignored, no crash
}

// A tile whose pixels changed but stays clean would show stale paint.
TEST_F(PaintLayerTest, TheLargestBrushNearATileEdgeMarksEveryTileItChanged) {
    for (int local : {62, 63, 64, 65, 66}) {
        SetUp();
        ImageWidth = ImageHeight = 400;
        ApplyBrushSize(64);
        PaintAt(128 + local, 128 + local);
        for (int c = 1; c <= 4; ++c)
            for (int r = 1; r <= 4; ++r) {
                bool painted = false;
                for (int k = 3; k < PaintTileBytes; k += 4)
                    painted = painted || PaintPixels[c][r].Data[k] != 0;
                if (painted) {
                    EXPECT_TRUE(PaintTiles[c][r].Dirty) << local << ": " << c << "," << r;
                }
            }
    }
}

// The stamp works a row's stretch per tile at a time; pixel by pixel it must
// give what BrushPixel gives, at the table's border and under a selection.
TEST_F(PaintLayerTest, StampingMatchesBrushPixelAcrossTileEdges) {
    ApplyBrushSize(64);
    for (int x = 0; x < 300; ++x)
        MaskByte(x, 100) = 0;
    PaintColor = {10, 200, 30};
    StampBrush(Brush, 1, 1, 5, 120); // reaches tiles 1..2 across, 1..2 down, and off the table
    const auto stamped = std::make_unique<TileTable<TPaintPixelBlock>>(PaintPixels);
    std::memset(&PaintPixels, 0, sizeof PaintPixels);
    for (int j = 0; j < 128; ++j)
        for (int i = 0; i < 128; ++i)
            if (Brush.Data[j * 128 + i] != 0)
                BrushPixel(i - 64 + 5, j - 64 + 120, Brush.Data[j * 128 + i]);
    EXPECT_EQ(std::memcmp(stamped.get(), &PaintPixels, sizeof PaintPixels), 0);
    EXPECT_EQ(PaintPixel(5, 100)[3], 0);
    EXPECT_EQ(PaintPixel(5, 101)[3], 255);
}

TEST_F(PaintLayerTest, FillCoversEveryTileAfterSelectingEverything) {
    SelectionClosed = false; // an open polygon with no edge selects everything
    FillSelection();
    EXPECT_EQ(ToolMode, Tool::SelectionDone);
    EXPECT_EQ(PaintPixel(0, 0), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(PaintPixel(299, 199), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(PaintPixels[20][20].Data[PaintTileBytes - 1], 255);
    EXPECT_TRUE(PaintTiles[20][20].Dirty);
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
    int inside = 0;
    for (int x = 0; x < ImageWidth; ++x)
        for (int y = 0; y < ImageHeight; ++y) {
            EXPECT_EQ(PaintPixel(x, y)[3], MaskByte(x, y)) << x << "," << y;
            inside += MaskByte(x, y) != 0;
        }
    EXPECT_EQ(PaintPixel(80, 60)[3], 255);
    EXPECT_EQ(PaintPixel(150, 150)[3], 0);
    EXPECT_GT(inside, 10000); // about half of 190 x 170
}

} // namespace
