#include <QLabel>
#include <QWindow>
#include <cmath>

#include "content/photo_loader.h"
#include "platform/language.h"
#include "platform/picture_control.h"
#include "scene/geometry.h"
#include "scene/scene_state.h"
#include "scene/selection_mask.h"
#include "tests/ui/main_form_fixture.h"
#include "tools/selection_tool.h"
#include "ui/canvas_widget.h"
#include "ui/catalog_overlay.h"
#include "ui/full_view.h"

namespace {

constexpr QSize BigScreen{1920, 1080};

// The full view at 1920 x 1080, larger than the test display, driven by
// mouse and keys through its window as a user would.
class FullViewTest : public MainFormTest {
  protected:
    void SetUp() override {
        MainFormTest::SetUp();
        if (PhotoWidth < 1) OpenFoto(StockPhotoSource);
        LastLayer = -1;
        form_.Image18DblClick(); // everything selected, no paint
        form_.Image17DblClick();
        AskCloseSelection = [](const std::string&, const std::string&) {
            return MessageAnswer::Yes;
        };
    }
    void TearDown() override {
        if (form_.InFullView()) form_.LeaveFullView();
        AskCloseSelection = nullptr;
        form_.Image18DblClick();
        form_.Image17DblClick();
        LastLayer = -1;
        MainFormTest::TearDown();
    }

    void Key(int key) { QTest::keyClick(form_.Panel1, Qt::Key(key)); }
    QWindow* View() const { return form_.FullViewWindow()->windowHandle(); }
    void Drag(QPoint from, QPoint to) {
        QTest::mouseMove(View(), from);
        QTest::mousePress(View(), Qt::LeftButton, {}, from);
        QTest::mouseMove(View(), (from + to) / 2);
        QTest::mouseMove(View(), to);
        QTest::mouseRelease(View(), Qt::LeftButton, {}, to);
    }
    void Click(QPoint at) { Drag(at, at); }

