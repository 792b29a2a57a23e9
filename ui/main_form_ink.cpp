#include <QKeyEvent>

#include "scene/scene_state.h"
#include "tools/ink_look.h"
#include "ui/canvas_widget.h"
#include "ui/dialog_folders.h"
#include "ui/main_form.h"

bool TMainForm::InkKeyDown(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const bool plain = modifiers == Qt::NoModifier;
    if (event.key() == Qt::Key_I && plain) {
        // The pick of the pointer's latest place, as Delete uses.
        Panel1->DrawPendingFrame();
        const int32_t layer = TattooUnderPointer();
        if (ToggleInkLookUnderPointer()) Panel1->ShowHint(InkLookHint(layer));
    } else if (event.key() == Qt::Key_I && modifiers == Qt::ShiftModifier) {
        ToggleInkLookForAll();
        RememberInkLookForNew(InkLookForNew);
        if (LastLayer >= 0) Panel1->ShowHint(InkLookHint(0));
    } else if (event.key() == Qt::Key_K && plain) {
        ToggleClipToSelection();
        Panel1->ShowHint(ClipHint());
    } else {
        return false;
    }
    return true;
}
