#pragma once

#include "scene/picture.h"
#include "scene/scene_state.h"

// One tattoo layer alone as it looks in the composed picture (bent, mirrored,
// faded by its alpha), drawn into an offscreen framebuffer the size of its
// bounding box within the photo as shown, on a transparent ground. The
// layer's pixels are written as they are, not blended, so the picture keeps
// the design's colours with the layer's alpha applied. (X, Y) is the box's
// top-left corner on the photo. False when the layer has no part on the
// photo, no context is current or the framebuffer cannot be made.
struct LayerPicture {
    int X = 0;
    int Y = 0;
    Picture Pixels; // RGBA, top row first
};
bool CaptureTattooLayer(int layer, LayerPicture& out);

// A design texture's level 0 read back as an RGBA picture, top row first
// (design textures hold their rows bottom first). False for no texture or
// no current context.
bool ReadDesignTexture(TextureName texture, Picture& out);
