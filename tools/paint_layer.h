#pragma once

#include <cstdint>

#include "scene/scene_state.h"

// Brush and eraser strokes on the paint layer. ox and oy are the pointer's
// offsets from the zoomed photo's top-left corner, in canvas pixels. A stroke
// whose centre is off the photo changes nothing.
void PaintAt(int32_t ox, int32_t oy);
void EraseAt(int32_t ox, int32_t oy);

// Maps a pixel of the photo as shown (zoom 1, after its quarter turns) to the
// pixel of the photo's own grid that is drawn there.
void ViewToImage(int32_t& x, int32_t& y);

// Maps a point between pixels (a pixel corner, as the selection outline's
// points are) of the photo as shown to the photo's own grid. A quarter turn
// carries corner x of the shown photo to corner H - x, where pixel x lands
// on pixel H - 1 - x.
void ViewPointToImage(int32_t& x, int32_t& y);

// The paint tile (1..20) whose pixels the stamp being applied is relative to.
extern int32_t StampTileX, StampTileY;

// A stamp centred closer than this to a tile edge may reach the neighbouring
// tile, which must then be sent to the GL again too.
constexpr int32_t TileMargin = 63;

// Applies the stamp centred at local pixel (lx, ly) of paint tile (column,
// row); pixels beyond the tile table are skipped.
void StampBrush(const BrushStamp& stamp, int32_t column, int32_t row, int32_t lx, int32_t ly);
void StampEraser(const BrushStamp& stamp, int32_t column, int32_t row, int32_t lx, int32_t ly);

// Change one paint pixel with strength 0..255. x and y are relative to the
// stamp tile and may lie up to one tile outside it. Unselected pixels stay.
void BrushPixel(int32_t x, int32_t y, int32_t strength);
void ErasePixel(int32_t x, int32_t y, int32_t strength);

// Asks the renderer to send the tile's pixels again; places off the table
// are ignored.
void MarkTileDirty(int32_t column, int32_t row);

// Closes an open selection polygon, then gives every selected paint pixel the
// paint colour at full opacity.
void FillSelection();
