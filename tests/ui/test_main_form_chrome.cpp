#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "content/catalog.h"
#include "platform/canvas_context.h"
#include "platform/language.h"
#include "platform/picture_control.h"
#include "render/gl_canvas.h"
#include "scene/scene_state.h"
#include "scene/selection_mask.h"
#include "tests/ui/main_form_fixture.h"
#include "tools/paint_color.h"
#include "ui/button_skins.h"
#include "ui/button_table.h"
#include "ui/canvas_widget.h"
#include "ui/drag_surface.h"

namespace {

// Answers the next modal message box with the given button once it shows,
// after checking what it asks.
struct BoxAnswer {
    QString Text, Title;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    bool Seen = false;
};

void AnswerNextBox(QMessageBox::StandardButton button, BoxAnswer& seen) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, button, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        poll->stop();
        poll->deleteLater();
        seen = {box->text(), box->windowTitle(), box->icon(), true};
        box->button(button)->click();
    });
    poll->start(20);
}

using ToolButtons = MainFormTest;

TEST_F(ToolButtons, ClickingAToolButtonLightsItWhileThePointerStaysOnIt) {
    PictureControl* bzoom = form_.ImageButton("bzoom");
    HoverControl(bzoom);
    EXPECT_EQ(Shown("bzoom"), HoverSkin);
    EXPECT_EQ(Shown("Bmove"), PressedSkin);
    ClickControl(bzoom);
    EXPECT_EQ(ToolMode, Tool::Scale);
    EXPECT_EQ(Shown("bzoom"), PressedSkin);
    EXPECT_EQ(Shown("Bmove"), NormalSkin);
}

TEST_F(ToolButtons, EachToolButtonSelectsItsTool) {
    for (const ImageButtonInfo& button : ImageButtons) {
        if (button.LitTool == NeverLit || button.LitTool == Tool::Select) continue;
        ToolMode = Tool::SelectionDone;
        ClickControl(form_.ImageButton(button.Control));
        EXPECT_EQ(ToolMode, button.LitTool) << button.Control;
        EXPECT_EQ(Shown(button.Control), PressedSkin) << button.Control;
    }
}

TEST_F(ToolButtons, TattooAndPaintToolsCloseAnOpenOutlineButTheViewToolsDoNot) {
    for (const char* control : {"bFMove", "bFzoom"}) {
        SelectionClosed = false;
        ClickControl(form_.ImageButton(control));
        EXPECT_FALSE(SelectionClosed) << control;
    }
    for (const char* control : {"Bmove", "rotatebutton", "bzoom", "bMovePoints", "bdelete",
                                "flipvert", "fliphoriz", "wtapianie", "Image16", "Image17"}) {
        SelectionClosed = false;
        SelectionLast = 0;
        ClickControl(form_.ImageButton(control));
        EXPECT_TRUE(SelectionClosed) << control;
        EXPECT_EQ(ToolMode, FindImageButton(control)->LitTool) << control;
    }
}

TEST_F(ToolButtons, TheSelectionButtonStartsOrContinuesAnOutline) {
    MaskByte(3, 3) = 255;
    ClickControl(form_.ImageButton("Image18"));
    EXPECT_EQ(ToolMode, Tool::Select);
    EXPECT_FALSE(SelectionClosed);
    EXPECT_EQ(MaskByte(3, 3), 0); // nothing is selected while a new outline is drawn
    SelectionLast = 4;
    ClickControl(form_.ImageButton("bFMove"));
    ClickControl(form_.ImageButton("Image18"));
    EXPECT_EQ(SelectionLast, 4);
    EXPECT_EQ(ToolMode, Tool::Select);
}

TEST_F(ToolButtons, ADoubleClickOnTheSelectionButtonSelectsEverything) {
    PictureControl* image18 = form_.ImageButton("Image18");
    const QPoint centre = image18->rect().center();
    HoverControl(image18);
    QTest::mousePress(image18, Qt::LeftButton, {}, centre);
    QTest::mouseRelease(image18, Qt::LeftButton, {}, centre);
    QTest::mouseDClick(image18, Qt::LeftButton, {}, centre);
    QTest::mouseRelease(image18, Qt::LeftButton, {}, centre);
    EXPECT_EQ(ToolMode, Tool::SelectionDone);
    EXPECT_TRUE(SelectionClosed);
    EXPECT_EQ(SelectionLast, 0);
    EXPECT_EQ(MaskByte(3, 3), 255);
}

TEST_F(ToolButtons, TheRightButtonDoesNotClick) {
    ClickControl(form_.ImageButton("bdelete"), Qt::RightButton);
    EXPECT_EQ(ToolMode, Tool::Move);
}

TEST_F(ToolButtons, SwatchesChooseTheBrushColourAndShowWhichIsChosen) {
    ClickControl(form_.Swatches[3]);
    EXPECT_EQ(PaintColor.R, 0);
    EXPECT_EQ(PaintColor.G, 0);
    EXPECT_EQ(PaintColor.B, 255);
    EXPECT_EQ(ToolMode, Tool::Move);
    for (int n = 1; n <= SwatchCount; ++n)
        EXPECT_EQ(form_.Swatches[n]->Picture(),
                  n == 3 ? ColourSwatches[n].Pressed : ColourSwatches[n].Normal);
    form_.Image8Click();
    EXPECT_EQ(PaintColor.R, 255);
    EXPECT_EQ(PaintColor.G, 255);
    EXPECT_EQ(PaintColor.B, 0);
}

