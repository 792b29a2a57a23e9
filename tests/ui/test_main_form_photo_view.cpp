#include <QPushButton>

#include "platform/picture_control.h"
#include "scene/scene_state.h"
#include "tests/ui/main_form_fixture.h"

namespace {

using MainFormPhotoView = MainFormTest;

TEST_F(MainFormPhotoView, TheRotateButtonTurnsClockwiseAndItsRightButtonBack) {
    ASSERT_GT(ImageWidth, 0) << "the sample photo is loaded";
    const int32_t width = PhotoWidth;
    const int32_t height = PhotoHeight;
    QWidget* button = form_.ImageButton("bRotateR");
    ClickControl(button);
    EXPECT_EQ(QuarterTurns, 1);
    EXPECT_EQ(PhotoWidth, height);
    ClickControl(button, Qt::RightButton);
    ClickControl(button, Qt::RightButton);
    EXPECT_EQ(QuarterTurns, 3);
    form_.Button14->click();
    EXPECT_EQ(QuarterTurns, 2);
    EXPECT_EQ(PhotoWidth, width);
    ClickControl(button);
    ClickControl(button);
    EXPECT_EQ(QuarterTurns, 0);
}

} // namespace
