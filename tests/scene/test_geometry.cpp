#include <gtest/gtest.h>

#include "scene/geometry.h"

namespace {

// An axis-aligned layer from (left, top) to (right, bottom) in layer space,
// corner 0 lower-left, 1 lower-right, 2 upper-right, 3 upper-left.
void Square(TLayerCorner c[4], float left, float top, float right, float bottom) {
    c[0] = {left, bottom, 0, 0};
    c[1] = {right, bottom, 1, 0};
    c[2] = {right, top, 1, 1};
    c[3] = {left, top, 0, 1};
}

class Geometry : public ::testing::Test {
  protected:
    void SetUp() override { ResetSceneState(); }
};

TEST_F(Geometry, SignedAreaIsTwiceTheAreaWithOrientation) {
    EXPECT_FLOAT_EQ(SignedArea2(0, 0, 4, 0, 0, 3), 12);
    EXPECT_FLOAT_EQ(SignedArea2(0, 0, 0, 3, 4, 0), -12);
    EXPECT_FLOAT_EQ(SignedArea2(0, 0, 1, 1, 2, 2), 0);
}

TEST_F(Geometry, TriangleInsideOutsideAndEdges) {
    EXPECT_TRUE(PointInTriangle(1, 1, 0, 0, 4, 0, 0, 4));
    EXPECT_FALSE(PointInTriangle(3, 3, 0, 0, 4, 0, 0, 4));
    EXPECT_FALSE(PointInTriangle(2, 0, 0, 0, 4, 0, 0, 4)) << "on an edge is outside";
    EXPECT_FALSE(PointInTriangle(0, 0, 0, 0, 4, 0, 0, 4)) << "a vertex is outside";
    EXPECT_TRUE(PointInTriangle(1, 1, 0, 0, 0, 4, 4, 0)) << "either winding";
}

TEST_F(Geometry, TheDiagonalFromCorner0To2BelongsToNeitherHalf) {
    TLayerCorner c[4];
    Square(c, 0, 0, 100, 100); // C0 = (0, 100), C2 = (100, 0)
    EXPECT_FALSE(PointInQuad(c, 50, 50));
    EXPECT_TRUE(PointInQuad(c, 51, 50));
    EXPECT_TRUE(PointInQuad(c, 49, 50));
    EXPECT_FALSE(PointInQuad(c, 101, 50));
}

TEST_F(Geometry, CornersAreScaledByTheZoom) {
    TLayerCorner c[4];
    Square(c, 0, 0, 100, 100);
    Zoom = 0.5f;
    EXPECT_TRUE(PointInQuad(c, 30, 10));
    EXPECT_FALSE(PointInQuad(c, 60, 10));
}

TEST_F(Geometry, AFlatTriangleHitsOnlyBetweenItsCorners) {
    TLayerCorner c[4] = {{0, 0, 0, 0}, {10, 10, 0, 0}, {20, 20, 0, 0}, {0, 20, 0, 0}};
    EXPECT_TRUE(PointInQuad(c, 5, 5));
    EXPECT_FALSE(PointInQuad(c, 300, 300)) << "not beyond the corners";
    EXPECT_FALSE(PointInQuad(c, -1, -1));
    // Scaled to no width: every corner on the line x = 50.
    Square(c, 50, 0, 50, 100);
    EXPECT_FALSE(PointInQuad(c, 50, 400));
    EXPECT_FALSE(PointInQuad(c, 51, 50));
    // All four corners on one point: only that point.
    Square(c, 7, 7, 7, 7);
    EXPECT_FALSE(PointInQuad(c, 100, 3));
    EXPECT_FALSE(PointInTriangle(0, 0, 1, 1, 1, 1, 1, 1));
    EXPECT_TRUE(PointInTriangle(1, 1, 1, 1, 1, 1, 1, 1));
}

} // namespace
