#include <GL/gl.h>
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <vector>

#include "content/photo_loader.h"
#include "platform/canvas_context.h"
#include "platform/language.h"
#include "platform/picture_control.h"
#include "render/canvas_widget.h"
#include "scene/brush_stamp.h"
#include "scene/scene_state.h"
#include "scene/selection_mask.h"
#include "tests/ui/main_form_fixture.h"
#include "tools/brush_size.h"
#include "tools/paint_color.h"
#include "tools/paint_layer.h"
#include "tools/selection_tool.h"
#include "ui/button_skins.h"

namespace {

class PaintTools : public MainFormTest {
  protected:
    void SetUp() override {
        MainFormTest::SetUp();
        if (PhotoWidth < 1) OpenFoto(StockPhotoSource);
        form_.Image18DblClick();
    }

    void Type(const char* keys) {
        form_.Edit1->selectAll();
        if (*keys == 0) QTest::keyClick(form_.Edit1, Qt::Key_Backspace);
        QTest::keyClicks(form_.Edit1, keys);
    }
    void LeaveEdit() {
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(form_.Edit1, &out);
    }
    static uint8_t PaintAlpha(int column, int row) { return PaintPixels[column][row].Data[3]; }
    static std::vector<uint8_t> StampOfSize(int32_t outer, int32_t soft) {
        BrushStamp stamp;
        InitBrushStamp(stamp);
        BuildBrushStamp(stamp, outer, soft);
        return stamp.Data;
    }
};

TEST_F(PaintTools, TheWindowStartsWithTheDefaultBrush) {
    EXPECT_EQ(form_.Edit1->text(), "20");
    EXPECT_EQ(Brush.Data, StampOfSize(20, 6));
}

TEST_F(PaintTools, TheSizeEditTakesDigitsOnlyAndClampsWhenApplied) {
    Type("ab");
    EXPECT_EQ(form_.Edit1->text(), "20");
    for (auto [typed, applied] : std::vector<std::pair<const char*, const char*>>{
             {"2", "3"}, {"99", "64"}, {"", "5"}, {"0", "3"}}) {
        Type(typed);
        EXPECT_FALSE(BrushSizeApplied) << typed;
        LeaveEdit();
        EXPECT_EQ(form_.Edit1->text(), applied) << typed;
        EXPECT_TRUE(BrushSizeApplied) << typed;
    }
    QTest::keyClick(form_.Edit1, Qt::Key_Down);
    EXPECT_EQ(form_.Edit1->text(), "3");
    Type("63");
    QTest::keyClick(form_.Edit1, Qt::Key_Up);
    QTest::keyClick(form_.Edit1, Qt::Key_Up);
    EXPECT_EQ(form_.Edit1->text(), "64");
    // A canvas move applies the pending size through the edit.
    Type("1");
    ApplyPendingBrushSize();
    EXPECT_EQ(form_.Edit1->text(), "3");
    EXPECT_EQ(Brush.Data, StampOfSize(3, 1));
    Type("20");
    LeaveEdit();
}

TEST_F(PaintTools, FillShowsItsPicturesAndPaintsTheWholeSelection) {
    PictureControl* image19 = form_.ImageButton("Image19");
    form_.Image9Click();
    HoverControl(image19);
    QTest::mousePress(image19, Qt::LeftButton, {}, image19->rect().center());
    EXPECT_EQ(Shown("Image19"), PressedSkin);
    QTest::mouseRelease(image19, Qt::LeftButton, {}, image19->rect().center());
    EXPECT_EQ(Shown("Image19"), HoverSkin);
    EXPECT_EQ(PaintPixels[1][1].Data[0], 255);
    EXPECT_EQ(PaintAlpha(20, 20), 255);
    EXPECT_TRUE(PaintTiles[20][20].Dirty);
    form_.Image8Click();
}

TEST_F(PaintTools, ADoubleClickOnTheEraserClearsAndSendsEverythingButKeepsTheSelection) {
    form_.Image19Click();
    MaskByte(5, 5) = 0;
    PictureControl* image17 = form_.ImageButton("Image17");
    const QPoint centre = image17->rect().center();
    HoverControl(image17);
    QTest::mouseClick(image17, Qt::LeftButton, {}, centre);
    QTest::mouseDClick(image17, Qt::LeftButton, {}, centre);
    EXPECT_EQ(ToolMode, Tool::Erase);
    EXPECT_EQ(PaintAlpha(1, 1), 0);
    EXPECT_FALSE(PaintTiles[1][1].Dirty) << "sent at once";
    EXPECT_EQ(MaskByte(5, 5), 0);
    MakeCanvasCurrent();
    std::vector<uint8_t> texture(PaintTileBytes, 1);
    glBindTexture(GL_TEXTURE_2D, PaintTiles[1][1].Texture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texture.data());
    EXPECT_EQ(texture, std::vector<uint8_t>(PaintTileBytes, 0));
}

TEST_F(PaintTools, TheClosingQuestionIsTheWindowsOwnYesNoBox) {
    LangStrings[39] = "Velmora";
    LangStrings[53] = "Close here?";
    form_.Image18Click();
    SelectionLast = 3;
    struct {
        QString Text, Title;
        QMessageBox::Icon Icon = QMessageBox::Warning;
        QWidget* Owner = nullptr;
    } asked;
    QTimer::singleShot(50, [&asked] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        asked = {box->text(), box->windowTitle(), box->icon(), box->parentWidget()};
        box->button(QMessageBox::Yes)->click();
    });
    FixSelectionPoint(); // point 3 still lies on point 0
    EXPECT_EQ(asked.Text, "Close here?");
    EXPECT_EQ(asked.Title, "Velmora");
    EXPECT_EQ(asked.Icon, QMessageBox::NoIcon);
    EXPECT_EQ(asked.Owner, &form_);
    EXPECT_TRUE(SelectionClosed);
}

TEST_F(PaintTools, LoadingAPhotoEndsAnOpenPolygon) {
    form_.Image18Click();
    SelectionLast = 2;
    OpenFoto(StockPhotoSource);
    EXPECT_EQ(SelectionLast, 0);
    EXPECT_TRUE(SelectionClosed);
    EXPECT_EQ(ToolMode, Tool::SelectionDone);
    EXPECT_EQ(MaskByte(3, 3), 255);
}

} // namespace
