#include "scene/selection_mask.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "scene/scene_state.h"

static void FillMask(uint8_t value) {
    for (int c = 1; c <= PaintTileCount; ++c)
        for (int r = 1; r <= PaintTileCount; ++r)
            std::memset(SelectionMask[c][r].Data, value, MaskTileBytes);
}

void ClearSelectionMask() {
    FillMask(0);
}

void SelectWholeMask() {
    FillMask(255);
}

uint8_t& MaskByte(int32_t x, int32_t y) {
    return SelectionMask[x / PaintTileSize + 1][y / PaintTileSize + 1]
        .Data[(y % PaintTileSize) * PaintTileSize + x % PaintTileSize];
}

// Toggles columns from `from` to the image's right border on one row, one
// tile's stretch of the row at a time so the inner loop is a plain run.
static void ToggleRowFrom(int32_t from, int32_t y) {
    const int32_t limit = PaintTileSize * PaintTileCount;
    if (y < 0 || y >= ImageHeight || y >= limit) return;
    const int32_t end = std::min(ImageWidth, limit);
    const int32_t row = y / PaintTileSize + 1;
    const int32_t offset = (y % PaintTileSize) * PaintTileSize;
    for (int32_t x = std::max(from, 0); x < end;) {
        const int32_t column = x / PaintTileSize;
        const int32_t stop = std::min(end, (column + 1) * PaintTileSize);
        uint8_t* bytes = SelectionMask[column + 1][row].Data + offset;
        for (int32_t i = x % PaintTileSize, n = i + stop - x; i < n; ++i)
            bytes[i] = bytes[i] == 0 ? 255 : 0;
        x = stop;
    }
}

void ToggleSelectionEdge(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const int32_t n = std::abs(y1 - y2);
    if (n < 1) return;
    const bool secondFirst = y2 < y1;
    const int32_t startX = secondFirst ? x2 : x1;
    const int32_t startY = secondFirst ? y2 : y1;
    const int32_t endX = secondFirst ? x1 : x2;
    const double step = static_cast<double>(endX - startX) / n;
    double fx = startX;
    for (int32_t i = 0; i < n; ++i) {
        ToggleRowFrom(static_cast<int32_t>(std::trunc(fx)), startY + i);
        fx += step;
    }
}

void CloseSelection() {
    if (SelectionClosed) return;
    if (SelectionLast == 0) {
        ToolMode = Tool::SelectionDone;
        SelectionClosed = true;
        SelectWholeMask();
        return;
    }
    SelectionPoints[SelectionLast] = SelectionPoints[0];
    ToggleSelectionEdge(SelectionPoints[SelectionLast - 1].X, SelectionPoints[SelectionLast - 1].Y,
                        SelectionPoints[SelectionLast].X, SelectionPoints[SelectionLast].Y);
    ToolMode = Tool::SelectionDone;
    SelectionClosed = true;
}
