#pragma once

#include "scene/scene_state.h"

// Twice the signed area of the triangle (x1, y1), (x2, y2), (x3, y3).
float SignedArea2(float x1, float y1, float x2, float y2, float x3, float y3);

// Strict inside test: a point on an edge of a proper triangle is outside.
bool PointInTriangle(float px, float py, float ax, float ay, float bx, float by, float cx,
                     float cy);

// The zoom that shows the whole photo on the view: the smaller of the two
// axes' ratios. Loading a photo and zooming out to the fit both use it, so
// they land on the same value. The photo's sides must be positive.
float FitZoom(int32_t photoWidth, int32_t photoHeight, int32_t viewWidth, int32_t viewHeight);

// The offset that centres a shown extent on the canvas axis, or 0 while the
// zoomed photo overflows that axis.
float CenteringOffset(int32_t overflow, int32_t view, int32_t shown, float zoom);

// Hit test of a layer: (px, py) is in zoomed layer space; the corners are
// scaled by Zoom. The quad is split along the C0-C2 diagonal.
bool PointInQuad(const TLayerCorner corners[4], float px, float py);

// The topmost visible layer (the last drawn) whose quad holds (px, py), in
// zoomed layer space as for PointInQuad; -1 when there is none.
int32_t TopLayerAt(float px, float py);