    // Where layer point (x, y) shows on the canvas, and back.
    static QPointF CanvasAt(float x, float y) {
        return {x * Zoom + CenteringOffset(OverflowX, ViewWidth, PhotoWidth, Zoom) - PanX,
                y * Zoom + CenteringOffset(OverflowY, ViewHeight, PhotoHeight, Zoom) - PanY};
    }
    static QPointF LayerAt(QPoint canvas) {
        return {
            (canvas.x() + PanX - CenteringOffset(OverflowX, ViewWidth, PhotoWidth, Zoom)) / Zoom,
            (canvas.y() + PanY - CenteringOffset(OverflowY, ViewHeight, PhotoHeight, Zoom)) / Zoom};
    }
    static QPoint ImageAt(QPoint canvas) {
        const QPointF layer = LayerAt(canvas);
        return {int(std::trunc(layer.x())), int(std::trunc(layer.y()))};
    }
    static QPoint CanvasPointAt(QPointF layer) {
        return CanvasAt(float(layer.x()), float(layer.y())).toPoint();
    }
    static QPointF TattooCentre() {
        float x = 0, y = 0;
        for (const TLayerCorner& corner : Layers[LastLayer].Corners) {
            x += corner.X / 4;
            y += corner.Y / 4;
        }
        return CanvasAt(x, y);
    }
    static QPointF CornerAt(int k) {
        return CanvasAt(Layers[LastLayer].Corners[k].X, Layers[LastLayer].Corners[k].Y);
    }
};

void ExpectNear(QPointF shown, QPoint pointer, const char* what) {
    EXPECT_NEAR(shown.x(), pointer.x(), 1.0) << what;
    EXPECT_NEAR(shown.y(), pointer.y(), 1.0) << what;
}

bool Red(QRgb pixel) {
    return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
}

TEST_F(FullViewTest, EveryToolLandsUnderThePointerAndTheWindowGetsTheSameScene) {
    form_.Image9Click(); // red paint
    ZoomAboutPoint(true, 20, 100, 100);
    const PhotoViewState window = CurrentPhotoView();
    ASSERT_GT(PanX + PanY, 0) << "a zoomed and panned view to come back to";
    // Photo points the small view shows: where the tattoo goes, and the paint.
    const QPointF tattooSpot = LayerAt({150, 200}), paintSpot = LayerAt({300, 350});

    Key(Qt::Key_F11);
    ASSERT_TRUE(form_.InFullView());
    EXPECT_FALSE(form_.isVisible());
    form_.FullViewWindow()->setGeometry(QRect(QPoint(0, 0), BigScreen));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.FullViewWindow()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form_.Panel1->width() == BigScreen.width(); }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form_.Panel1->isValid(); }));
    EXPECT_EQ(ViewWidth, BigScreen.width());
    EXPECT_EQ(ViewHeight, form_.Panel1->height());
    EXPECT_GT(ViewHeight, BigScreen.height() * 9 / 10) << "the strip is slim";
    EXPECT_FLOAT_EQ(Zoom, FitZoom(PhotoWidth, PhotoHeight, ViewWidth, ViewHeight));
    const QPoint middle(ViewWidth / 2, ViewHeight / 2);

    Key(Qt::Key_D);
    PictureControl* miniature = form_.FullViewWindow()->Catalog()->Miniature();
    ASSERT_TRUE(miniature->isVisible());
    const QPoint onMiniature = miniature->mapTo(form_.FullViewWindow(), miniature->rect().center());
    QTest::mouseMove(View(), onMiniature);
    QTest::mouseClick(View(), Qt::LeftButton, {}, onMiniature);
    ASSERT_EQ(LastLayer, 0) << "a design placed from the overlay";
    ExpectNear(TattooCentre(), middle, "placed in the middle of the full view");
    Key(Qt::Key_D);
    EXPECT_FALSE(miniature->isVisible());

    Key(Qt::Key_M);
    const QPoint moved = CanvasPointAt(tattooSpot);
    // Off the tattoo's diagonal, which belongs to neither of its triangles.
    const QPoint grip(30, 10);
    Drag(middle + grip, moved + grip);
    ExpectNear(TattooCentre(), moved, "moved");

    Key(Qt::Key_C);
    const QPoint corner = CornerAt(2).toPoint();
    const QPoint bent = corner + QPoint(90, -60);
    Drag(corner, bent);
    ExpectNear(CornerAt(2), bent, "bent at a corner");
    EXPECT_EQ(form_.FullViewWindow()->ToolHint()->text().toStdString(), Lang(21));

    Key(Qt::Key_B);
    const QPoint painted = CanvasPointAt(paintSpot);
    Click(painted);

    Key(Qt::Key_L);
    const QPoint outline[] = {{300, 300}, {900, 300}, {900, 800}, {300, 800}, {301, 301}};
    for (QPoint point : outline)
        Click(point);
    EXPECT_TRUE(SelectionClosed) << "closed at its first point";
    const QPoint inside = ImageAt({600, 550}), outside = ImageAt({1000, 550});
    EXPECT_EQ(MaskByte(inside.x(), inside.y()), 255);
    EXPECT_EQ(MaskByte(outside.x(), outside.y()), 0);

    Key(Qt::Key_Escape);
    ASSERT_FALSE(form_.InFullView());
    ASSERT_TRUE(form_.isVisible());
    EXPECT_EQ(form_.Panel1->geometry(), QRect(411, 122, CanvasWidth, CanvasHeight));
    EXPECT_EQ(ViewWidth, CanvasWidth);
    EXPECT_EQ(ViewHeight, CanvasHeight);
    EXPECT_FLOAT_EQ(Zoom, window.Zoom);
    EXPECT_EQ(PanX, window.PanX);
    EXPECT_EQ(PanY, window.PanY);
    // The tattoo is found where the small view shows it, and so is the paint.
    Key(Qt::Key_M);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form_.Panel1->isValid(); }));
    const QPoint onTattoo = TattooCentre().toPoint() + QPoint(6, 3);
    // A late leave of the full view may reach the canvas: the pointer moves on.
    int step = 0;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        const QPoint at = onTattoo + QPoint(++step % 2, 0);
        QTest::mouseMove(form_.windowHandle(), form_.Panel1->mapTo(&form_, at));
        form_.Panel1->DrawPendingFrame();
        return HoverLayer == 0;
    })) << "the tattoo is found where the small view shows it";
    EXPECT_TRUE(Red(form_.Panel1->grabFramebuffer().pixel(300, 350)));

    // The gesture: a double click with the middle button, there and back.
    const QPoint centre = form_.Panel1->mapTo(&form_, form_.Panel1->rect().center());
    QTest::mouseDClick(form_.windowHandle(), Qt::MiddleButton, {}, centre);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form_.InFullView(); }));
    QTest::mouseDClick(View(), Qt::MiddleButton, {}, {200, 200});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form_.InFullView(); }));
    EXPECT_FLOAT_EQ(Zoom, window.Zoom);
}

} // namespace
