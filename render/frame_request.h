#pragma once

class CanvasWidget;

// Frames are drawn on request rather than on a fast timer. Any handler that
// changes the shared scene calls RequestFrame, and the next frame shows the
// change; hover picking still happens inside that frame. Requests made before
// the next frame runs are merged into it.
void RequestFrame();

// The canvas that requests go to; null for none (requests are then ignored).
void SetFrameTarget(CanvasWidget* canvas);

// Whether something on the canvas moves by itself, so that frames must keep
// coming while nothing else changes: the pulsing MovePoints handles (pointer
// on the canvas, at least one layer) or a selection outline.
bool FrameAnimating();

// The shortest time between two frames, in ms: the limit for frames asked
// for by a burst of pointer events, which may come faster than a display
// refreshes.
constexpr int AnimationFrameInterval = 16;

// The interval of the frames drawn while FrameAnimating holds and nothing
// else changes. The pulse needs no more to look smooth (its fastest channel
// takes over 300 ms per cycle), and each frame still costs the window's
// composition on a software renderer.
constexpr int PulseFrameInterval = 60;
