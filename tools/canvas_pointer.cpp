#include "tools/canvas_pointer.h"

#include "scene/scene_state.h"

namespace {

bool PhotoPresent() {
    return PhotoWidth >= 1 && PhotoHeight >= 1;
}

} // namespace

bool PressHoldsPointer() {
    switch (ToolMode) {
    case Tool::PhotoMove:
    case Tool::PhotoZoom:
    case Tool::Paint:
    case Tool::Erase:
        return true;
    case Tool::Delete:
    case Tool::FlipVertical:
    case Tool::FlipHorizontal:
        return false;
    default:
        return HoverLayer != -1;
    }
}

void Panel1MouseDown(Qt::MouseButton, Qt::MouseButtons buttons, int32_t, int32_t) {
    // The press works from the pointer position of the last move, not from
    // its own coordinates.
    if (!PhotoPresent() || buttons.testFlag(Qt::RightButton)) return;
    if (PressHoldsPointer()) MouseHeld = true;
}

void Panel1MouseMove(Qt::MouseButtons, int32_t x, int32_t y) {
    MouseInCanvas = true;
    // Drags measure their movement from the previous position, so it is
    // stored only at the very end.
    MouseX = x;
    MouseY = y;
}

void Panel1MouseUp(Qt::MouseButton, Qt::MouseButtons, int32_t, int32_t) {
    MouseHeld = false;
}

// A double click keeps no pointer state of its own; it only matters to the
// Select tool, which closes its polygon with it.
void Panel1DblClick() {}

void Panel1MouseLeave() {
    MouseInCanvas = false;
}
