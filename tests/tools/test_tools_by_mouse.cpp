#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "render/frame_renderer.h"
#include "render/gl_canvas.h"
#include "scene/geometry.h"
#include "scene/scene_state.h"
#include "scene/selection_mask.h"
#include "tests/support/counting_canvas.h"
#include "tools/brush_size.h"
#include "tools/canvas_pointer.h"
#include "tools/paint_color.h"
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

    // A square of side 80 about layer point (x, y), above the layers so far.
    static void AddSquare(float x, float y) {
        TTattooLayer& layer = Layers[AddLayer()];
        layer.Visible = true;
        layer.Alpha = 255;
        layer.Corners[0] = {x - 40, y + 40, 0, 0};
        layer.Corners[1] = {x + 40, y + 40, 1, 0};
        layer.Corners[2] = {x + 40, y - 40, 1, 1};
        layer.Corners[3] = {x - 40, y - 40, 0, 1};
    }
    // The only layer: the square about layer point (150, 100), canvas (213.5, 258).
    static void PlaceSquare() {
        LastLayer = -1;
        AddSquare(150, 100);
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
    // A mouse event straight to the canvas, with no move before it (as from
    // a tablet tap) and with the buttons it is given, whatever QTest holds.
    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(at), QPointF(canvas_->mapToGlobal(at)), button, buttons,
                          {});
        QApplication::sendEvent(canvas_.get(), &event);
    }
    void WaitForFrame() {
        const int frames = canvas_->Frames;
        canvas_->ScheduleFrame();
        EXPECT_TRUE(QTest::qWaitFor([&] { return canvas_->Frames > frames; }, 2000));
    }
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
    static float Width(int layer) {
        return Layers[layer].Corners[1].X - Layers[layer].Corners[0].X;
    }

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

// Two overlapping tattoos, the upper one (layer 1) placed last; every press
// here lands where both lie, at layer point (159.5, 105).
TEST_F(ToolsByMouse, ThePointerActsOnTheUpperTattooAndADragEndsWithIt) {
    const QPoint both{223, 263};
    struct Row {
        const char* What;
        uint8_t Tool;
        std::function<void()> Act;
        std::function<void()> Check;
    };
    const Row rows[] = {
        {"Move drags the upper tattoo", Tool::Move,
         [&] {
             Drag({both, {243, 263}});
         },
         [] {
             EXPECT_FLOAT_EQ(Layers[1].Corners[0].X, 150);
             EXPECT_FLOAT_EQ(Layers[0].Corners[0].X, 110);
         }},
        {"Scale widens the upper tattoo", Tool::Scale,
         [&] {
             Drag({both, {243, 263}});
         },
         [] {
             EXPECT_FLOAT_EQ(Width(1), 96);
             EXPECT_FLOAT_EQ(Width(0), 80);
         }},
        {"the Delete tool removes the upper tattoo", Tool::Delete, [&] { Click(both); },
         [] {
             EXPECT_EQ(LastLayer, 0);
             EXPECT_FLOAT_EQ(Layers[0].Corners[0].X, 110);
         }},
        {"the Delete key in Bend removes the tattoo under the pointer", Tool::MovePoints,
         [&] {
             Hover(both);
             EXPECT_TRUE(DeleteHoveredLayer());
         },
         [] {
             EXPECT_EQ(LastLayer, 0);
             EXPECT_FLOAT_EQ(Layers[0].Corners[0].X, 110);
         }},
        {"the Delete key ends a Rotate drag with its tattoo", Tool::Rotate,
         [&] {
             Hover(both);
             QTest::mousePress(Window(), Qt::LeftButton, {}, both);
             QTest::mouseMove(Window(), {233, 273});
             EXPECT_TRUE(DeleteHoveredLayer());
             Hover({243, 283}); // a frame that could hand the drag on
             QTest::mouseMove(Window(), {263, 263});
             QTest::mouseRelease(Window(), Qt::LeftButton, {}, {263, 263});
         },
         [] {
             EXPECT_EQ(LastLayer, 0);
             EXPECT_FLOAT_EQ(Layers[0].Corners[0].X, 110) << "the lower tattoo is untouched";
             EXPECT_FLOAT_EQ(Layers[0].Corners[0].Y, 140);
         }},
        {"a release lost to a dialog ends the drag and the photo's grab", Tool::Move,
         [&] {
             Hover(both);
             QTest::mousePress(Window(), Qt::LeftButton, {}, both);
             QTest::mouseMove(Window(), {233, 263});
             Send(QEvent::MouseMove, {243, 263}, Qt::NoButton, Qt::NoButton);
             Send(QEvent::MouseMove, {253, 263}, Qt::NoButton, Qt::NoButton);
             QTest::mouseRelease(Window(), Qt::LeftButton, {}, {253, 263});
             Send(QEvent::MouseButtonPress, both, Qt::MiddleButton, Qt::MiddleButton);
             Send(QEvent::MouseMove, both, Qt::NoButton, Qt::NoButton);
         },
         [] {
             EXPECT_FLOAT_EQ(Layers[1].Corners[0].X, 140);
             EXPECT_FALSE(MouseHeld);
             EXPECT_FALSE(PhotoGrabbed);
         }},
        {"the right button held in a Scale drag moves; let go, the drag scales again", Tool::Scale,
         [&] {
             Hover(both);
             QTest::mousePress(Window(), Qt::LeftButton, {}, both);
             QTest::mousePress(Window(), Qt::RightButton, {}, both);
             QTest::mouseMove(Window(), {233, 263});
             QTest::mouseRelease(Window(), Qt::RightButton, {}, {233, 263});
             QTest::mouseMove(Window(), {243, 263});
             QTest::mouseRelease(Window(), Qt::LeftButton, {}, {243, 263});
         },
         [] {
             EXPECT_FLOAT_EQ(Layers[1].Corners[0].X, 136);
             EXPECT_FLOAT_EQ(Width(1), 88);
         }},
        {"a Bend drag at zoom 2 moves the corner as far as the pointer", Tool::MovePoints,
         [&] {
             ZoomTo(2); // the lower tattoo's corner 2 (190, 60) shows at (380, 178)
             Drag({{380, 178}, {390, 193}, {400, 198}});
         },
         [] {
             EXPECT_FLOAT_EQ(Corner(2).X, 200);
             EXPECT_FLOAT_EQ(Corner(2).Y, 70);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.What);
        ZoomTo(1);
        Use(row.Tool);
        AddSquare(170, 110);
        row.Act();
        row.Check();
    }
}

// A brush stroke whose lower edge just crosses into the tile below must
// send that tile too, or its paint shows only once something else does.
TEST_F(ToolsByMouse, AStrokeJustAboveATilesBottomEdgeShowsAtOnce) {
    canvas_->makeCurrent();
    CreatePaintTileTextures();
    canvas_->doneCurrent();
    SelectWholeMask();
    ApplyBrushSize(MaxBrushSize); // reaches 63 pixels down
    PaintColor = {0, 0, 0};
    Use(Tool::Paint);
    WaitForFrame();
    const QPoint edge{213, 286}; // image (149, 128), the next tile's first row
    const QRgb before = canvas_->grabFramebuffer().pixel(edge);
    Click({213, 223}); // image (149, 65): 65 + 63 = 128
    WaitForFrame();
    EXPECT_NE(canvas_->grabFramebuffer().pixel(edge), before);
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
