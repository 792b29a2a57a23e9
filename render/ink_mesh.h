#pragma once

#include <vector>

#include "scene/scene_state.h"
#include "scene/shading_map.h"

// The ink look of a tattoo layer: instead of the eight-triangle mesh, a fine
// grid whose points interpolate the four corners bilinearly (a bent tattoo
// curves without a crease), each point shifted by the photo's shading, drawn
// with the design's premultiplied texture multiplied into the photo.

// Cells along each side of the grid: as many as make each cell at most
// InkCellPixels canvas pixels long on the layer's longest edge, between
// InkMinCells and InkGridCells. A curve finer than that cannot be seen, and
// a small tattoo costs a few dozen triangles instead of a thousand.
constexpr int InkGridCells = 24;
constexpr int InkMinCells = 4;
constexpr float InkCellPixels = 20;
int InkCellsFor(const TLayerCorner corners[4], float zoom);

// The point at (s, t) of the layer, s from corner 0 towards corner 1 and t
// from corner 0 towards corner 3, each 0..1; X, Y, U and V alike.
TLayerCorner BilinearPoint(const TLayerCorner corners[4], float s, float t);

// The photo as the grid reads its shading map: its size and turns.
struct ShadingView {
    const ShadingMap* Map = nullptr;
    int32_t QuarterTurns = 0;
    int32_t ImageWidth = 0;
    int32_t ImageHeight = 0;
};
// The current photo's.
ShadingView CurrentShadingView();

// The (cells + 1) x (cells + 1) grid points in layer space, row by row from
// corner 0's edge, each shifted by the shading under it.
void InkGridPoints(const TLayerCorner corners[4], int cells, const ShadingView& view,
                   std::vector<TLayerCorner>& points);

// Draws the layer with the ink look at the canvas offset (offX, offY); false,
// drawing nothing, when it lies wholly off the canvas. Blending must be on;
// its factors are put back to source-alpha, one-minus-source-alpha.
bool DrawInkLayer(const TTattooLayer& layer, float offX, float offY);
