#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/message_box.h"

// The Select tool's polygon: its last point follows the pointer and each
// release fixes it, until the polygon is closed near its first point.
// (MoveSelectionPoint and FixSelectionPoint are declared with the other
// entry points of the canvas handlers in tools/paint_layer.h.)

// How close, in screen pixels, a release must come to the first point for
// the program to offer closing the polygon.
constexpr int32_t SelectionCloseReach = 10;

// Whether image point (x, y) is close enough to the polygon's first point to
// offer closing, at the current zoom.
bool NearFirstSelectionPoint(int32_t x, int32_t y);

// Asks whether to close the polygon (text, caption); Yes closes it. The
// window's Yes/No box by default; tests answer it themselves.
using SelectionQuestion =
    std::function<MessageAnswer(const std::string& text, const std::string& caption)>;
extern SelectionQuestion AskCloseSelection;

// Runs AskCloseSelection, or the real box when none is set.
MessageAnswer AskToCloseSelection(const std::string& text, const std::string& caption);
