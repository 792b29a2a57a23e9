#include "tools/paint_layer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "scene/history.h"
#include "scene/scene_changes.h"
#include "scene/selection_mask.h"
#include "tools/paint_color.h"

int32_t StampTileX = 0, StampTileY = 0;

namespace {

// A strength or opacity at its full.
constexpr int32_t FullStrength = 255;

// Brings one coordinate relative to the stamp tile into that tile or its
// neighbour. False when it lies further out than one tile, or the tile is off
// the table.
inline bool WrapIntoTile(int32_t& local, int32_t& tile) {
    if (local < 0) {
        local += PaintTileSize;
        --tile;
    } else if (local >= PaintTileSize) {
        local -= PaintTileSize;
        ++tile;
    }
    return local >= 0 && local < PaintTileSize && tile >= 1 && tile <= PaintTileCount;
}

// The paint pixel at (x, y) relative to the stamp tile if it may change: it
// lies on the table and is selected. Null otherwise.
inline uint8_t* SelectedPaintPixel(int32_t x, int32_t y) {
    int32_t e = StampTileX;
    int32_t h = StampTileY;
    if (!WrapIntoTile(x, e) || !WrapIntoTile(y, h)) return nullptr;
    const int32_t place = y * PaintTileSize + x;
    if (SelectionMask[e][h].Data[place] == 0) return nullptr;
    return PaintPixels[e][h].Data + place * 4;
}

// Full strength and bare pixels take the colour outright; otherwise the new
// colour mixes in by strength and opacity builds up stroke by stroke.
inline void BrushInto(uint8_t* p, int32_t d) {
    const TPaintColor c = PaintColor;
    if (d >= FullStrength || p[3] == 0) {
        p[0] = c.R;
        p[1] = c.G;
        p[2] = c.B;
        p[3] = static_cast<uint8_t>(std::min(d, FullStrength));
        return;
    }
    const int32_t keep = FullStrength - d;
    p[0] = static_cast<uint8_t>((keep * p[0] + d * c.R) / FullStrength);
    p[1] = static_cast<uint8_t>((keep * p[1] + d * c.G) / FullStrength);
    p[2] = static_cast<uint8_t>((keep * p[2] + d * c.B) / FullStrength);
    p[3] = static_cast<uint8_t>(std::min(p[3] + d, FullStrength));
}

// Only the opacity fades; the colour bytes stay for a later stroke to mix.
inline void EraseInto(uint8_t* p, int32_t d) {
    p[3] = d >= FullStrength ? 0 : static_cast<uint8_t>(p[3] * (FullStrength - d) / FullStrength);
}

// Which tile, counted from the stamp tile, local x lies in: -1 left of it,
// 0 within, 1 right of it (further out is skipped like the table's border).
inline int32_t TileStep(int32_t x) {
    return x < 0 ? -((PaintTileSize - 1 - x) / PaintTileSize) : x / PaintTileSize;
}

// One stamp row's stretch [i, end) that lies within a single tile: a plain
// run over the stamp values, the mask row and the pixel row.
template <void (*Apply)(uint8_t*, int32_t)>
void StampRun(const uint8_t* values, int32_t i, int32_t end, int32_t x, int32_t e, int32_t y,
              int32_t h) {
    const int32_t place = y * PaintTileSize + x;
    const uint8_t* mask = SelectionMask[e][h].Data + place;
    uint8_t* pixels = PaintPixels[e][h].Data + place * 4;
    for (int32_t n = 0; n < end - i; ++n) {
        const int32_t v = values[i + n];
        if (v != 0 && mask[n] != 0) Apply(pixels + n * 4, v);
    }
}

// Every pixel goes as BrushPixel (or ErasePixel) would take it, but each
// row is split into its stretches per tile so the tile is looked up once per
// stretch rather than once per pixel.
template <void (*Apply)(uint8_t*, int32_t)>
void Stamp(const BrushStamp& stamp, int32_t column, int32_t row, int32_t lx, int32_t ly) {
    StampTileX = column;
    StampTileY = row;
    const int32_t left = lx - stamp.Width / 2;
    for (int32_t j = 0; j < stamp.Height; ++j) {
        int32_t y = j - stamp.Height / 2 + ly;
        int32_t h = row;
        if (!WrapIntoTile(y, h)) continue;
        const uint8_t* values = stamp.Data.data() + j * stamp.Width;
        for (int32_t i = 0; i < stamp.Width;) {
            const int32_t step = TileStep(left + i);
            const int32_t end = std::min(stamp.Width, (step + 1) * PaintTileSize - left);
            const int32_t e = column + step;
            if (step >= -1 && step <= 1 && e >= 1 && e <= PaintTileCount)
                StampRun<Apply>(values, i, end, left + i - step * PaintTileSize, e, y, h);
            i = end;
        }
    }
}

using TileAction = void (*)(int32_t column, int32_t row);

// Acts on the stamp's tile and those of its eight neighbours that a stamp
// centred at (lx, ly) may reach. The largest brush reaches 63 pixels to
// either side, so a centre 63 pixels before the far edge (lx 65) already
// touches the next tile's first column.
void ForStampTiles(int32_t c, int32_t r, int32_t lx, int32_t ly, TileAction act) {
    const bool up = ly < TileMargin;
    const bool down = ly + TileMargin >= PaintTileSize;
    act(c, r);
    if (lx < TileMargin) {
        act(c - 1, r);
        if (up) act(c - 1, r - 1);
        if (down) act(c - 1, r + 1);
    }
    if (up) act(c, r - 1);
    if (down) act(c, r + 1);
    if (lx + TileMargin >= PaintTileSize) {
        act(c + 1, r);
        if (up) act(c + 1, r - 1);
        if (down) act(c + 1, r + 1);
    }
}

// Nearest integer, halves to the even neighbour (the default rounding mode).
int32_t RoundHalfEven(double value) {
    return static_cast<int32_t>(std::nearbyint(value));
}

using StampFunction = void (*)(const BrushStamp&, int32_t, int32_t, int32_t, int32_t);

void StampAtPointer(int32_t ox, int32_t oy, StampFunction stamp) {
    int32_t x = RoundHalfEven(ox / static_cast<double>(Zoom));
    int32_t y = RoundHalfEven(oy / static_cast<double>(Zoom));
    ViewToImage(x, y);
    if (x < 0 || y < 0 || x >= ImageWidth || y >= ImageHeight) return;
    const int32_t c = x / PaintTileSize + 1;
    const int32_t r = y / PaintTileSize + 1;
    const int32_t lx = x % PaintTileSize;
    const int32_t ly = y % PaintTileSize;
    // The stroke's step keeps the tiles as they were before their first stamp.
    ForStampTiles(c, r, lx, ly, NotePaintTile);
    stamp(Brush, c, r, lx, ly);
    ForStampTiles(c, r, lx, ly, MarkTileDirty);
}

} // namespace

