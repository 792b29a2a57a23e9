#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/message_box.h"

// The Select tool's polygon: its last point follows the pointer and each
// release fixes it, until the polygon is closed near its first point.

// The open selection polygon's last point follows the pointer (its previous
// position, MouseX and MouseY).
void MoveSelectionPoint();

// The button went up in the Select tool: fixes the polygon's current point,
// or closes the polygon when the point is back near the first one. When the
// polygon's table is full the point is not fixed and the user is told.
void FixSelectionPoint();

// A button went down at the pointer (MouseX, MouseY) in the Select tool or
// after a selection was made. Everything selected (the selection button's
// double click, or a new photo) leaves the Select button lit, so a press on
// the photo then starts a new outline as a click on the button would; in
// the Select tool the outline's point goes to the press, which may come
// without a move there first (a tap on a tablet or a touch screen).
void PressSelectionTool();

// Starts a new, empty outline with nothing selected, its first point under
// the pointer, and selects the Select tool, as one step.
void StartSelectionOutline();

// Closes an open outline as one step the user can undo.
void CloseSelectionStep();

// Drops any outline and selects everything, as one step.
void SelectAll();

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

// Shows a short notice beside the pointer on the canvas, as a hint; tests
// read it themselves.
using SelectionNotice = std::function<void(const std::string& text)>;
extern SelectionNotice ShowSelectionNotice;

// Runs ShowSelectionNotice, or shows the text as the canvas's hint at the
// pointer when none is set.
void NotifySelection(const std::string& text);
