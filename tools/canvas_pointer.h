#pragma once

#include <QtCore/qnamespace.h>
#include <cstdint>

// The canvas panel's mouse handlers. X and Y are canvas pixels; `buttons` are
// the buttons held at the time of the event, including the one just pressed.
// They keep the pointer state of the scene; the tools act on the scene from
// here too. None of them draws: the canvas requests the next frame itself.

void Panel1MouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, int32_t x, int32_t y);
void Panel1MouseMove(Qt::MouseButtons buttons, int32_t x, int32_t y);
void Panel1MouseUp(Qt::MouseButton button, Qt::MouseButtons buttons, int32_t x, int32_t y);
void Panel1DblClick();

// The pointer has left the canvas: no cursor or hover marks stay behind at
// its last position.
void Panel1MouseLeave();

// Whether a press in the current tool holds the pointer for a drag: the view
// and paint tools always, the tattoo tools that drag only over a layer. The
// one-shot tools (Delete and the flips) act at the press and hold nothing.
bool PressHoldsPointer();
