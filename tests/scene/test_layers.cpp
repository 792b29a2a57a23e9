#include <gtest/gtest.h>

#include "scene/scene_state.h"

class Layers_ : public ::testing::Test {
  protected:
    void SetUp() override { ResetSceneState(); }

    // Adds a layer whose Item tells the layers apart.
    void AddNumbered(int item) { Layers[AddLayer()].Item = item; }
};

TEST_F(Layers_, AddingGrowsTheListByOneZeroFilledRecord) {
    AddNumbered(7);
    int k = AddLayer();
    EXPECT_EQ(k, 1);
    EXPECT_EQ(LastLayer, 1);
    EXPECT_EQ(Layers.size(), 2u);
    EXPECT_FALSE(Layers[1].Visible);
    EXPECT_EQ(Layers[1].Alpha, 0);
    EXPECT_EQ(Layers[0].Item, 7);
}

TEST_F(Layers_, DeletingTheFirstMovesTheOthersDownInOrder) {
    AddNumbered(10);
    AddNumbered(11);
    AddNumbered(12);
    DeleteLayer(0);
    EXPECT_EQ(LastLayer, 1);
    EXPECT_EQ(Layers[0].Item, 11);
    EXPECT_EQ(Layers[1].Item, 12);
    EXPECT_EQ(Layers.size(), 3u) << "the storage is not shrunk";
}

TEST_F(Layers_, DeletingTheLastOrOnlyLayerJustCountsDown) {
    AddNumbered(10);
    AddNumbered(11);
    DeleteLayer(1);
    EXPECT_EQ(LastLayer, 0);
    EXPECT_EQ(Layers[0].Item, 10);
    DeleteLayer(0);
    EXPECT_EQ(LastLayer, -1);
}

TEST_F(Layers_, AReusedPlaceStartsZeroFilledAgain) {
    Layers[AddLayer()].Alpha = 200;
    DeleteLayer(0);
    EXPECT_EQ(Layers[AddLayer()].Alpha, 0);
}

TEST_F(Layers_, ResetPutsEverythingBack) {
    AddNumbered(1);
    ToolMode = Tool::Paint;
    PanX = 5;
    Zoom = 2.5f;
    HoverLayer = 0;
    HoverCorner = 3;
    SelectionLast = 4;
    SelectionClosed = false;
    Capturing = true;
    MouseInCanvas = true;
    PaintPixels[20][20].Data[PaintTileBytes - 1] = 9;
    SelectionMask[1][1].Data[0] = 255;
    ResetSceneState();
    EXPECT_EQ(LastLayer, -1);
    EXPECT_EQ(ToolMode, Tool::Move);
    EXPECT_EQ(PanX, 0);
    EXPECT_FLOAT_EQ(Zoom, 1.0f);
    EXPECT_EQ(HoverLayer, -1);
    EXPECT_EQ(HoverCorner, 0);
    EXPECT_EQ(SelectionLast, 0);
    EXPECT_TRUE(SelectionClosed);
    EXPECT_FALSE(Capturing);
    EXPECT_FALSE(MouseInCanvas);
    EXPECT_EQ(PaintPixels[20][20].Data[PaintTileBytes - 1], 0);
    EXPECT_EQ(SelectionMask[1][1].Data[0], 0);
}
