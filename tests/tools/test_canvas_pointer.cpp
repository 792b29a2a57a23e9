#include <gtest/gtest.h>

#include "scene/scene_state.h"
#include "tools/canvas_pointer.h"

namespace {

class CanvasPointerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSceneState();
        PhotoWidth = PhotoHeight = 100;
    }

    static void LeftPress() { Panel1MouseDown(Qt::LeftButton, Qt::LeftButton, 5, 5); }
};

TEST_F(CanvasPointerTest, MoveRecordsThePointer) {
    Panel1MouseMove(Qt::NoButton, 30, 40);
    EXPECT_TRUE(MouseInCanvas);
    EXPECT_EQ(MouseX, 30);
    EXPECT_EQ(MouseY, 40);
    Panel1MouseLeave();
    EXPECT_FALSE(MouseInCanvas);
}

TEST_F(CanvasPointerTest, PressHoldsOnlyWithAPhotoAndWithoutTheRightButton) {
    ToolMode = Tool::Paint;
    LeftPress();
    EXPECT_TRUE(MouseHeld);
    Panel1MouseUp(Qt::LeftButton, Qt::NoButton, 5, 5);
    EXPECT_FALSE(MouseHeld);

    Panel1MouseDown(Qt::LeftButton, Qt::LeftButton | Qt::RightButton, 5, 5);
    EXPECT_FALSE(MouseHeld);
    PhotoWidth = 0;
    LeftPress();
    EXPECT_FALSE(MouseHeld);
}

TEST_F(CanvasPointerTest, TattooToolsHoldOnlyOverALayerAndOneShotToolsNever) {
    ToolMode = Tool::Rotate;
    LeftPress();
    EXPECT_FALSE(MouseHeld) << "no layer under the pointer";
    HoverLayer = 0;
    LeftPress();
    EXPECT_TRUE(MouseHeld);
    for (uint8_t tool : {Tool::Delete, Tool::FlipVertical, Tool::FlipHorizontal}) {
        MouseHeld = false;
        ToolMode = tool;
        LeftPress();
        EXPECT_FALSE(MouseHeld) << int(tool);
    }
    ToolMode = Tool::PhotoMove;
    HoverLayer = -1;
    LeftPress();
    EXPECT_TRUE(MouseHeld) << "view tools hold without a layer";
}

} // namespace
