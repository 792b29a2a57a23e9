#include "tools/tattoo_tools.h"

#include <algorithm>
#include <cmath>
#include <numbers>

TLayerCorner GrabCorners[4];
float GrabAngle = 0;

ZoomedPoint ZoomedPointer(int32_t canvasX, int32_t canvasY) {
    return {canvasX + PanX - CenterX, canvasY + PanY - CenterY};
}

namespace {

// How far the centre is raised when the pointer lies level with it.
constexpr float LevelNudge = 0.001f;

} // namespace

GrabCentre CentreFor(const TLayerCorner corners[4], ZoomedPoint pointer) {
    GrabCentre centre{(corners[0].X + corners[1].X + corners[2].X + corners[3].X) / 4,
                      (corners[0].Y + corners[1].Y + corners[2].Y + corners[3].Y) / 4};
    if (pointer.Y == centre.Y * Zoom) centre.Y += LevelNudge;
    return centre;
}

float PointerAngle(GrabCentre centre, ZoomedPoint pointer) {
    const float zx = centre.X * Zoom;
    const float zy = centre.Y * Zoom;
    // Far from the origin the 0.001 rule can be lost to rounding; a pointer
    // exactly on the centre then has no angle, and 0 keeps the corners finite.
    const float across = zx - pointer.X;
    const float down = pointer.Y - zy;
    float angle = across == 0 && down == 0 ? 0.0f : std::atan(across / down);
    if (!(zy > pointer.Y)) angle += std::numbers::pi_v<float>;
    return angle;
}

void RotateCorners(const TLayerCorner grabbed[4], GrabCentre centre, float angle,
                   TLayerCorner corners[4]) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    for (int k = 0; k < 4; ++k) {
        const float gx = grabbed[k].X - centre.X;
        const float gy = grabbed[k].Y - centre.Y;
        corners[k].X = centre.X + c * gx - s * gy;
        corners[k].Y = centre.Y + s * gx + c * gy;
    }
}

namespace {

// Far beyond any photo (2048 pixels at most) at any zoom. Widening has no
// set limit, but a step that would carry a corner past this is not taken:
// endless widening would otherwise overflow the corners into infinities and
// then NaN, and a layer like that can never be drawn or picked again.
constexpr float MaxCornerReach = 1e7f;

void ScaleAxis(float TLayerCorner::*axis, TLayerCorner corners[4], float factor) {
    const float mean =
        (corners[0].*axis + corners[1].*axis + corners[2].*axis + corners[3].*axis) / 4;
    float scaled[4];
    const bool widens = std::fabs(1 + factor) > 1;
    for (int k = 0; k < 4; ++k) {
        scaled[k] = corners[k].*axis + (corners[k].*axis - mean) * factor;
        if (!std::isfinite(scaled[k]) || (widens && std::fabs(scaled[k]) > MaxCornerReach)) return;
    }
    for (int k = 0; k < 4; ++k)
        corners[k].*axis = scaled[k];
}

} // namespace

void ScaleCorners(TLayerCorner corners[4], float dx, float dy) {
    ScaleAxis(&TLayerCorner::X, corners, dx / ScalePixels);
    ScaleAxis(&TLayerCorner::Y, corners, -dy / ScalePixels);
}

void MoveCorners(TLayerCorner corners[4], float dx, float dy) {
    for (int k = 0; k < 4; ++k) {
        corners[k].X += dx / Zoom;
        corners[k].Y += dy / Zoom;
    }
}

void FlipCornersAcross(const TLayerCorner grabbed[4], float centreX, TLayerCorner corners[4]) {
    for (int k = 0; k < 4; ++k)
        corners[k].X = 2 * centreX - grabbed[k].X;
}

void FlipCornersAlong(const TLayerCorner grabbed[4], float centreY, TLayerCorner corners[4]) {
    for (int k = 0; k < 4; ++k)
        corners[k].Y = 2 * centreY - grabbed[k].Y;
}

uint8_t BlendedAlpha(uint8_t alpha, float dy) {
    const float v = alpha - dy;
    if (v > MaxBlendAlpha) return MaxBlendAlpha;
    if (v < MinBlendAlpha) return MinBlendAlpha;
    return static_cast<uint8_t>(std::trunc(v));
}

namespace {

// The quarter turn's sine and cosine as single-precision values, so the
// turned corners carry the same tiny rounding as the photo's own turn.
void TurnLayer(TTattooLayer& layer, bool clockwise, int32_t shownWidth, int32_t shownHeight) {
    const float quarter = (clockwise ? 1 : -1) * std::numbers::pi_v<float> / 2;
    const float s = std::sin(quarter);
    const float c = std::cos(quarter);
    TLayerCorner grabbed[4];
    std::copy(std::begin(layer.Corners), std::end(layer.Corners), grabbed);
    const GrabCentre centre{(grabbed[0].X + grabbed[1].X + grabbed[2].X + grabbed[3].X) / 4,
                            (grabbed[0].Y + grabbed[1].Y + grabbed[2].Y + grabbed[3].Y) / 4};
    // The turn about the layer's centre, then the centre itself carried to
    // its place on the turned photo.
    const float toX = clockwise ? shownWidth - centre.Y : centre.Y;
    const float toY = clockwise ? centre.X : shownHeight - centre.X;
    for (int k = 0; k < 4; ++k) {
        const float gx = grabbed[k].X - centre.X;
        const float gy = grabbed[k].Y - centre.Y;
        layer.Corners[k].X = gx * c - gy * s + toX;
        layer.Corners[k].Y = gx * s + gy * c + toY;
    }
}

} // namespace

void TurnLayers(bool clockwise, int32_t shownWidth, int32_t shownHeight) {
    const int last = std::min<int>(LastLayer, static_cast<int>(Layers.size()) - 1);
    for (int i = 0; i <= last; ++i)
        if (Layers[i].Visible) TurnLayer(Layers[i], clockwise, shownWidth, shownHeight);
}
