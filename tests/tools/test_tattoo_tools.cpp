#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

#include "scene/scene_state.h"
#include "tools/canvas_pointer.h"
#include "tools/photo_view.h"
#include "tools/tattoo_tools.h"

namespace {

// The handlers driven as the canvas drives them, on a 400 x 300 photo shown
// at zoom 1 in the 427 x 516 canvas, so both centring offsets are non-zero.
class TattooToolsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSceneState();
        ResetPhotoView();
        ViewWidth = CanvasWidth;
        ViewHeight = CanvasHeight;
        ImageWidth = PhotoWidth = 400;
        ImageHeight = PhotoHeight = 300;
        CenterX = 13.5f;
        CenterY = 108;
    }

    // A square layer of side 2 x half about (x, y) in layer space.
    static int AddSquare(float x, float y, float half) {
        const int i = AddLayer();
        TTattooLayer& layer = Layers[i];
        layer.Visible = true;
        layer.Alpha = 255;
        layer.Corners[0] = {x - half, y + half, 0, 0};
        layer.Corners[1] = {x + half, y + half, 1, 0};
        layer.Corners[2] = {x + half, y - half, 1, 1};
        layer.Corners[3] = {x - half, y - half, 0, 1};
        return i;
    }

    // Canvas position of a layer-space point.
    static int CanvasX(float x) { return int(std::lround(x * Zoom + CenterX - PanX)); }
    static int CanvasY(float y) { return int(std::lround(y * Zoom + CenterY - PanY)); }

    // A press on layer `layer` at canvas (x, y), as after a frame that found it.
    static void PressOn(int layer, int x, int y, Qt::MouseButtons held = Qt::LeftButton) {
        Panel1MouseMove(Qt::NoButton, x, y);
        HoverLayer = layer;
        Panel1MouseDown(Qt::LeftButton, held, x, y);
    }
    static void DragTo(int x, int y, Qt::MouseButtons held = Qt::LeftButton) {
        Panel1MouseMove(held, x, y);
    }
    static void Release() { Panel1MouseUp(Qt::LeftButton, Qt::NoButton, MouseX, MouseY); }

    static void ExpectCorners(const TLayerCorner (&a)[4], const TLayerCorner (&b)[4],
                              float tolerance) {
        for (int k = 0; k < 4; ++k) {
            EXPECT_NEAR(a[k].X, b[k].X, tolerance) << "corner " << k;
            EXPECT_NEAR(a[k].Y, b[k].Y, tolerance) << "corner " << k;
        }
    }
};

TEST_F(TattooToolsTest, WithoutAPhotoOrALayerNothingChanges) {
    AddSquare(100, 100, 50);
    const TTattooLayer before = Layers[0];
    for (uint8_t tool = Tool::Move; tool <= Tool::Select; ++tool) {
        ToolMode = tool;
        PhotoWidth = 0;
        PressOn(0, CanvasX(100), CanvasY(100));
        DragTo(CanvasX(140), CanvasY(60));
        Release();
        EXPECT_FALSE(MouseHeld);
    }
    PhotoWidth = 400;
    for (uint8_t tool = Tool::Move; tool <= Tool::Blend; ++tool) {
        ToolMode = tool;
        PressOn(-1, CanvasX(100), CanvasY(100));
        DragTo(CanvasX(140), CanvasY(60));
        Release();
    }
    ASSERT_EQ(LastLayer, 0);
    ExpectCorners(Layers[0].Corners, before.Corners, 0);
    EXPECT_EQ(Layers[0].Alpha, 255);
}

TEST_F(TattooToolsTest, DeleteRemovesTheLayerUnderThePointerOnly) {
    ToolMode = Tool::Delete;
    AddSquare(100, 100, 20);
    PressOn(0, 50, 50);
    EXPECT_EQ(LastLayer, -1);
    EXPECT_FALSE(MouseHeld);
    PressOn(0, 50, 50);
    EXPECT_EQ(LastLayer, -1) << "a press on a layer already gone does nothing";

    for (int i = 0; i < 3; ++i)
        Layers[AddSquare(50.0f * i, 10, 5)].Item = i;
    PressOn(0, 50, 50);
    ASSERT_EQ(LastLayer, 1);
    EXPECT_EQ(Layers[0].Item, 1);
    EXPECT_EQ(Layers[1].Item, 2);
}

