#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "scene/picture.h"
#include "scene/scene_state.h"

// Tattoo designs that come from PNG files dropped on the canvas rather than
// from the catalog. Each becomes its own texture and one new layer.

// Catalog group and item of a layer made from a dropped file.
constexpr int32_t DroppedDesignGroup = -1;

// The largest side a dropped design's texture gets; larger pictures are
// scaled down first, as a tattoo never needs more.
constexpr int MaxDroppedDesignSide = 2048;

// Places the PNG file as a new tattoo layer centred at canvas point (x, y),
// shown at half its size but no larger than a catalog design (256 pixels).
// Nothing happens without a photo; a file that cannot be read gets the
// message of an unreadable catalog design. True when the layer was added.
bool AddDroppedDesign(const std::string& path, int32_t x, int32_t y);

// The corners of a design of w x h pixels shown `shownWidth` x `shownHeight`
// canvas pixels about canvas point (x, y), with the whole picture mapped.
void PlaceDroppedCorners(int32_t x, int32_t y, float shownWidth, float shownHeight,
                         TLayerCorner (&corners)[4]);

// Takes a design texture that no catalog item owns any more into the dropped
// designs' keeping: it is deleted once no layer and no step of the history
// uses it. `bytes` is what it holds, counted against the history's bound.
void AdoptDesignTexture(TextureName texture, size_t bytes);
// Whether a layer, or a step of the history that can bring one back, uses
// the texture.
bool TextureInUse(TextureName texture);
// Deletes the kept textures nothing uses any more.
void DeleteUnusedDroppedTextures();
// Makes a texture of an RGBA design (top row first) that is deleted once no
// layer uses it, as for a dropped design.
TextureName AddDesignTexture(const Picture& picture);
TextureName AddDesignTexture(std::shared_ptr<const Picture> pixels);

// How many dropped designs have a texture (for tests).
int DroppedDesignTextureCount();