TEST_F(ToolButtons, CatalogArrowsPageTheDesignsOnRelease) {
    if (GroupCount == 0 || Groups[CurrentGroup].ItemCount == 0)
        GTEST_SKIP() << "no catalog beside the program";
    const int32_t step = ItemStep;
    PictureControl* barrn = form_.ImageButton("barrn");
    HoverControl(barrn);
    QTest::mousePress(barrn, Qt::LeftButton, {}, barrn->rect().center());
    EXPECT_EQ(Shown("barrn"), PressedSkin);
    EXPECT_EQ(ItemStep, step);
    QTest::mouseRelease(barrn, Qt::LeftButton, {}, barrn->rect().center());
    EXPECT_EQ(Shown("barrn"), HoverSkin);
    EXPECT_EQ(ItemStep, step + 1);
    ClickControl(form_.ImageButton("barrp"));
    EXPECT_EQ(ItemStep, step);
}

using QuitQuestion = MainFormTest;

TEST_F(QuitQuestion, NoKeepsTheProgramAndThePressedPicture) {
    LangStrings[39] = "Velmora question";
    LangStrings[49] = "Quit now?";
    BoxAnswer seen;
    AnswerNextBox(QMessageBox::No, seen);
    ClickControl(form_.ImageButton("bclose"));
    ASSERT_TRUE(seen.Seen);
    EXPECT_EQ(seen.Text, "Quit now?");
    EXPECT_EQ(seen.Title, "Velmora question");
    EXPECT_EQ(seen.Icon, QMessageBox::Question);
    EXPECT_EQ(terminations_, 0);
    EXPECT_TRUE(form_.isVisible());
    EXPECT_EQ(Shown("bclose"), PressedSkin);
    HoverControl(form_.ImageButton("bmin"));
    EXPECT_EQ(Shown("bclose"), NormalSkin);
    LangStrings[39].clear();
    LangStrings[49].clear();
}

TEST_F(QuitQuestion, YesEndsTheProgram) {
    BoxAnswer seen;
    AnswerNextBox(QMessageBox::Yes, seen);
    ClickControl(form_.ImageButton("bclose"));
    ASSERT_TRUE(seen.Seen);
    EXPECT_EQ(terminations_, 1);
    EXPECT_EQ(LastHoverId, 0);
}

using WindowDrag = MainFormTest;

TEST_F(WindowDrag, DraggingTheBackgroundMovesTheWindowWithThePointer) {
    const QPoint start = form_.pos();
    QTest::mousePress(form_.Label1, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(form_.Label1, QPoint(25, 35));
    EXPECT_EQ(form_.pos(), start + QPoint(20, 30));
    QTest::mouseRelease(form_.Label1, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(form_.WindowDragging);
    MovePointer(form_.Label1, QPoint(40, 40));
    EXPECT_EQ(form_.pos(), start + QPoint(20, 30));
    form_.move(start);
}

TEST_F(WindowDrag, AnyButtonDragsAndOnlyTheFirstPressCounts) {
    const QPoint start = form_.pos();
    form_.Label1MouseDown(QPoint(10, 10));
    form_.Label1MouseDown(QPoint(100, 100));
    EXPECT_EQ(form_.DragGrabX, 10);
    form_.Label1MouseMove(QPoint(15, 12));
    EXPECT_EQ(form_.pos(), start + QPoint(5, 2));
    form_.Label1MouseUp();
    form_.move(start);
    QTest::mousePress(form_.Label1, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(form_.WindowDragging);
    QTest::mouseRelease(form_.Label1, Qt::RightButton, {}, QPoint(5, 5));
}

TEST_F(WindowDrag, MovingOverTheBackgroundClearsTheHoveredButton) {
    HoverControl(form_.ImageButton("bzoom"));
    EXPECT_EQ(HoverButton, 2);
    MovePointer(form_.Label1, QPoint(5, 640));
    EXPECT_EQ(HoverButton, 0);
    EXPECT_EQ(Shown("bzoom"), NormalSkin);
}

using SystemClose = MainFormTest;

TEST_F(SystemClose, ACloseRequestCleansUpWithoutAQuestion) {
    bool asked = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&asked] {
        if (QApplication::activeModalWidget()) {
            asked = true;
            QApplication::activeModalWidget()->close();
        }
    });
    watch.start(10);
    QCloseEvent close;
    QApplication::sendEvent(&form_, &close);
    QTest::qWait(100);
    EXPECT_FALSE(asked);
    EXPECT_EQ(terminations_, 1);
    EXPECT_EQ(CanvasRC, nullptr);
    for (auto& column : PhotoTiles)
        for (TextureName tile : column)
            EXPECT_EQ(tile, 0u);
    // The other window tests go on with a context.
    CreateCanvasContext(CanvasWidth, CanvasHeight, form_.Panel1);
}

} // namespace
