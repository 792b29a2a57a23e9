#pragma once

#include "scene/picture.h"

// The composed picture (photo, tattoo layers, paint layer) at the photo's own
// resolution as shown: its quarter turns applied, zoom 1, no pan. It is drawn
// with Capturing set into an offscreen framebuffer of PhotoWidth x
// PhotoHeight with the context current at the call, so the canvas on screen
// is neither drawn nor changed. Returns an RGB picture, top row first; false
// when no photo is loaded, no context is current or the framebuffer cannot be
// made.
bool CaptureComposedPicture(Picture& out);
