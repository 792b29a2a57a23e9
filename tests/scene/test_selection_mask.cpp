#include <gtest/gtest.h>

#include "scene/scene_state.h"
#include "scene/selection_mask.h"

namespace {

class SelectionMaskTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSceneState();
        ImageWidth = PhotoWidth = 300;
        ImageHeight = PhotoHeight = 200;
        ClearSelectionMask();
    }

    int SelectedInRow(int y) {
        int count = 0;
        for (int x = 0; x < ImageWidth; ++x)
            count += MaskByte(x, y) == 255;
        return count;
    }

    void OpenPolygon(std::initializer_list<TSelectionPoint> points) {
        int i = 0;
        for (const TSelectionPoint& p : points)
            SelectionPoints[i++] = p;
        SelectionLast = i - 1;
        SelectionClosed = false;
        ToolMode = Tool::Select;
        for (int k = 1; k < SelectionLast; ++k)
            ToggleSelectionEdge(SelectionPoints[k - 1].X, SelectionPoints[k - 1].Y,
                                SelectionPoints[k].X, SelectionPoints[k].Y);
    }
};

TEST_F(SelectionMaskTest, PixelsMapToTilesColumnFirst) {
    MaskByte(129, 3) = 7;
    EXPECT_EQ(SelectionMask[2][1].Data[3 * 128 + 1], 7);
    SelectWholeMask();
    EXPECT_EQ(SelectionMask[20][20].Data[MaskTileBytes - 1], 255);
}

TEST_F(SelectionMaskTest, HorizontalEdgeChangesNothing) {
    ToggleSelectionEdge(10, 5, 200, 5);
    for (int y = 0; y < ImageHeight; ++y)
        ASSERT_EQ(SelectedInRow(y), 0);
}

TEST_F(SelectionMaskTest, EdgeTogglesItsRowsButNotTheEndRow) {
    ToggleSelectionEdge(10, 5, 20, 8);
    EXPECT_EQ(SelectedInRow(4), 0);
    EXPECT_EQ(SelectedInRow(5), 300 - 10);
    EXPECT_EQ(SelectedInRow(6), 300 - 13) << "10 + 10/3 truncated";
    EXPECT_EQ(SelectedInRow(7), 300 - 16);
    EXPECT_EQ(SelectedInRow(8), 0);
    EXPECT_EQ(MaskByte(9, 5), 0);
    EXPECT_EQ(MaskByte(10, 5), 255);
}

TEST_F(SelectionMaskTest, EitherDirectionStartsAtTheUpperEnd) {
    ToggleSelectionEdge(20, 8, 10, 5);
    EXPECT_EQ(SelectedInRow(5), 300 - 10);
    EXPECT_EQ(SelectedInRow(8), 0);
}

TEST_F(SelectionMaskTest, EndPointsOutsideTheImageAreClipped) {
    ToggleSelectionEdge(-50, -20, 400, 500);
    EXPECT_EQ(SelectedInRow(0), 300) << "the edge is left of the image on row 0";
    EXPECT_EQ(SelectedInRow(199), 300 - 139) << "x = -50 + 219 * 450 / 520, truncated";
    ImageWidth = ImageHeight = 2560;
    ToggleSelectionEdge(2559, -5000, 2559, 9000); // must not reach outside the tables
    EXPECT_EQ(MaskByte(2559, 2559), 255);
}

TEST_F(SelectionMaskTest, ClosedTriangleSelectsItsInsideOnly) {
    OpenPolygon({{50, 20}, {150, 120}, {10, 120}, {10, 120}});
    CloseSelection();
    EXPECT_EQ(ToolMode, Tool::SelectionDone);
    EXPECT_TRUE(SelectionClosed);
    EXPECT_EQ(SelectionPoints[3].X, 50);
    EXPECT_EQ(MaskByte(50, 100), 255);
    EXPECT_EQ(MaskByte(160, 100), 0);
    EXPECT_EQ(MaskByte(5, 100), 0);
    EXPECT_EQ(SelectedInRow(10), 0);
    EXPECT_EQ(SelectedInRow(130), 0);
}

TEST_F(SelectionMaskTest, ClosingWithoutAFixedEdgeSelectsEverything) {
    SelectionClosed = false;
    SelectionLast = 0;
    CloseSelection();
    EXPECT_EQ(ToolMode, Tool::SelectionDone);
    EXPECT_EQ(SelectionLast, 0);
    EXPECT_EQ(SelectedInRow(199), 300);
}

TEST_F(SelectionMaskTest, ClosingAClosedSelectionChangesNothing) {
    ToolMode = Tool::Paint;
    CloseSelection();
    EXPECT_EQ(ToolMode, Tool::Paint);
    EXPECT_EQ(SelectedInRow(0), 0);
}

} // namespace
