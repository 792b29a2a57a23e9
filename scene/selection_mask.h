#pragma once

#include <cstdint>

// The selection mask lives in image space, in 128 x 128 blocks like the paint
// layer: 0 is not selected, 255 selected.
void ClearSelectionMask();
void SelectWholeMask();

// Adds one polygon edge by even-odd toggling of every mask byte from the edge
// to the right border of the image. Rows and columns outside the image are
// skipped.
void ToggleSelectionEdge(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// Finishes an open selection polygon (or selects everything when no edge was
// ever fixed) and enters the SelectionDone tool.
void CloseSelection();

// The mask byte of image pixel (x, y); the pixel must lie inside the tables.
uint8_t& MaskByte(int32_t x, int32_t y);