void PaintAt(int32_t ox, int32_t oy) {
    StampAtPointer(ox, oy, StampBrush);
}

void EraseAt(int32_t ox, int32_t oy) {
    StampAtPointer(ox, oy, StampEraser);
}

namespace {

// The turn back from the shown photo to the photo's own grid. `far` is the
// coordinate of the far edge: the extent itself for points between pixels,
// one less for pixels, which are counted from their near side.
void TurnBack(int32_t& x, int32_t& y, int32_t farX, int32_t farY) {
    const int32_t shownX = x;
    const int32_t shownY = y;
    switch ((QuarterTurns % 4 + 4) % 4) {
    case 1:
        x = shownY;
        y = farY - shownX;
        break;
    case 2:
        x = farX - shownX;
        y = farY - shownY;
        break;
    case 3:
        x = farX - shownY;
        y = shownX;
        break;
    default:
        break;
    }
}

} // namespace

void ViewToImage(int32_t& x, int32_t& y) {
    TurnBack(x, y, ImageWidth - 1, ImageHeight - 1);
}

void ViewPointToImage(int32_t& x, int32_t& y) {
    TurnBack(x, y, ImageWidth, ImageHeight);
}

void StampBrush(const BrushStamp& stamp, int32_t column, int32_t row, int32_t lx, int32_t ly) {
    Stamp<BrushInto>(stamp, column, row, lx, ly);
}

void StampEraser(const BrushStamp& stamp, int32_t column, int32_t row, int32_t lx, int32_t ly) {
    Stamp<EraseInto>(stamp, column, row, lx, ly);
}

// A strength of 0 or less changes nothing (the stamp never passes one).
void BrushPixel(int32_t x, int32_t y, int32_t strength) {
    if (strength <= 0) return;
    if (uint8_t* p = SelectedPaintPixel(x, y)) BrushInto(p, strength);
}

void ErasePixel(int32_t x, int32_t y, int32_t strength) {
    if (strength <= 0) return;
    if (uint8_t* p = SelectedPaintPixel(x, y)) EraseInto(p, strength);
}

void MarkTileDirty(int32_t column, int32_t row) {
    if (column < 1 || column > PaintTileCount || row < 1 || row > PaintTileCount) return;
    PaintTiles[column][row].Dirty = true;
    ++PaintEditCount;
}

void FillSelection() {
    BeginStep(StepKind::Fill, StepPart::Paint | StepPart::Selection);
    CloseSelection();
    ++PaintEditCount;
    const TPaintColor c = PaintColor;
    const uint8_t rgba[4] = {c.R, c.G, c.B, FullStrength};
    uint32_t colour;
    std::memcpy(&colour, rgba, sizeof colour);
    for (int32_t column = 1; column <= PaintTileCount; ++column)
        for (int32_t row = 1; row <= PaintTileCount; ++row) {
            const uint8_t* mask = SelectionMask[column][row].Data;
            uint8_t* pixels = PaintPixels[column][row].Data;
            // Whole pixels at a time, so the loop runs as vector blends.
            for (int32_t k = 0; k < MaskTileBytes; ++k) {
                uint32_t pixel;
                std::memcpy(&pixel, pixels + k * 4, sizeof pixel);
                pixel = mask[k] != 0 ? colour : pixel;
                std::memcpy(pixels + k * 4, &pixel, sizeof pixel);
            }
            PaintTiles[column][row].Dirty = true;
        }
    EndStep();
}
