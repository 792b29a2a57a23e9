#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>

#include "platform/picture_control.h"
#include "scene/scene_state.h"
#include "ui/button_skins.h"
#include "ui/button_table.h"

namespace {

// Distinct one-colour pictures, so a control's picture tells which state it
// shows.
QImage Solid(QRgb colour) {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

const QImage PressedPicture = Solid(qRgb(200, 0, 0));
const QImage NormalPicture = Solid(qRgb(0, 200, 0));
const QImage HoverPicture = Solid(qRgb(0, 0, 200));

// The 31 buttons as bare controls with recognisable skins, without a window.
class ButtonSkinsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSceneState();
        ResetButtonSkins();
        parent_ = std::make_unique<QWidget>();
        for (const ImageButtonInfo& button : ImageButtons) {
            ButtonControls[button.Index] = new PictureControl(parent_.get());
            ButtonSkins[button.Index] = {PressedPicture, NormalPicture, HoverPicture};
        }
    }
    void TearDown() override {
        ResetButtonSkins();
        parent_.reset();
    }

    static const QImage& Shown(const char* control) {
        return ButtonControls[FindImageButton(control)->Index]->Picture();
    }

    std::unique_ptr<QWidget> parent_;
};

TEST_F(ButtonSkinsTest, AtStartTheMoveButtonIsPressedAndAllOthersNormal) {
    ButtonsImages(0, true);
    for (const ImageButtonInfo& button : ImageButtons) {
        const QImage& expected = button.Index == 8 ? PressedPicture : NormalPicture;
        EXPECT_EQ(Shown(button.Control), expected) << button.Control;
    }
}

TEST_F(ButtonSkinsTest, HoverShowsTheHoverPictureAndLeavesTheCanvas) {
    ButtonsImages(0, true);
    MouseInCanvas = true;
    ImageButtonMouseMove(2);
    EXPECT_EQ(HoverButton, 2);
    EXPECT_EQ(LastHoverId, 2);
    EXPECT_FALSE(MouseInCanvas);
    EXPECT_EQ(Shown("bzoom"), HoverPicture);
    EXPECT_EQ(Shown("Bmove"), PressedPicture);
    FormMouseMove();
    EXPECT_EQ(HoverButton, 0);
    EXPECT_EQ(Shown("bzoom"), NormalPicture);
}

TEST_F(ButtonSkinsTest, TheLitToolOutranksHover) {
    ImageButtonMouseMove(2);
    ToolMode = Tool::Scale; // what bzoom's click does, followed by:
    ButtonsImages(0, true);
    EXPECT_EQ(Shown("bzoom"), PressedPicture);
    EXPECT_EQ(Shown("Bmove"), NormalPicture);
    ImageButtonMouseMove(2);
    EXPECT_EQ(Shown("bzoom"), PressedPicture);
}

TEST_F(ButtonSkinsTest, APressedPictureStaysUntilAnotherElementIsEntered) {
    ButtonsImages(0, true);
    ImageButtonMouseMove(9); // onto bclose
    ImageButtonMouseDown(9);
    EXPECT_EQ(Shown("bclose"), PressedPicture);
    ImageButtonMouseUp(9); // bclose shows nothing new on release
    ImageButtonMouseMove(9);
    EXPECT_EQ(Shown("bclose"), PressedPicture);
    ImageButtonMouseMove(13); // onto bmin
    EXPECT_EQ(Shown("bclose"), NormalPicture);
    EXPECT_EQ(Shown("bmin"), HoverPicture);
}

TEST_F(ButtonSkinsTest, ThePressedPictureAlsoStaysWhenTheBackgroundWasTheLastElement) {
    ButtonsImages(0, true);
    ImageButtonMouseDown(9); // a press without a hover first: identifier 0 still current
    FormMouseMove();
    EXPECT_EQ(Shown("bclose"), PressedPicture);
}

TEST_F(ButtonSkinsTest, ArrowsShowPressedOnDownAndHoverOnUp) {
    ImageButtonMouseMove(16);
    ImageButtonMouseDown(16);
    EXPECT_EQ(Shown("barrp"), PressedPicture);
    ImageButtonMouseUp(16);
    EXPECT_EQ(Shown("barrp"), HoverPicture);
}

TEST_F(ButtonSkinsTest, RepeatedIdentifierDoesNoWork) {
    ButtonsImages(0, true);
    const QImage marker = Solid(qRgb(1, 2, 3));
    ButtonControls[8]->SetPicture(marker);
    ToolMode = Tool::Rotate;
    ButtonsImages(0, false);
    EXPECT_EQ(Shown("Bmove"), marker);
    ButtonsImages(1, false);
    EXPECT_EQ(Shown("Bmove"), NormalPicture);
}

TEST(ButtonTable, IndicesControlsAndPrefixesAreDistinct) {
    std::set<int> indices;
    std::set<std::string> controls, prefixes;
    for (const ImageButtonInfo& button : ImageButtons) {
        indices.insert(button.Index);
        controls.insert(button.Control);
        prefixes.insert(button.Prefix);
        EXPECT_TRUE((button.Index >= 1 && button.Index <= 27) ||
                    (button.Index >= 30 && button.Index <= 33));
    }
    EXPECT_EQ(indices.size(), 31u);
    EXPECT_EQ(controls.size(), 31u);
    EXPECT_EQ(prefixes.size(), 31u);
    EXPECT_EQ(FindImageButton(28), nullptr);
    EXPECT_EQ(FindImageButton("Image2"), nullptr);
}

TEST(ButtonTable, ButtonsLieInsideTheWindowAndDoNotOverlap) {
    for (const ImageButtonInfo& a : ImageButtons) {
        const QRect ra(a.Left, a.Top, a.Width, a.Height);
        EXPECT_TRUE(QRect(0, 0, 850, 650).contains(ra)) << a.Control;
        for (const ImageButtonInfo& b : ImageButtons)
            if (&a != &b) {
                EXPECT_FALSE(ra.intersects(QRect(b.Left, b.Top, b.Width, b.Height)))
                    << a.Control << " overlaps " << b.Control;
            }
    }
}

} // namespace
