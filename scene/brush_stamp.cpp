#include "scene/brush_stamp.h"

#include <algorithm>
#include <cmath>

// The stamp the circle routines draw into while BuildBrushStamp runs.
static BrushStamp* Target = nullptr;

void InitBrushStamp(BrushStamp& stamp) {
    stamp.Width = 128;
    stamp.Height = 128;
    stamp.Data.assign(128 * 128, 0);
}

void PlotStampPixel(int32_t x, int32_t y, int32_t value) {
    value = std::min(value, 255);
    // Integer division truncates toward zero, which is the halving we want.
    x /= 2;
    y /= 2;
    if (x < 0 || y < 0 || x >= Target->Width || y >= Target->Height) return;
    Target->Data[y * Target->Width + x] = static_cast<uint8_t>(value);
}

void DrawStampCircle(int32_t cx, int32_t cy, int32_t r, int32_t value) {
    int32_t x = 0, y = r, d = 3 - 2 * r;
    while (true) {
        PlotStampPixel(cx + x, cy + y, value);
        PlotStampPixel(cx - x, cy + y, value);
        PlotStampPixel(cx + x, cy - y, value);
        PlotStampPixel(cx - x, cy - y, value);
        PlotStampPixel(cx + y, cy + x, value);
        PlotStampPixel(cx - y, cy + x, value);
        PlotStampPixel(cx + y, cy - x, value);
        PlotStampPixel(cx - y, cy - x, value);
        ++x;
        if (d <= 0) {
            d += 4 * x + 6;
        } else if (y != x - 1) {
            --y;
            d += 4 * (x - y) + 10;
        }
        if (y == x - 1) return;
    }
}

void BuildBrushStamp(BrushStamp& stamp, int32_t outer, int32_t soft) {
    Target = &stamp;
    std::fill(stamp.Data.begin(), stamp.Data.end(), 0);
    const int32_t core = 2 * outer - 2 * soft;
    for (int32_t r = 0; r <= core; ++r)
        DrawStampCircle(128, 128, r, 255);
    for (int32_t r = core + 1; r <= 2 * outer; ++r) {
        // nearbyint rounds halves to even under the default rounding mode.
        double strength = static_cast<double>(2 * outer - r) / (2.0 * soft) * 255.0;
        DrawStampCircle(128, 128, r, static_cast<int32_t>(std::nearbyint(strength)));
    }
    Target = nullptr;
}
