#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/language.h"
#include "scene/scene_state.h"
#include "scene/selection_mask.h"
#include "tools/paint_layer.h"
#include "tools/selection_tool.h"

namespace {

class SelectionToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSceneState();
        ImageWidth = PhotoWidth = 300;
        ImageHeight = PhotoHeight = 200;
        ToolMode = Tool::Select;
        SelectionClosed = false;
        ClearSelectionMask();
        LangStrings[39] = "Caption";
        LangStrings[53] = "Close?";
        AskCloseSelection = [this](const std::string& text, const std::string& caption) {
            asked_.push_back(caption + ": " + text);
            return answer_;
        };
    }
    void TearDown() override { AskCloseSelection = nullptr; }

    // Moves the pointer to canvas (x, y) and releases the button there.
    static void ReleaseAt(int x, int y) {
        MouseX = x;
        MouseY = y;
        MoveSelectionPoint();
        FixSelectionPoint();
    }

    MessageAnswer answer_ = MessageAnswer::No;
    std::vector<std::string> asked_;
};

TEST_F(SelectionToolTest, ThePointFollowsThePointerWithinTheImage) {
    Zoom = 2;
    CenterX = 10;
    MouseX = 9; // (9 - 10) / 2 = -0.5 truncates to 0
    MouseY = 1000;
    MoveSelectionPoint();
    EXPECT_EQ(SelectionPoints[0].X, 0);
    EXPECT_EQ(SelectionPoints[0].Y, 200) << "the far border itself is allowed";
    MouseX = 5;
    MoveSelectionPoint();
    EXPECT_EQ(SelectionPoints[0].X, 0) << "clamped";
}

TEST_F(SelectionToolTest, ClosingIsOfferedWithinTenScreenPixelsOfTheFirstPoint) {
    ReleaseAt(50, 50);
    ReleaseAt(150, 50);
    ReleaseAt(60, 50); // 10 image pixels at zoom 1: a new point
    EXPECT_TRUE(asked_.empty());
    EXPECT_EQ(SelectionLast, 3);
    ReleaseAt(59, 50); // 9 pixels: asked; No adds the point
    EXPECT_EQ(asked_, std::vector<std::string>{"Caption: Close?"});
    EXPECT_EQ(SelectionLast, 4);
    EXPECT_FALSE(SelectionClosed);
    answer_ = MessageAnswer::Yes;
    ReleaseAt(50, 59);
    EXPECT_TRUE(SelectionClosed);
    EXPECT_EQ(ToolMode, Tool::SelectionDone);
    FixSelectionPoint(); // the tool is done: releases add nothing
    EXPECT_EQ(SelectionLast, 4);
}

TEST_F(SelectionToolTest, AtZoomTwoTheReachIsFiveImagePixels) {
    Zoom = 2;
    ReleaseAt(100, 100);
    ReleaseAt(300, 100);
    ReleaseAt(110, 100); // 5 image pixels
    EXPECT_TRUE(asked_.empty());
    ReleaseAt(108, 100); // 4 image pixels
    EXPECT_EQ(asked_.size(), 1u);
}

TEST_F(SelectionToolTest, AFullPolygonRefusesPointsAndStillCloses) {
    for (int i = 0; i < 1100; ++i)
        ReleaseAt(20 + i % 200, i % 2 == 0 ? 20 : 180);
    EXPECT_EQ(SelectionLast, SelectionCapacity - 1);
    EXPECT_FALSE(SelectionClosed);
    CloseSelection();
    EXPECT_TRUE(SelectionClosed);
    EXPECT_EQ(SelectionPoints[SelectionCapacity - 1].X, SelectionPoints[0].X);
}

TEST_F(SelectionToolTest, AFixedPointStartsTheNextWhereItLies) {
    ReleaseAt(40, 30);
    EXPECT_EQ(SelectionLast, 1);
    EXPECT_EQ(SelectionPoints[1].X, 40);
    EXPECT_EQ(SelectionPoints[1].Y, 30);
}

} // namespace
