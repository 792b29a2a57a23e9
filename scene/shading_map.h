#pragma once

#include <cstdint>
#include <vector>

#include "scene/picture.h"

// How the skin's own shading bends an inked tattoo. A small map of the
// gradient of a blurred grey copy of the photo, made once per photo: where
// the skin turns away from the light it darkens, and a design laid on it is
// drawn a little towards the lit side, as ink on a curving body is seen.
// The map is kept in image space; the quarter turns are applied when it is
// read, so a turn costs nothing.

// Cells along the map's longer side: fine enough for the curve of a limb,
// small enough to be made in a fraction of a photo's decoding.
constexpr int ShadingMapCells = 128;
// The blur: a box of this radius in cells, run three times (close to a
// Gaussian), so that pores, hair and freckles bend nothing.
constexpr int ShadingBlurRadius = 3;
constexpr int ShadingBlurPasses = 3;
// The shift, in photo pixels, per unit of brightness gradient (brightness
// 0..1 per photo pixel) times the square of the photo's longer side: a photo
// scaled up or down bends its tattoos by the same fraction of its size.
constexpr float ShadingStrength = 0.004f;
// No shift goes beyond this fraction of the photo's longer side.
constexpr float ShadingMaxShift = 0.025f;

struct ShadingMap {
    int Width = 0; // cells
    int Height = 0;
    int CellSize = 1;      // photo pixels a cell covers along each axis
    std::vector<float> DX; // shift of each cell, photo pixels, row-major
    std::vector<float> DY;

    bool Empty() const { return Width <= 0 || Height <= 0; }
};

// The map of a photo (RGB or RGBA, top row first); empty for an empty one.
ShadingMap ComputeShadingMap(const Picture& photo);

struct ShadingShift {
    float X = 0;
    float Y = 0;
};

// The shift at layer-space point (x, y) of a photo of imageWidth x
// imageHeight pixels shown after `quarterTurns` clockwise turns, in layer
// space: the map read bilinearly between cell centres (clamped at its edges)
// and turned with the photo. No shift for an empty map.
ShadingShift ShadingShiftAt(const ShadingMap& map, float x, float y, int32_t quarterTurns,
                            int32_t imageWidth, int32_t imageHeight);

// The current photo's map.
extern ShadingMap PhotoShading;
