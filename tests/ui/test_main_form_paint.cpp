#include <GL/gl.h>
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <cmath>
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
#include "ui/canvas_widget.h"

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

// Canvas events as the window system sends them, the button held throughout.
void SendToCanvas(QWidget* canvas, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(canvas->mapToGlobal(at)), Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(canvas, &event);
}

void Stroke(QWidget* canvas, int y, int fromX, int toX) {
    SendToCanvas(canvas, QEvent::MouseMove, {fromX, y}, Qt::NoButton);
    SendToCanvas(canvas, QEvent::MouseButtonPress, {fromX, y}, Qt::LeftButton);
    for (int x = fromX + 2; x <= toX; x += 2)
        SendToCanvas(canvas, QEvent::MouseMove, {x, y}, Qt::LeftButton);
    SendToCanvas(canvas, QEvent::MouseButtonRelease, {toX, y}, Qt::NoButton);
}

bool Red(QRgb pixel) {
    return qRed(pixel) > 220 && qGreen(pixel) < 40 && qBlue(pixel) < 40;
}

TEST_F(PaintTools, AStrokeOnTheCanvasShowsPaintAndTheEraserTakesItAway) {
    QWidget* canvas = form_.Panel1;
    ClickControl(form_.Swatches[2]);
    ClickControl(form_.ImageButton("Image16"));
    ASSERT_FALSE(Red(form_.Panel1->grabFramebuffer().pixel(200, 250)));
    Stroke(canvas, 250, 120, 300);
    QImage shown = form_.Panel1->grabFramebuffer();
    EXPECT_TRUE(Red(shown.pixel(200, 250))) << std::hex << shown.pixel(200, 250);
    EXPECT_TRUE(Red(shown.pixel(150, 252)));
    EXPECT_FALSE(Red(shown.pixel(200, 300))) << "beyond the brush";
    ClickControl(form_.ImageButton("Image17"));
    Stroke(canvas, 250, 180, 230);
    shown = form_.Panel1->grabFramebuffer();
    EXPECT_FALSE(Red(shown.pixel(200, 250)));
    EXPECT_TRUE(Red(shown.pixel(150, 250)));
    form_.Image8Click();
    form_.Image17DblClick();
}

// Found by the soak: a new outline began at the first point of the last one,
// which could lie off a smaller photo opened since.
TEST_F(PaintTools, ANewOutlineStartsUnderThePointer) {
    SelectionPoints[0] = {5000, 4000};
    SendToCanvas(form_.Panel1, QEvent::MouseMove, {213, 258}, Qt::NoButton);
    ClickControl(form_.ImageButton("Image18"));
    int32_t x = static_cast<int32_t>(std::trunc((MouseX + PanX - double(CenterX)) / Zoom));
    int32_t y = static_cast<int32_t>(std::trunc((MouseY + PanY - double(CenterY)) / Zoom));
    ViewToImage(x, y);
    EXPECT_EQ(SelectionPoints[0].X, x);
    EXPECT_EQ(SelectionPoints[0].Y, y);
    form_.Image18DblClick();
}

} // namespace
