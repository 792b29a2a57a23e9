#pragma once

#include <cstdint>

#include "scene/scene_state.h"

// The tattoo tools' geometry: what a press and each drag step do to the
// corners of one layer. The layer-space corners are shown at Zoom; the pointer
// positions given here are in zoomed layer space (canvas pixels plus the pan,
// minus the centring offsets).

// The corners of the layer grabbed by the last press, and the pointer's angle
// about their centre at that press.
extern TLayerCorner GrabCorners[4];
extern float GrabAngle;

// The zoomed layer-space position of a canvas point.
struct ZoomedPoint {
    float X = 0;
    float Y = 0;
};
ZoomedPoint ZoomedPointer(int32_t canvasX, int32_t canvasY);

// The centre of four corners (their plain average), raised by 0.001 in y when
// the pointer lies level with it at this zoom, so that the angle below never
// divides by zero.
struct GrabCentre {
    float X = 0;
    float Y = 0;
};
GrabCentre CentreFor(const TLayerCorner corners[4], ZoomedPoint pointer);

// The pointer's angle about the zoomed centre, in radians.
float PointerAngle(GrabCentre centre, ZoomedPoint pointer);

// The grabbed corners turned by `angle` about `centre` into `corners`.
void RotateCorners(const TLayerCorner grabbed[4], GrabCentre centre, float angle,
                   TLayerCorner corners[4]);

// Widens by 1 % of the half-extent per pixel of dx and heightens per pixel of
// upward movement, each axis about its own mean (one pixel changes the
// extent by 1 / ScalePixels of itself). There is no size limit, only
// a step that would take a corner ten million pixels out is not made.
constexpr float ScalePixels = 100;
void ScaleCorners(TLayerCorner corners[4], float dx, float dy);

// Shifts every corner by (dx, dy) canvas pixels.
void MoveCorners(TLayerCorner corners[4], float dx, float dy);

// The mirror images of the grabbed corners about the centre's vertical
// (FlipVertical) or horizontal (FlipHorizontal) line; U and V stay.
void FlipCornersAcross(const TLayerCorner grabbed[4], float centreX, TLayerCorner corners[4]);
void FlipCornersAlong(const TLayerCorner grabbed[4], float centreY, TLayerCorner corners[4]);

// Blend: moving up by one pixel raises the opacity by one, within
// MinBlendAlpha..MaxBlendAlpha: a tattoo never fades out of sight.
constexpr uint8_t MinBlendAlpha = 50;
constexpr uint8_t MaxBlendAlpha = 255;
uint8_t BlendedAlpha(uint8_t alpha, float dy);

// Turns every visible layer a quarter turn with the photo: clockwise when
// `clockwise`, counter-clockwise otherwise. `shownWidth` and `shownHeight` are
// the photo's shown size after the turn.
void TurnLayers(bool clockwise, int32_t shownWidth, int32_t shownHeight);
