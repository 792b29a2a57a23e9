#pragma once

#include <cstdint>

#include "scene/scene_state.h"

// Makes the stamp 128 x 128 with every strength 0.
void InitBrushStamp(BrushStamp& stamp);

// Fills the stamp with a round brush of radius `outer` whose outermost `soft`
// pixels fade out. Drawn at double resolution, centred on pixel (64, 64).
void BuildBrushStamp(BrushStamp& stamp, int32_t outer, int32_t soft);

// Midpoint circle in half-pixel units on the stamp being built.
void DrawStampCircle(int32_t cx, int32_t cy, int32_t r, int32_t value);
void PlotStampPixel(int32_t x, int32_t y, int32_t value);
