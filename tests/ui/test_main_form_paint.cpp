#include <GL/gl.h>
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <vector>

#include "content/photo_loader.h"
#include "platform/canvas_context.h"
#include "platform/picture_control.h"
#include "scene/brush_stamp.h"
#include "scene/scene_state.h"
#include "scene/selection_mask.h"
#include "tests/ui/main_form_fixture.h"
#include "tools/brush_size.h"
#include "tools/paint_layer.h"

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
    static std::vector<uint8_t> StampOfSize(int32_t outer, int32_t soft) {
        BrushStamp stamp;
        InitBrushStamp(stamp);
        BuildBrushStamp(stamp, outer, soft);
        return stamp.Data;
    }
};

TEST_F(PaintTools, TheSizeEditTakesDigitsOnlyAndClampsWhenApplied) {
    EXPECT_EQ(Brush.Data, StampOfSize(20, 6)) << "the window starts with a real brush";
    Type("ab");
    EXPECT_EQ(form_.Edit1->text(), "20");
    for (auto [typed, applied] :
         std::vector<std::pair<const char*, const char*>>{{"2", "3"}, {"99", "64"}, {"", "5"}}) {
        Type(typed);
        EXPECT_FALSE(BrushSizeApplied) << typed;
        LeaveEdit();
        EXPECT_EQ(form_.Edit1->text(), applied) << typed;
    }
    Type("63");
    QTest::keyClick(form_.Edit1, Qt::Key_Up);
    QTest::keyClick(form_.Edit1, Qt::Key_Up);
    EXPECT_EQ(form_.Edit1->text(), "64");
    Type("1"); // a canvas move applies it through the edit
    ApplyPendingBrushSize();
    EXPECT_EQ(form_.Edit1->text(), "3");
    EXPECT_EQ(Brush.Data, StampOfSize(3, 1));
    Type("20");
    LeaveEdit();
}

TEST_F(PaintTools, FillPaintsEverythingAndTheEraserDoubleClickClearsAndSendsIt) {
    PictureControl* image19 = form_.ImageButton("Image19");
    HoverControl(image19);
    QTest::mousePress(image19, Qt::LeftButton, {}, image19->rect().center());
    EXPECT_EQ(Shown("Image19"), PressedSkin);
    QTest::mouseRelease(image19, Qt::LeftButton, {}, image19->rect().center());
    EXPECT_EQ(Shown("Image19"), HoverSkin);
    EXPECT_EQ(PaintPixels[20][20].Data[3], 255);
    EXPECT_TRUE(PaintTiles[20][20].Dirty);
    MaskByte(5, 5) = 0;
    PictureControl* image17 = form_.ImageButton("Image17");
    HoverControl(image17);
    QTest::mouseClick(image17, Qt::LeftButton, {}, image17->rect().center());
    QTest::mouseDClick(image17, Qt::LeftButton, {}, image17->rect().center());
    EXPECT_EQ(ToolMode, Tool::Erase);
    EXPECT_EQ(PaintPixels[1][1].Data[3], 0);
    EXPECT_FALSE(PaintTiles[1][1].Dirty) << "sent at once";
    EXPECT_EQ(MaskByte(5, 5), 0) << "the selection stays";
    MakeCanvasCurrent();
    std::vector<uint8_t> texture(PaintTileBytes, 1);
    glBindTexture(GL_TEXTURE_2D, PaintTiles[1][1].Texture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texture.data());
    EXPECT_EQ(texture, std::vector<uint8_t>(PaintTileBytes, 0));
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
