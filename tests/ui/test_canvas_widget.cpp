#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/canvas_context.h"
#include "render/frame_renderer.h"
#include "scene/frame_request.h"
#include "tests/render/render_helpers.h"
#include "tests/support/counting_canvas.h"
#include "ui/canvas_widget.h"

namespace {

class CanvasWidgetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSceneState();
        canvas_ = std::make_unique<CountingCanvas>();
        canvas_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(canvas_.get()));
        Settle();
    }

    // Lets the frames of showing the window run out; a canvas that never
    // stops drawing fails here instead of hanging the test.
    void Settle() {
        for (int round = 0; round < 20; ++round) {
            const int frames = canvas_->Frames;
            QTest::qWait(150);
            if (frames == canvas_->Frames) return;
        }
        ADD_FAILURE() << "the canvas keeps drawing";
    }

    int FramesDuring(int ms) {
        const int before = canvas_->Frames;
        QTest::qWait(ms);
        return canvas_->Frames - before;
    }

    void Send(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, canvas_->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(canvas_.get(), &event);
    }

    std::unique_ptr<CountingCanvas> canvas_;
};

TEST_F(CanvasWidgetTest, ARequestAfterAChangeDrawsExactlyOneFrame) {
    EXPECT_EQ(FramesDuring(300), 0) << "nothing is drawn while nothing changes";
    ToolMode = Tool::Rotate;
    RequestFrame();
    RequestFrame();
    EXPECT_EQ(FramesDuring(300), 1);
}

TEST_F(CanvasWidgetTest, AnimationKeepsFramesComingAtDisplayRateUntilItStops) {
    SelectionLast = 1;
    RequestFrame();
    const int frames = FramesDuring(500);
    EXPECT_GE(frames, 3);
    EXPECT_LE(frames, 40) << "paced, not drawn back to back";

    SelectionLast = 0;
    RequestFrame();
    Settle();
    EXPECT_EQ(FramesDuring(200), 0);
}

TEST_F(CanvasWidgetTest, PointerEventsReachTheHandlersAndEachDrawsAFrame) {
    Send(QEvent::MouseMove, {50.7, 60.2}, Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(MouseInCanvas);
    EXPECT_EQ(MouseX, 50);
    EXPECT_EQ(MouseY, 60);
    EXPECT_EQ(FramesDuring(100), 1);

    ToolMode = Tool::Paint;
    PhotoWidth = PhotoHeight = 10;
    Send(QEvent::MouseButtonPress, {50, 60}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(MouseHeld);
    Send(QEvent::MouseButtonRelease, {50, 60}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(MouseHeld);
    Send(QEvent::MouseButtonDblClick, {50, 60}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(MouseHeld) << "a double click still presses";

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(canvas_.get(), &leave);
    EXPECT_FALSE(MouseInCanvas);
    EXPECT_EQ(FramesDuring(100), 1);
}

TEST_F(CanvasWidgetTest, APointerBurstDrawsNoFasterThanTheFrameInterval) {
    QElapsedTimer clock;
    clock.start();
    const int before = canvas_->Frames;
    for (int i = 0; i < 100; ++i) {
        Send(QEvent::MouseMove, {10.0 + i, 20}, Qt::NoButton, Qt::NoButton);
        QTest::qWait(1);
    }
    const int limit = static_cast<int>(clock.elapsed() / AnimationFrameInterval) + 2;
    EXPECT_LE(canvas_->Frames - before, limit);
    EXPECT_GE(canvas_->Frames - before, 2) << "frames keep coming during the burst";
    const int afterBurst = canvas_->Frames;
    Settle();
    EXPECT_LE(canvas_->Frames - afterBurst, 1) << "at most one last frame shows the final position";
    EXPECT_EQ(MouseX, 109);
}

TEST(CanvasContext, TexturesMadeBeforeTheCanvasIsShownAppearInItsFrames) {
    ResetSceneState();
    CountingCanvas canvas;
    ASSERT_EQ(CreateCanvasContext(CanvasWidth, CanvasHeight, &canvas), 0);
    EXPECT_EQ(ViewWidth, CanvasWidth);
    BackgroundTexture = SolidTexture({200, 0, 0, 255});
    canvas.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas));
    EXPECT_EQ(canvas.grabFramebuffer().pixelColor(10, 10), QColor(200, 0, 0));

    // Uploads between frames still reach the canvas.
    BackgroundTexture = SolidTexture({0, 0, 200, 255});
    EXPECT_EQ(canvas.grabFramebuffer().pixelColor(10, 10), QColor(0, 0, 200));
    ReleaseCanvasContext();
    EXPECT_EQ(CanvasRC, nullptr);
    EXPECT_EQ(CanvasWindow, nullptr);
}

TEST(CanvasContext, NoContextStillGivesTheViewTheCanvasSize) {
    ResetSceneState();
    EXPECT_EQ(CreateCanvasContext(CanvasWidth, CanvasHeight, nullptr), E_FAIL);
    EXPECT_EQ(ViewWidth, CanvasWidth);
    EXPECT_EQ(ViewHeight, CanvasHeight);
}

TEST(FrameAnimating, OnlyPulsingHandlesOrASelectionOutlineAnimate) {
    ResetSceneState();
    EXPECT_FALSE(FrameAnimating());
    ToolMode = Tool::MovePoints;
    MouseInCanvas = true;
    EXPECT_FALSE(FrameAnimating()) << "no layer, no handles";
    AddLayer();
    EXPECT_TRUE(FrameAnimating());
    MouseInCanvas = false;
    EXPECT_FALSE(FrameAnimating());
    ToolMode = Tool::Move;
    SelectionLast = 1;
    EXPECT_TRUE(FrameAnimating());
}

} // namespace