TEST_F(TattooToolsTest, AFullTurnOfRotateReturnsTheCorners) {
    AddSquare(150, 120, 30);
    const TTattooLayer before = Layers[0];
    ToolMode = Tool::Rotate;
    const float r = 80;
    PressOn(0, CanvasX(150 + r), CanvasY(120));
    for (int step = 1; step <= 36; ++step) {
        const float a = step * std::numbers::pi_v<float> / 18;
        DragTo(CanvasX(150 + r * std::cos(a)), CanvasY(120 + r * std::sin(a)));
        if (step == 10) {
            // The pointer went from right of the centre to below it (the
            // drag works from the previous event): the lower-left corner
            // has turned clockwise to the upper left.
            EXPECT_NEAR(Layers[0].Corners[0].X, 120, 0.5f);
            EXPECT_NEAR(Layers[0].Corners[0].Y, 90, 0.5f);
        }
    }
    DragTo(CanvasX(150 + r), CanvasY(120));
    ExpectCorners(Layers[0].Corners, before.Corners, 1e-2f);
}

TEST_F(TattooToolsTest, ScaleAndBlendFollowTheMovement) {
    AddSquare(100, 100, 40);
    ToolMode = Tool::Scale;
    PressOn(0, 200, 200);
    DragTo(100, 200);
    for (const TLayerCorner& corner : Layers[0].Corners)
        EXPECT_FLOAT_EQ(corner.X, 100) << "dx -100 collapses the width";
    DragTo(100, 150);
    EXPECT_FLOAT_EQ(Layers[0].Corners[0].Y, 160) << "up by 50 heightens by half";
    DragTo(50, 150);
    EXPECT_FLOAT_EQ(Layers[0].Corners[0].X, 100) << "no width to scale";
    Release();

    ToolMode = Tool::Blend;
    PressOn(0, 200, 200);
    DragTo(200, 150);
    EXPECT_EQ(Layers[0].Alpha, 255) << "up from 255 stays at 255";
    DragTo(200, 250);
    EXPECT_EQ(Layers[0].Alpha, 155);
    DragTo(200, 2000);
    EXPECT_EQ(Layers[0].Alpha, 50);
    DragTo(200, 1990);
    EXPECT_EQ(Layers[0].Alpha, 60);
}

TEST_F(TattooToolsTest, MoveAutoScrollsAndKeepsTheTattooUnderThePointer) {
    Zoom = 2;
    OverflowX = 800 - CanvasWidth; // 800 shown in the canvas
    OverflowY = 84;
    CenterX = CenterY = 0;
    PanX = 360;
    AddSquare(350, 150, 20);
    ToolMode = Tool::Move;
    PressOn(0, CanvasX(350), CanvasY(150));
    const float grabX = (MouseX + PanX) / Zoom - Layers[0].Corners[0].X;
    // The drag goes on past the canvas's right edge.
    for (int x = 380; x <= 460; x += 8)
        DragTo(x, 150);
    EXPECT_EQ(PanX, 373) << "scrolled to the end of the range, no further";
    EXPECT_FLOAT_EQ((MouseX + PanX) / Zoom - Layers[0].Corners[0].X, grabX);
    DragTo(5, 3);
    DragTo(5, 3);
    EXPECT_EQ(PanY, 0);
    EXPECT_EQ(PanX, 368);
    EXPECT_FLOAT_EQ((MouseX + PanX) / Zoom - Layers[0].Corners[0].X, grabX);
}

TEST_F(TattooToolsTest, NoDragMakesANaNCornerOrOutlivesItsLayer) {
    // So far out that 0.001 is lost to rounding: the pointer is on the centre.
    AddSquare(40000, 40000, 40);
    CenterX = CenterY = 0;
    PanX = PanY = 40000;
    ToolMode = Tool::Rotate;
    PressOn(0, 0, 0);
    DragTo(0, 0);
    DragTo(30, 10);
    for (const TLayerCorner& corner : Layers[0].Corners) {
        EXPECT_TRUE(std::isfinite(corner.X));
        EXPECT_TRUE(std::isfinite(corner.Y));
    }
    Release();
    LastLayer = -1;
    PanX = PanY = 0;
    AddSquare(100, 100, 40);
    for (uint8_t tool : {Tool::Move, Tool::Rotate, Tool::Scale, Tool::Blend}) {
        ToolMode = tool;
        PressOn(0, 150, 150);
        LastLayer = -1; // a new photo came in meanwhile
        DragTo(190, 100);
        Release();
        LastLayer = 0;
        EXPECT_FLOAT_EQ(Layers[0].Corners[0].X, 60) << int(tool);
    }
}

} // namespace
