#include <gtest/gtest.h>

#include <vector>

#include "scene/brush_stamp.h"

namespace {

std::vector<int> Row(const BrushStamp& stamp, int y, int from, int to) {
    std::vector<int> values;
    for (int x = from; x <= to; ++x)
        values.push_back(stamp.Data[y * stamp.Width + x]);
    return values;
}

class BrushStampTest : public ::testing::Test {
  protected:
    void SetUp() override { InitBrushStamp(stamp); }
    BrushStamp stamp;
};

TEST_F(BrushStampTest, InitMakesAnEmpty128Square) {
    EXPECT_EQ(stamp.Width, 128);
    EXPECT_EQ(stamp.Height, 128);
    ASSERT_EQ(stamp.Data.size(), 16384u);
    for (uint8_t v : stamp.Data)
        ASSERT_EQ(v, 0);
}

TEST_F(BrushStampTest, HardBrushRowThroughTheCentre) {
    BuildBrushStamp(stamp, 10, 0);
    EXPECT_EQ(Row(stamp, 64, 53, 53), std::vector<int>{0});
    EXPECT_EQ(Row(stamp, 64, 54, 74), std::vector<int>(21, 255));
    EXPECT_EQ(Row(stamp, 64, 75, 75), std::vector<int>{0});
}

TEST_F(BrushStampTest, SoftEdgeDiffersLeftAndRightBecauseOfHalving) {
    BuildBrushStamp(stamp, 10, 5);
    EXPECT_EQ(Row(stamp, 64, 54, 58), (std::vector<int>{0, 51, 102, 153, 204}));
    EXPECT_EQ(Row(stamp, 64, 59, 68), std::vector<int>(10, 255));
    EXPECT_EQ(Row(stamp, 64, 69, 74), (std::vector<int>{230, 178, 128, 76, 26, 0}));
}

TEST_F(BrushStampTest, AllSoftBrushHasItsCentreOverwrittenByRadiusOne) {
    BuildBrushStamp(stamp, 5, 5);
    EXPECT_EQ(stamp.Data[64 * 128 + 64], 230);
}

TEST_F(BrushStampTest, RebuildingClearsTheOldBrush) {
    BuildBrushStamp(stamp, 60, 0);
    BuildBrushStamp(stamp, 3, 1);
    EXPECT_EQ(stamp.Data[64 * 128 + 10], 0);
    EXPECT_EQ(stamp.Data[64 * 128 + 64], 255);
}

TEST_F(BrushStampTest, LargestBrushStaysInsideTheStamp) {
    BuildBrushStamp(stamp, 64, 19);
    EXPECT_EQ(stamp.Data[64 * 128 + 0], 0) << "x = 0 is the radius-128 circle: strength 0";
    EXPECT_EQ(stamp.Data[64 * 128 + 127], 7);
    EXPECT_EQ(stamp.Data[0], 0);
}

} // namespace
