#pragma once

#include <cstdint>

#include "scene/scene_state.h"

// The derived points of a layer's mesh: the edge midpoints and the centre,
// each the plain average of its corners in X, Y, U and V alike.
struct LayerMeshPoints {
    TLayerCorner M01, M12, M23, M03;
    TLayerCorner K; // average of all four corners, not the diagonals' crossing
};

LayerMeshPoints MeshPoints(const TLayerCorner corners[4]);

// Whether any part of the corners' bounding box, drawn at Zoom and offset by
// (offX, offY), touches the canvas. The bounds are inclusive.
bool LayerOnCanvas(const TLayerCorner corners[4], float offX, float offY);

// Draws the layer as eight textured triangles: the four corner triangles, then
// the centre diamond as a fan about K. Returns false, drawing nothing, when
// the layer lies wholly off the canvas. Blending is the caller's.
bool DrawLayerMesh(TextureName texture, const TLayerCorner corners[4], uint8_t alpha, uint8_t red,
                   uint8_t green, uint8_t blue, float offX, float offY);

// Joins the four corners with one-pixel lines (texturing is the caller's to
// switch off). Draws nothing for a layer off the canvas.
void DrawLayerOutline(const TLayerCorner corners[4], uint8_t alpha, uint8_t red, uint8_t green,
                      uint8_t blue, float offX, float offY);
