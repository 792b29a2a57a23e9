#pragma once

#include <cstdint>
#include <vector>

#include "scene/scene_state.h"

// The premultiplied copies of tattoo textures that the ink look multiplies
// into the photo. A copy is made from the design's own texture the first
// time a layer of it is drawn as ink, mipmapped like the design, and kept
// for as long as the current context lives.

// The premultiplied copy of `straight` in the current context; 0 for 0.
TextureName InkTextureFor(TextureName straight);

// Deletes the copy of a design texture that is being deleted itself.
void ForgetInkTexture(TextureName straight);

// How many copies the current context holds (for tests).
int InkTextureCount();

// RGBA pixels with their colour multiplied by their alpha, rounded.
void PremultiplyPixels(std::vector<uint8_t>& rgba);
