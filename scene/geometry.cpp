#include "scene/geometry.h"

#include <algorithm>

float SignedArea2(float x1, float y1, float x2, float y2, float x3, float y3) {
    return x1 * (y2 - y3) + x2 * (y3 - y1) + x3 * (y1 - y2);
}

static int Sign(float value) {
    return value > 0 ? 1 : (value < 0 ? -1 : 0);
}

namespace {

// A triangle whose corners lie on one line (or on one point) has no inside:
// the side tests below would accept every point of the whole line through
// it. It holds only the points of the line between its corners.
bool PointOnFlatTriangle(float px, float py, float ax, float ay, float bx, float by, float cx,
                         float cy) {
    if (SignedArea2(ax, ay, bx, by, px, py) != 0 || SignedArea2(bx, by, cx, cy, px, py) != 0 ||
        SignedArea2(cx, cy, ax, ay, px, py) != 0)
        return false;
    return px >= std::min({ax, bx, cx}) && px <= std::max({ax, bx, cx}) &&
           py >= std::min({ay, by, cy}) && py <= std::max({ay, by, cy});
}

} // namespace

// The point and the opposite vertex must lie on the same side of each edge.
bool PointInTriangle(float px, float py, float ax, float ay, float bx, float by, float cx,
                     float cy) {
    if (SignedArea2(ax, ay, bx, by, cx, cy) == 0)
        return PointOnFlatTriangle(px, py, ax, ay, bx, by, cx, cy);
    if (Sign(SignedArea2(ax, ay, bx, by, px, py)) != Sign(SignedArea2(ax, ay, bx, by, cx, cy)))
        return false;
    if (Sign(SignedArea2(bx, by, cx, cy, px, py)) != Sign(SignedArea2(bx, by, cx, cy, ax, ay)))
        return false;
    return Sign(SignedArea2(cx, cy, ax, ay, px, py)) == Sign(SignedArea2(cx, cy, ax, ay, bx, by));
}

bool PointInQuad(const TLayerCorner corners[4], float px, float py) {
    float x[4], y[4];
    for (int k = 0; k < 4; ++k) {
        x[k] = corners[k].X * Zoom;
        y[k] = corners[k].Y * Zoom;
    }
    return PointInTriangle(px, py, x[0], y[0], x[1], y[1], x[2], y[2]) ||
           PointInTriangle(px, py, x[3], y[3], x[0], y[0], x[2], y[2]);
}

int32_t TopLayerAt(float px, float py) {
    const int32_t last = std::min<int32_t>(LastLayer, static_cast<int32_t>(Layers.size()) - 1);
    for (int32_t i = last; i >= 0; --i)
        if (Layers[i].Visible && PointInQuad(Layers[i].Corners, px, py)) return i;
    return -1;
}

float FitZoom(int32_t photoWidth, int32_t photoHeight, int32_t viewWidth, int32_t viewHeight) {
    const double across = double(viewWidth) / photoWidth;
    const double down = double(viewHeight) / photoHeight;
    return float(down < across ? down : across);
}

float CenteringOffset(int32_t overflow, int32_t view, int32_t shown, float zoom) {
    return overflow != 0 ? 0.0f : (view - shown * zoom) / 2;
}
