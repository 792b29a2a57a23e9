#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

#include "render/frame_renderer.h"
#include "scene/geometry.h"
#include "scene/scene_state.h"
#include "tests/support/counting_canvas.h"
#include "tools/photo_view.h"
#include "ui/canvas_widget.h"

namespace {

// Every tool driven by mouse events on a real canvas, whose frames find the
// layer and corner under the pointer. The 300 x 200 photo at zoom 1 is
// centred in the 427 x 516 canvas, 63.5 pixels in and 158 down, so a layer is
// found only where the pointer really is over it.
class ToolsByMouse : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSceneState();
        ResetPhotoView();
        canvas_ = std::make_unique<CountingCanvas>();
        canvas_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(canvas_.get()));
        ImageWidth = PhotoWidth = 300;
        ImageHeight = PhotoHeight = 200;
    }
    void TearDown() override {
        canvas_.reset();
        ResetSceneState();
    }

    // A square of side 80 about layer point (150, 100), canvas (213.5, 258).
    static void PlaceSquare() {
        LastLayer = -1;
        TTattooLayer& layer = Layers[AddLayer()];
        layer.Visible = true;
        layer.Alpha = 255;
        layer.Corners[0] = {110, 140, 0, 0};
        layer.Corners[1] = {190, 140, 1, 0};
        layer.Corners[2] = {190, 60, 1, 1};
        layer.Corners[3] = {110, 60, 0, 1};
    }

    QWindow* Window() const { return canvas_->windowHandle(); }
    // Moves the pointer and waits for the frame that finds what lies under it.
    void Hover(QPoint at) {
        const int frames = canvas_->Frames;
        QTest::mouseMove(Window(), at);
        // A move onto the pointer's own place may send no event, and so ask
        // for no frame.
        canvas_->ScheduleFrame();
        EXPECT_TRUE(QTest::qWaitFor([&] { return canvas_->Frames > frames; }, 2000));
    }
    // Press at the first point, move through the others, release at the last.
    void Drag(std::initializer_list<QPoint> path, Qt::MouseButton button = Qt::LeftButton) {
        const QPoint from = *path.begin();
        Hover(from);
        QTest::mousePress(Window(), button, {}, from);
        QPoint at = from;
        for (auto p = path.begin() + 1; p != path.end(); ++p)
            QTest::mouseMove(Window(), at = *p);
        QTest::mouseRelease(Window(), button, {}, at);
    }
    void Click(QPoint at) { Drag({at}); }
    // `notches` of the wheel over the canvas, away from the user when positive.
    void Wheel(QPoint at, float notches, Qt::KeyboardModifiers modifiers = {}) {
        QWheelEvent wheel(QPointF(at), QPointF(canvas_->mapToGlobal(at)), {},
                          {0, int(notches * 120)}, Qt::NoButton, modifiers, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(canvas_.get(), &wheel);
    }
    static void ZoomTo(float zoom) {
        Zoom = zoom;
        UpdateScrollRangeX();
        UpdateScrollRangeY();
    }
    // The layer-space point under canvas point (x, y).
    static QPointF LayerPointAt(int x, int y) {
        return {(x + PanX - CenteringOffset(OverflowX, ViewWidth, PhotoWidth, Zoom)) / Zoom,
                (y + PanY - CenteringOffset(OverflowY, ViewHeight, PhotoHeight, Zoom)) / Zoom};
    }
    void Use(uint8_t tool) {
        ToolMode = tool;
        PlaceSquare();
        Hover({5, 5});
    }
    static const TLayerCorner& Corner(int k) { return Layers[0].Corners[k]; }

    std::unique_ptr<CountingCanvas> canvas_;
};

TEST_F(ToolsByMouse, TattooToolsActOnTheLayerUnderThePointer) {
    Use(Tool::Move);
    Drag({{213, 258}, {223, 253}, {233, 248}});
    EXPECT_FLOAT_EQ(Corner(0).X, 130);
    EXPECT_FLOAT_EQ(Corner(0).Y, 130);
    Drag({{100, 100}, {150, 150}});
    EXPECT_FLOAT_EQ(Corner(0).X, 130) << "pressed beside the tattoo";

    Use(Tool::Rotate);
    Drag({{253, 258}, {214, 298}, {213, 298}});
    EXPECT_NEAR(Corner(0).X, 110, 1.5f) << "lower-left turned to upper-left";
    EXPECT_NEAR(Corner(0).Y, 60, 1.5f);

    Use(Tool::Scale);
    Drag({{213, 258}, {253, 218}});
    EXPECT_FLOAT_EQ(Corner(1).X - Corner(0).X, 112);
    EXPECT_FLOAT_EQ(Corner(0).Y - Corner(3).Y, 112);

    Use(Tool::MovePoints);
    Drag({{253, 218}, {263, 208}});
    EXPECT_FLOAT_EQ(Corner(2).X, 200);
    EXPECT_FLOAT_EQ(Corner(2).Y, 50);
    EXPECT_FLOAT_EQ(Corner(1).X, 190);

    Use(Tool::Blend);
    Drag({{213, 258}, {213, 358}});
    EXPECT_EQ(Layers[0].Alpha, 155);
}

