#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <vector>

#include "app/welcome_screen.h"
#include "platform/form_controls.h"
#include "platform/language.h"
#include "platform/picture_control.h"
#include "tests/ui/main_form_fixture.h"
#include "ui/button_table.h"

namespace {

struct ControlPlace {
    const char* Name;
    QRect Place;
    bool VisibleAtStart;
};

// clang-format off
const ControlPlace WindowControls[] = {
    {"ZoomLabel",  {40, 232, 59, 13},   false},
    {"Image2",     {138, 369, 253, 269}, true},
    {"GroupName",  {232, 346, 109, 19}, true},
    {"Image1",     {444, 36, 68, 75},   true},
    {"Image3",     {517, 36, 68, 75},   true},
    {"Image4",     {590, 36, 68, 75},   true},
    {"Image5",     {663, 36, 68, 75},   true},
    {"Image6",     {736, 36, 68, 75},   true},
    {"Label2",     {29, 10, 114, 97},   true},
    {"Image8",     {137, 271, 27, 25},  true},
    {"Image9",     {170, 271, 26, 25},  true},
    {"Image10",    {203, 271, 25, 26},  true},
    {"Image11",    {236, 271, 26, 25},  true},
    {"Image12",    {269, 271, 26, 25},  true},
    {"Image13",    {302, 271, 26, 25},  true},
    {"Image14",    {335, 271, 26, 25},  true},
    {"Image15",    {368, 271, 26, 25},  true},
    {"Panel1",     {411, 122, 427, 516}, true},
    {"Button3",    {40, 248, 17, 17},   false},
    {"Button4",    {64, 248, 17, 17},   false},
    {"PrevGroup",  {32, 288, 25, 17},   false},
    {"NextGroup",  {64, 288, 25, 17},   false},
    {"Button14",   {40, 312, 49, 33},   false},
    {"Edit1",      {288, 216, 25, 21},  true},
};
// clang-format on

using MainFormLayout = MainFormTest;

TEST_F(MainFormLayout, TheWindowIsBorderlessFixedAndCentred) {
    EXPECT_TRUE(form_.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form_.size(), QSize(850, 650));
    EXPECT_EQ(form_.minimumSize(), form_.maximumSize());
    EXPECT_EQ(form_.pos(), QPoint((1280 - 850) / 2, (1024 - 650) / 2));
}

TEST_F(MainFormLayout, EveryControlSitsAtItsPlace) {
    for (const ControlPlace& control : WindowControls) {
        auto* widget = form_.findChild<QWidget*>(control.Name);
        ASSERT_NE(widget, nullptr) << control.Name;
        EXPECT_EQ(widget->geometry(), control.Place) << control.Name;
        EXPECT_EQ(widget->isVisible(), control.VisibleAtStart) << control.Name;
    }
    // The buttons are placed from their own table, so their places are
    // checked against what that table cannot decide: each lies in the window,
    // overlaps no other button and is exactly as big as its skin pictures.
    std::vector<QRect> taken;
    for (const ImageButtonInfo& button : ImageButtons) {
        auto* widget = form_.findChild<PictureControl*>(button.Control);
        ASSERT_NE(widget, nullptr) << button.Control;
        const QRect place = widget->geometry();
        EXPECT_TRUE(form_.rect().contains(place)) << button.Control;
        for (const QRect& other : taken)
            EXPECT_FALSE(place.intersects(other)) << button.Control;
        taken.push_back(place);
        const QImage skin(QString(":/") + button.Prefix + "F");
        EXPECT_EQ(place.size(), skin.size()) << button.Control;
        EXPECT_TRUE(widget->isVisible()) << button.Control;
        EXPECT_EQ(widget->cursor().shape(), Qt::PointingHandCursor) << button.Control;
    }
    EXPECT_FALSE(form_.Edit1->hasFrame());
    EXPECT_EQ(form_.Edit1->maxLength(), 2);
    EXPECT_EQ(form_.Edit1->text(), "20");
    EXPECT_EQ(form_.Label2->toolTip(), QString("About Velmora"));
}

TEST_F(MainFormLayout, TheBackgroundCoversTheWindowUnderEverything) {
    QWidget* background = form_.findChild<QWidget*>("Label1");
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->geometry(), form_.rect());
    // A point where nothing else lies belongs to the background.
    EXPECT_EQ(form_.childAt(5, 640), background);
    EXPECT_EQ(form_.childAt(845, 5), background);
    // Buttons and the canvas lie above it.
    EXPECT_EQ(form_.childAt(203 + 5, 151 + 5), form_.ImageButton("Bmove"));
    EXPECT_EQ(form_.childAt(500, 300), form_.findChild<QWidget*>("Panel1"));
}

TEST_F(MainFormLayout, OtherPartsReachTheControlsThroughTheSharedTable) {
    EXPECT_EQ(MainControls.Window, &form_);
    EXPECT_EQ(MainControls.Panel1, form_.findChild<QWidget*>("Panel1"));
    EXPECT_EQ(MainControls.GroupName, form_.findChild<QLabel*>("GroupName"));
    EXPECT_EQ(MainControls.Image2, form_.findChild<PictureControl*>("Image2"));
    EXPECT_EQ(MainControls.GallerySlots[0], form_.findChild<PictureControl*>("Image1"));
    EXPECT_EQ(MainControls.GallerySlots[4], form_.findChild<PictureControl*>("Image6"));
    EXPECT_EQ(MainControls.ZoomLabel, form_.findChild<QLabel*>("ZoomLabel"));
    EXPECT_EQ(MainControls.Edit1, form_.findChild<QLineEdit*>("Edit1"));
}

TEST_F(MainFormLayout, HintsAndCaptionComeFromTheLanguageTexts) {
    for (int n = 1; n <= 36; ++n)
        LangStrings[n - 1] = "text " + std::to_string(n);
    LangStrings[7] = "first \rsecond"; // a line break as the language file gives it
    AssignMainFormTexts(form_);
    EXPECT_EQ(form_.windowTitle(), "text 1");
    EXPECT_EQ(form_.ImageButton("bfopen")->toolTip(), "text 2");
    EXPECT_EQ(form_.ImageButton("bclose")->toolTip(), "text 10");
    EXPECT_EQ(form_.ImageButton("Image19")->toolTip(), "text 34");
    EXPECT_EQ(form_.findChild<QWidget*>("Image2")->toolTip(), "text 28");
    EXPECT_EQ(form_.findChild<QWidget*>("Image3")->toolTip(), "first \nsecond");
    EXPECT_EQ(form_.findChild<QWidget*>("Image10")->toolTip(), "text 35");
    EXPECT_EQ(form_.findChild<QWidget*>("Image15")->toolTip(), "text 35");
    EXPECT_EQ(form_.Edit1->toolTip(), "text 36");
    ResetLanguage();
    ProgramFolder = VELMORA_BIN_DIR "/";
    ScreenWidth = 1280;
    ScreenHeight = 1024;
}

} // namespace
