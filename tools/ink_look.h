#pragma once

#include <cstdint>
#include <string>

// The ink look's switches: per tattoo (the one under the pointer), for all
// tattoos and the ones placed next, and the clipping of every tattoo to the
// selection. Each asks for a frame when it changes what is shown.

// The tattoo under the pointer: the one a drag holds, else the topmost one
// there; -1 for none or when the pointer is off the canvas.
int32_t TattooUnderPointer();

// Turns the ink look of the tattoo under the pointer on or off; false when
// there is none.
bool ToggleInkLookUnderPointer();

// Turns InkLookForNew over and gives every tattoo that look.
void ToggleInkLookForAll();

void ToggleClipToSelection();

// The hint line's words for a tattoo's ink look, and for the clipping.
std::string InkLookHint(int32_t layer);
std::string ClipHint();
