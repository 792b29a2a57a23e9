#pragma once

#include <cstdint>

// Brush and eraser strokes on the paint layer. ox and oy are the pointer's
// offsets from the zoomed photo's top-left corner, in canvas pixels.
void PaintAt(int32_t ox, int32_t oy);
void EraseAt(int32_t ox, int32_t oy);

// The open selection polygon's last point follows the pointer (its previous
// position, MouseX and MouseY).
void MoveSelectionPoint();

// The button went up in the Select tool: fixes the polygon's current point,
// or closes the polygon when the point is back near the first one.
void FixSelectionPoint();

// Builds the brush stamp from the brush-size text when it changed since the
// stamp was last built.
void ApplyPendingBrushSize();
