#include <QLabel>
#include <cmath>
#include <gtest/gtest.h>

#include "platform/form_controls.h"
#include "scene/scene_state.h"
#include "tools/canvas_pointer.h"
#include "tools/photo_view.h"

namespace {

class PhotoViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSceneState();
        ResetPhotoView();
        ViewWidth = CanvasWidth;
        ViewHeight = CanvasHeight;
        MainControls.ZoomLabel = &label_;
    }
    void TearDown() override { MainControls.ZoomLabel = nullptr; }

    static void ShowPhoto(int32_t width, int32_t height, float zoom) {
        ImageWidth = PhotoWidth = width;
        ImageHeight = PhotoHeight = height;
        Zoom = zoom;
        OverflowX = OverflowY = PanX = PanY = 0;
        UpdateScrollRangeX();
        UpdateScrollRangeY();
    }
    static int AddCorner(float x, float y) {
        const int i = AddLayer();
        Layers[i].Visible = true;
        for (TLayerCorner& corner : Layers[i].Corners)
            corner = {x, y, 0.5f, 0.5f};
        return i;
    }
    // A drag in the current view tool by (dx, dy) from the canvas middle.
    static void Drag(int dx, int dy) {
        Panel1MouseMove(Qt::NoButton, 200, 250);
        Panel1MouseDown(Qt::LeftButton, Qt::LeftButton, 200, 250);
        Panel1MouseMove(Qt::LeftButton, 200 + dx, 250 + dy);
        Panel1MouseUp(Qt::LeftButton, Qt::NoButton, 200 + dx, 250 + dy);
    }

    QLabel label_;
};

TEST_F(PhotoViewTest, ZoomStopsFromThreeOnAndSnapsBackToTheFit) {
    ShowPhoto(1000, 800, 2.99f);
    ZoomStep = 2;
    Button3Click();
    EXPECT_FLOAT_EQ(Zoom, 3.03f) << "the test comes before the step";
    EXPECT_EQ(label_.text(), "Zoom: 303");
    // 1000 x 3.0299999 (the single-precision 3.03) truncates to 3029.
    EXPECT_EQ(OverflowX, 3029 - CanvasWidth);
    Button3Click();
    EXPECT_FLOAT_EQ(Zoom, 3.03f);

    ShowPhoto(1000, 800, 0.7f);
    ZoomStep = 5;
    Button4Click();
    EXPECT_FLOAT_EQ(Zoom, 0.6f) << "still wider than the canvas";
    for (int i = 0; i < 2; ++i) {
        ZoomStep = 15;
        Button4Click();
        EXPECT_FLOAT_EQ(Zoom, CanvasWidth / 1000.0f) << "the whole photo fits: the fitted zoom";
        EXPECT_EQ(label_.text(), "Zoom: 43");
    }
}

TEST_F(PhotoViewTest, TheRangeKeepsThePositionsProportionAxisByAxis) {
    ShowPhoto(1000, 1000, 1.0f);
    ASSERT_EQ(OverflowX, 573);
    ASSERT_EQ(OverflowY, 484);
    SetScrollPositionX(300);
    SetScrollPositionY(600);
    EXPECT_EQ(PanY, 484) << "clamped to the range";
    ZoomStep = 25; // + 0.5
    Button3Click();
    EXPECT_EQ(OverflowX, 1073);
    EXPECT_EQ(PanX, int(300.0 * 1073 / 573));
    EXPECT_EQ(PanY, 984);
    // From no range at all the position starts at 0.
    ShowPhoto(300, 300, 1.0f);
    ZoomStep = 50;
    Button3Click();
    EXPECT_EQ(OverflowX, 173);
    EXPECT_EQ(PanX, 0);
}

TEST_F(PhotoViewTest, WildZoomDragsStayFiniteAndEndAtTheFit) {
    ShowPhoto(1000, 1000, 1.0f);
    ToolMode = Tool::PhotoZoom;
    Drag(0, 100000);
    EXPECT_TRUE(std::isfinite(Zoom));
    EXPECT_GT(OverflowX, 0);
    Drag(0, -100000);
    Drag(0, -100000);
    EXPECT_FLOAT_EQ(Zoom, CanvasWidth / 1000.0f);
    EXPECT_EQ(PanX, 0);
    EXPECT_EQ(PanY, 0);
}

TEST_F(PhotoViewTest, QuarterTurnsCarryTheTattoosWithThePhoto) {
    ShowPhoto(1200, 574, 0.5f);
    AddCorner(100, 50);
    bRotateRMouseUp(Qt::LeftButton);
    EXPECT_EQ(QuarterTurns, 1);
    EXPECT_EQ(PhotoWidth, 574);
    EXPECT_EQ(PhotoHeight, 1200);
    EXPECT_EQ(OverflowY, 600 - CanvasHeight);
    EXPECT_NEAR(Layers[0].Corners[0].X, 524, 1e-3f);
    EXPECT_NEAR(Layers[0].Corners[0].Y, 100, 1e-3f);
    // The right button turns back.
    bRotateRMouseUp(Qt::RightButton);
    EXPECT_EQ(QuarterTurns, 0);
    EXPECT_NEAR(Layers[0].Corners[0].X, 100, 1e-3f);
    EXPECT_NEAR(Layers[0].Corners[0].Y, 50, 1e-3f);
}

TEST_F(PhotoViewTest, FourTurnsEitherWayRestoreEverything) {
    ShowPhoto(640, 480, 1.0f);
    for (int i = 0; i < 200; ++i)
        AddCorner(float(i * 3), float(i * 2));
    Layers[7].Visible = false;
    Layers[7].Corners[0].X = 1e6f; // hidden layers stay where they are
    const std::vector<TTattooLayer> before(Layers.begin(), Layers.end());
    for (int i = 0; i < 4; ++i)
        bRotateRMouseUp(Qt::LeftButton);
    for (int i = 0; i < 4; ++i)
        Button14Click();
    EXPECT_EQ(QuarterTurns, 0);
    EXPECT_EQ(PhotoWidth, 640);
    EXPECT_EQ(PhotoHeight, 480);
    for (int i = 0; i < 200; ++i) {
        EXPECT_NEAR(Layers[i].Corners[2].X, before[i].Corners[2].X, 1e-2f);
        EXPECT_NEAR(Layers[i].Corners[2].Y, before[i].Corners[2].Y, 1e-2f);
    }
    EXPECT_EQ(Layers[7].Corners[0].X, 1e6f);
    LastLayer = -1;
    Button14Click();
    EXPECT_EQ(QuarterTurns, 3) << "turns with no layers too";
}

} // namespace
