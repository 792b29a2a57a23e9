#include <QKeyEvent>
#include <cstring>

#include "content/own_designs.h"
#include "platform/picture_control.h"
#include "scene/scene_state.h"
#include "tools/canvas_pointer.h"
#include "ui/button_skins.h"
#include "ui/canvas_widget.h"
#include "ui/main_form.h"

namespace {

using Handler = void (TMainForm::*)();

// One letter per tool, named in the buttons' hints and in the help.
struct ToolShortcut {
    char Key;
    const char* Control;
    Handler Click;
};

// clang-format off
constexpr ToolShortcut ToolShortcuts[] = {
    {'M', "Bmove",        &TMainForm::MoveBClick},
    {'R', "rotatebutton", &TMainForm::Button2Click},
    {'S', "bzoom",        &TMainForm::Button5Click},
    {'C', "bMovePoints",  &TMainForm::Button6Click},
    {'X', "bdelete",      &TMainForm::Button7Click},
    {'H', "flipvert",     &TMainForm::Button8Click},
    {'V', "fliphoriz",    &TMainForm::Button9Click},
    {'T', "wtapianie",    &TMainForm::Button12Click},
    {'P', "bFMove",       &TMainForm::bFMoveClick},
    {'Z', "bFzoom",       &TMainForm::bFzoomClick},
    {'B', "Image16",      &TMainForm::Image16Click},
    {'E', "Image17",      &TMainForm::Image17Click},
    {'L', "Image18",      &TMainForm::Image18Click},
};
// clang-format on

const ToolShortcut* ToolFor(int key) {
    for (const ToolShortcut& tool : ToolShortcuts)
        if (key == tool.Key) return &tool;
    return nullptr;
}

// Redo's second key on every desktop, whether or not the platform names it.
bool IsCtrlY(const QKeyEvent* event) {
    return event->key() == Qt::Key_Y &&
           (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

} // namespace

char TMainForm::ToolKey(const char* control) {
    for (const ToolShortcut& tool : ToolShortcuts)
        if (std::strcmp(tool.Control, control) == 0) return tool.Key;
    return 0;
}

// Keys typed into the brush-size edit stay there; the edit leaves the others
// (and every key the canvas gets) to the window.
void TMainForm::FormKeyDown(QKeyEvent* event) {
    if (TextScreen->isVisible()) return ScreenKeyDown(event);
    if (FullViewKeyDown(event)) return;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (event->matches(QKeySequence::Open)) {
        LoadPictureClick();
    } else if (event->matches(QKeySequence::Save)) {
        Button10Click();
    } else if (event->matches(QKeySequence::Print)) {
        bprintClick();
    } else if (event->matches(QKeySequence::Quit)) {
        bcloseClick();
    } else if (event->key() == Qt::Key_I &&
               (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
        ImportDesignClick();
    } else if (event->matches(QKeySequence::Delete) && PointerOnMiniature()) {
        RemoveShownOwnDesign();
    } else if (event->matches(QKeySequence::Undo)) {
        UndoClick();
    } else if (event->matches(QKeySequence::Redo) || IsCtrlY(event)) {
        RedoClick();
    } else if (event->matches(QKeySequence::Delete)) {
        Panel1->DrawPendingFrame();
        DeleteHoveredLayer();
    } else if (InkKeyDown(*event)) {
    } else if (const ToolShortcut* tool = plain ? ToolFor(event->key()) : nullptr) {
        // The button's own handler, but the pointer has not moved: it stays
        // on the canvas if it was there, and the buttons show the new tool
        // at once rather than when the pointer next crosses one.
        const bool inCanvas = MouseInCanvas;
        (this->*tool->Click)();
        MouseInCanvas = inCanvas;
        ShowButtonsImages();
    } else {
        event->ignore();
    }
}

// An information screen covers the editor: its shortcuts would act on what
// cannot be seen, so only closing the screen works, with Escape.
void TMainForm::ScreenKeyDown(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        TextScreenClick();
    else
        event->ignore();
}

void TMainForm::keyPressEvent(QKeyEvent* event) {
    FormKeyDown(event);
}