// Found by the soak: a long widening drag overflowed the corners into NaN,
// and the tattoo could never be drawn or picked again.
TEST_F(ToolsByMouse, EndlessWideningLeavesATattooThatCanBeShrunk) {
    Use(Tool::Scale);
    const auto sweep = [this](int from, int to) {
        Hover({from, 258});
        QTest::mousePress(Window(), Qt::LeftButton, {}, {from, 258});
        for (int x = from; x != to;)
            QTest::mouseMove(Window(), {x += to > from ? 20 : -20, 258});
        QTest::mouseRelease(Window(), Qt::LeftButton, {}, {to, 258});
    };
    for (int drag = 0; drag < 60; ++drag)
        sweep(213, 413);
    const float wide = Corner(1).X - Corner(0).X;
    for (int k = 0; k < 4; ++k)
        EXPECT_TRUE(std::isfinite(Corner(k).X) && std::isfinite(Corner(k).Y)) << k;
    EXPECT_GT(wide, 1e5f);
    sweep(413, 13);
    EXPECT_LT(Corner(1).X - Corner(0).X, wide / 50) << "still picked and scaled";
}

TEST_F(ToolsByMouse, APressRightAfterAMoveOntoATattooGrabsIt) {
    Use(Tool::Move);
    // No wait for the frame of the move: the press comes before it was due.
    QTest::mouseMove(Window(), {213, 258});
    QTest::mousePress(Window(), Qt::LeftButton, {}, {213, 258});
    QTest::mouseMove(Window(), {233, 248});
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, {233, 248});
    EXPECT_FLOAT_EQ(Corner(0).X, 130);
}

TEST_F(ToolsByMouse, OneShotToolsActAtThePress) {
    Use(Tool::FlipVertical);
    Layers[0].Corners[2].X = 230;
    Click({213, 250});
    EXPECT_FLOAT_EQ(Corner(2).X, 2 * 160.0f - 230);
    Click({213, 250});
    EXPECT_FLOAT_EQ(Corner(2).X, 230) << "a second flip restores the corners";
    Use(Tool::FlipHorizontal);
    Layers[0].Corners[2].Y = 20;
    Click({213, 250});
    EXPECT_NEAR(Corner(2).Y, 2 * 90.0f - 20, 1e-3f);

    Use(Tool::Delete);
    Click({100, 100});
    EXPECT_EQ(LastLayer, 0);
    Click({213, 258});
    EXPECT_EQ(LastLayer, -1);
}

TEST_F(ToolsByMouse, TheRightButtonMovesInRotate) {
    Use(Tool::Rotate);
    Hover({213, 258});
    QTest::mousePress(Window(), Qt::LeftButton, {}, {213, 258});
    QTest::mousePress(Window(), Qt::RightButton, {}, {213, 258});
    QTest::mouseMove(Window(), {243, 268});
    QTest::mouseRelease(Window(), Qt::RightButton, {}, {243, 268});
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, {243, 268});
    EXPECT_FLOAT_EQ(Corner(0).X, 140);
    EXPECT_FLOAT_EQ(Corner(0).Y, 150);
}

TEST_F(ToolsByMouse, ViewToolsPanAndZoom) {
    Use(Tool::PhotoZoom);
    Drag({{200, 200}, {260, 200}, {260, 225}});
    EXPECT_FLOAT_EQ(Zoom, 1.1f);
    Zoom = 3;
    UpdateScrollRangeX();
    UpdateScrollRangeY();
    ToolMode = Tool::PhotoMove;
    Drag({{200, 200}, {150, 190}});
    EXPECT_EQ(PanX, 50);
    EXPECT_EQ(PanY, 10);
    EXPECT_FLOAT_EQ(Corner(0).X, 110) << "the tattoos stay on the photo";
}

TEST_F(ToolsByMouse, CtrlWheelZoomsAboutThePointerWithinTheZoomToolsLimits) {
    Use(Tool::Move);
    ZoomTo(2);
    SetScrollPositionX(50);
    const QPointF before = LayerPointAt(100, 300);
    Wheel({100, 300}, 1, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(Zoom, 2.1f);
    EXPECT_NEAR(LayerPointAt(100, 300).x(), before.x(), 0.51 / Zoom) << "the point stays put";
    Wheel({100, 300}, -0.5f, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(Zoom, 2.05f) << "a finer wheel makes a finer step";
    const double held = LayerPointAt(400, 300).x();
    for (int i = 0; i < 30; ++i)
        Wheel({400, 300}, 1, Qt::ControlModifier);
    EXPECT_GE(Zoom, 3.0f);
    EXPECT_LT(Zoom, 3.1f) << "zooming in stops at 3";
    EXPECT_NEAR(LayerPointAt(400, 300).x(), held, 1.0) << "rounding does not build up";
    for (int i = 0; i < 40; ++i)
        Wheel({100, 300}, -1, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(Zoom, FitZoom(300, 200, ViewWidth, ViewHeight)) << "out to the fit, no further";
}

TEST_F(ToolsByMouse, TheWheelPansAndTheMiddleButtonDragsThePhotoInAnyTool) {
    Use(Tool::Move);
    ZoomTo(3); // 900 x 600: ranges 473 and 84
    Wheel({200, 200}, -1);
    EXPECT_EQ(PanY, 40) << "turned toward the user, the wheel shows more of the bottom";
    Wheel({200, 200}, -2);
    EXPECT_EQ(PanY, 84);
    Wheel({200, 200}, -1, Qt::ShiftModifier);
    EXPECT_EQ(PanX, 40);
    Wheel({200, 200}, 2, Qt::ShiftModifier);
    EXPECT_EQ(PanX, 0);

    SetScrollPositionY(0);
    Drag({{213, 258}, {203, 248}, {193, 238}}, Qt::MiddleButton);
    EXPECT_EQ(PanX, 20);
    EXPECT_EQ(PanY, 20);
    EXPECT_FLOAT_EQ(Corner(0).X, 110) << "the tattoo under the pointer stays put";
    ToolMode = Tool::Select;
    Drag({{213, 258}, {223, 268}}, Qt::MiddleButton);
    EXPECT_EQ(PanX, 10);
    EXPECT_EQ(SelectionLast, 0) << "no outline point from the middle button";
}

} // namespace
