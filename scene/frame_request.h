#pragma once

#include <functional>

// Frames are drawn on request rather than on a fast timer. Any handler that
// changes the shared scene calls RequestFrame, and the next frame shows the
// change; hover picking still happens inside that frame. Requests made before
// the next frame runs are merged into it.
void RequestFrame();

// What a request does. The canvas panel registers its frame scheduling here,
// so that the handlers below it can ask for frames without knowing the
// window; with no hook (an empty function) requests are ignored.
void SetFrameRequestHook(std::function<void()> hook);

// Whether something on the canvas moves by itself, so that frames must keep
// coming while nothing else changes: the pulsing MovePoints handles (pointer
// on the canvas, at least one layer) or a selection outline.
bool FrameAnimating();
