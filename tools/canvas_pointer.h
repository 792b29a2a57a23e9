#pragma once

#include <QPoint>
#include <QtCore/qnamespace.h>
#include <cstdint>

// The canvas panel's mouse handlers. X and Y are canvas pixels; `buttons` are
// the buttons held at the time of the event, including the one just pressed.
// They keep the pointer state of the scene and act on it with the current
// tool. None of them draws: the canvas requests the next frame itself after
// every pointer event, and the handlers request one for any other change.

// The middle button holds the photo in every tool: its press grabs the photo,
// movement pans it and its release lets go, without starting or ending the
// tool.

// Starts the current tool at the pointer's position of the last move (not
// the press's own position): a press on the layer under the pointer grabs it,
// and Delete and the flips act at once.
void Panel1MouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, int32_t x, int32_t y);
// Continues the drag by the movement since the last move, then records the
// pointer. A held right button moves the grabbed tattoo in any tool.
void Panel1MouseMove(Qt::MouseButtons buttons, int32_t x, int32_t y);
void Panel1MouseUp(Qt::MouseButton button, Qt::MouseButtons buttons, int32_t x, int32_t y);
void Panel1DblClick();

// Ends a drag or stroke going on as its button's release would (before an
// undo, which then takes back the whole drag).
void EndDragAsRelease();

// The pointer has left the canvas: no cursor or hover marks stay behind at
// its last position.
void Panel1MouseLeave();

// The mouse wheel over canvas point `at`: with Ctrl it zooms about that
// point, one zoom-tool step of 0.1 per notch; alone it pans vertically, with
// Shift horizontally (a tilting wheel pans horizontally too), 40 pixels per
// notch. `angleDelta` is in eighths of a degree, 120 to a notch.
void Panel1MouseWheel(Qt::KeyboardModifiers modifiers, QPoint angleDelta, QPoint at);

// Removes the tattoo under the pointer, as a press of the Delete tool does.
// True when there was one.
bool DeleteHoveredLayer();
