// The user actions a soak plays, each through the window's own widgets.

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>

#include "content/photo_loader.h"
#include "platform/picture_control.h"
#include "scene/scene_state.h"
#include "tests/soak/soak_driver.h"
#include "ui/canvas_widget.h"
#include "ui/main_form.h"

namespace {

// The scene stays small enough for quick frames: a user with this many
// tattoos clears the photo before adding more.
constexpr int MostLayers = 40;

const char* const ToolButtons[] = {
    "Bmove",     "rotatebutton", "bzoom",  "bMovePoints", "bdelete", "flipvert", "fliphoriz",
    "wtapianie", "bFMove",       "bFzoom", "Image16",     "Image17", "Image18"};

} // namespace

void SoakDriver::MovePointer() {
    Hover(CanvasPoint(false), 25);
}

void SoakDriver::ClickCanvas() {
    const QPoint at = CanvasPoint(false);
    const Qt::MouseButton button = AnyButton();
    Hover(at);
    SendCanvas(QEvent::MouseButtonPress, at, button, button);
    SendCanvas(QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

// A press, a walk of small steps with the odd jump (also off the canvas),
// now and then a frame in the middle, and a release where the walk ended.
void SoakDriver::DragCanvas() {
    QPoint at = CanvasPoint(false);
    const Qt::MouseButton button = AnyButton();
    Hover(at);
    SendCanvas(QEvent::MouseButtonPress, at, button, button);
    for (int steps = Random(1, 12); steps > 0; --steps) {
        at = Chance(10) ? CanvasPoint(true) : at + QPoint(Random(-40, 40), Random(-40, 40));
        SendCanvas(QEvent::MouseMove, at, Qt::NoButton, button);
        if (Chance(5)) DrawFrame();
    }
    SendCanvas(QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

// One long sweep in a steady direction, as when a tattoo is pulled far or
// the photo zoomed a long way; the pointer leaves the canvas on the way.
void SoakDriver::SweepCanvas() {
    QPoint at = CanvasPoint(false);
    const Qt::MouseButton button = AnyButton();
    const QPoint step(Random(-25, 25), Random(-25, 25));
    Hover(at);
    SendCanvas(QEvent::MouseButtonPress, at, button, button);
    for (int steps = Random(40, 400); steps > 0; --steps) {
        at += step + QPoint(Random(-3, 3), Random(-3, 3));
        SendCanvas(QEvent::MouseMove, at, Qt::NoButton, button);
    }
    SendCanvas(QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

// The right button joins a left-button drag, and leaves before it ends.
void SoakDriver::DragWithBothButtons() {
    QPoint at = CanvasPoint(false);
    Hover(at);
    SendCanvas(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    const Qt::MouseButtons both = Qt::LeftButton | Qt::RightButton;
    SendCanvas(QEvent::MouseButtonPress, at, Qt::RightButton, both);
    for (int steps = Random(1, 8); steps > 0; --steps) {
        at += QPoint(Random(-30, 30), Random(-30, 30));
        SendCanvas(QEvent::MouseMove, at, Qt::NoButton, both);
    }
    SendCanvas(QEvent::MouseButtonRelease, at, Qt::RightButton, Qt::LeftButton);
    SendCanvas(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

// As the window system delivers one: press, release, double click, release.
void SoakDriver::DoubleClickCanvas() {
    const QPoint at = CanvasPoint(false);
    const Qt::MouseButton button = AnyButton();
    Hover(at);
    SendCanvas(QEvent::MouseButtonPress, at, button, button);
    SendCanvas(QEvent::MouseButtonRelease, at, button, Qt::NoButton);
    SendCanvas(QEvent::MouseButtonDblClick, at, button, button);
    SendCanvas(QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

// An outline of a few points, now and then one that runs past the polygon's
// 1001 places, closed by a double click or left open.
void SoakDriver::DrawOutline() {
    ClickButton("Image18");
    const int points = Random(0, 199) == 0 ? Random(995, 1010) : Random(1, 12);
    for (int n = 0; n < points; ++n) {
        const QPoint at = CanvasPoint(false);
        SendCanvas(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
        SendCanvas(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        SendCanvas(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }
    if (Chance(60)) DoubleClickCanvas();
}

void SoakDriver::LeaveCanvas() {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(form_.Panel1, &leave);
}

void SoakDriver::ChooseTool() {
    ClickButton(ToolButtons[Random(0, std::size(ToolButtons) - 1)]);
}

void SoakDriver::ClearOrSelectAll() {
    DoubleClickControl(form_.ImageButton(Chance(50) ? "Image17" : "Image18"));
}

void SoakDriver::Fill() {
    ClickButton("Image19");
}

void SoakDriver::ChooseColour() {
    ClickControl(form_.Swatches[Random(1, 8)], Qt::LeftButton);
}

// Typing digits and other keys, the arrow keys, and leaving the edit; a
// canvas move applies what was left unapplied.
void SoakDriver::EditBrushSize() {
    QLineEdit* edit = form_.Edit1;
    const int what = Random(0, 3);
    if (what == 0) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        const char keys[] = "0123456789a-";
        std::string typed;
        for (int n = Random(0, 3); n > 0; --n)
            typed += keys[Random(0, 11)];
        QTest::keyClicks(edit, QString::fromStdString(typed));
    } else if (what == 1) {
        for (int n = Random(1, 30); n > 0; --n)
            QTest::keyClick(edit, Chance(50) ? Qt::Key_Up : Qt::Key_Down);
    } else if (what == 2) {
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(edit, &out);
    } else {
        MovePointer();
    }
}

void SoakDriver::TurnPhoto() {
    if (Chance(30))
        form_.Button14->click();
    else
        ClickButton("bRotateR", AnyButton());
}

void SoakDriver::ZoomStep() {
    (Chance(50) ? form_.Button3 : form_.Button4)->click();
}

void SoakDriver::PageCatalog() {
    switch (Random(0, 4)) {
    case 0:
        ClickButton("barrp", AnyButton());
        break;
    case 1:
        ClickButton("barrn", AnyButton());
        break;
    case 2:
        ClickButton("bnk", AnyButton());
        break;
    case 3:
        form_.PrevGroup->click();
        break;
    default:
        form_.NextGroup->click();
        break;
    }
}

void SoakDriver::AddDesign() {
    if (LastLayer + 1 >= MostLayers) return ChooseTool();
    ClickControl(form_.Image2, Qt::LeftButton);
}

void SoakDriver::PageGallery() {
    ClickButton(Chance(50) ? "GalleryP" : "GalleryN", AnyButton());
}

void SoakDriver::ChooseGalleryPhoto() {
    ClickControl(form_.GallerySlots[Random(0, 4)], Qt::LeftButton);
}

void SoakDriver::OpenPhoto() {
    ++PhotosOpened;
    OpenFoto(AnyPhoto(false));
}

void SoakDriver::OpenScreenOrHelp() {
    ClickButton(Random(0, 2) == 0 ? "bhelp" : Chance(50) ? "Bhistory" : "bHygiene");
}

void SoakDriver::ProcessEvents() {
    QCoreApplication::processEvents();
}

// A notch or a part of one, alone, with Shift (pans) or with Ctrl (zooms).
void SoakDriver::TurnWheel() {
    const QPoint at = CanvasPoint(false);
    const int delta = Chance(70) ? 120 * Random(-3, 3) : Random(-60, 60);
    const QPoint angle = Chance(80) ? QPoint(0, delta) : QPoint(delta, 0);
    const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ShiftModifier,
                                               Qt::ControlModifier};
    QWheelEvent wheel(QPointF(at), QPointF(form_.Panel1->mapToGlobal(at)), QPoint(), angle,
                      Qt::NoButton, modifiers[Random(0, 2)], Qt::NoScrollPhase, false);
    QApplication::sendEvent(form_.Panel1, &wheel);
}

// A tool's letter, Delete or an ink look key (I, Shift+I, K), typed while the
// canvas has the focus.
void SoakDriver::PressKey() {
    const Qt::Key keys[] = {Qt::Key_M, Qt::Key_R,      Qt::Key_S, Qt::Key_C, Qt::Key_X, Qt::Key_H,
                            Qt::Key_V, Qt::Key_T,      Qt::Key_P, Qt::Key_Z, Qt::Key_B, Qt::Key_E,
                            Qt::Key_L, Qt::Key_Delete, Qt::Key_I, Qt::Key_K};
    const Qt::Key key = keys[Random(0, std::size(keys) - 1)];
    const bool shifted = key == Qt::Key_I && Chance(30);
    QTest::keyClick(form_.Panel1, key, shifted ? Qt::ShiftModifier : Qt::NoModifier);
}

// Undo by either key, now and then in the middle of a drag (which it ends
// first), and redo by either of its keys.
void SoakDriver::UndoOrRedo() {
    if (Chance(60)) {
        const bool midDrag = Chance(20);
        const QPoint at = CanvasPoint(false);
        if (midDrag) {
            Hover(at);
            SendCanvas(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
            SendCanvas(QEvent::MouseMove, at + QPoint(Random(-30, 30), Random(-30, 30)),
                       Qt::NoButton, Qt::LeftButton);
        }
        QTest::keyClick(form_.Panel1, Qt::Key_Z, Qt::ControlModifier);
        if (midDrag) SendCanvas(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        return;
    }
    if (Chance(50))
        QTest::keyClick(form_.Panel1, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    else
        QTest::keyClick(form_.Panel1, Qt::Key_Y, Qt::ControlModifier);
}

// A picture file dropped on the canvas (a PNG there becomes a tattoo) or
// elsewhere on the window (it becomes the photo).
void SoakDriver::DropFile() {
    const bool onCanvas = Chance(70);
    const QPoint at = onCanvas ? form_.Panel1->geometry().topLeft() + CanvasPoint(false)
                               : QPoint(Random(0, 400), Random(0, 640));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(AnyPhoto(false)))});
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form_, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form_, &drop);
    // The drop is taken up once the drag has ended.
    QCoreApplication::processEvents();
}
