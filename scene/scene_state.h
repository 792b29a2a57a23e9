#pragma once

// The editor's whole scene, kept as plain shared state: every handler reads
// and writes it directly, and the next frame shows whatever is stored here.

#include <cstdint>
#include <vector>

#include "scene/indexed_array.h"

using TextureName = uint32_t;

struct TLayerCorner {
    float X = 0; // layer space
    float Y = 0;
    float U = 0; // texture coordinates, 0..1 across the tattoo picture
    float V = 0;
};

struct TTattooLayer {
    bool Visible = false;
    TextureName Texture = 0; // shared with every layer of the same design
    int32_t Group = 0;
    int32_t Item = 0;
    uint8_t Alpha = 0;
    TLayerCorner Corners[4]{};
    // Drawn as ink in the skin (a fine mesh bent by the photo's shading,
    // multiplied into the photo) rather than as a picture over it.
    bool InkLook = false;
};

// Tool codes stored in ToolMode.
namespace Tool {
constexpr uint8_t Move = 0;
constexpr uint8_t Rotate = 1;
constexpr uint8_t Scale = 2;
constexpr uint8_t MovePoints = 3;
constexpr uint8_t Delete = 4;
constexpr uint8_t FlipVertical = 5;
constexpr uint8_t FlipHorizontal = 6;
constexpr uint8_t Blend = 7;
constexpr uint8_t PhotoMove = 8;
constexpr uint8_t PhotoZoom = 9;
constexpr uint8_t Paint = 10;
constexpr uint8_t Erase = 11;
constexpr uint8_t Select = 12;
constexpr uint8_t SelectionDone = 100;
} // namespace Tool

// Layers
extern std::vector<TTattooLayer> Layers;
extern int32_t LastLayer;
extern int32_t HoverLayer;
extern int32_t HoverCorner; // 1..4 for corners 0..3

extern uint8_t ToolMode;

// PhotoView
extern float Zoom;
extern int32_t QuarterTurns;
extern int32_t ImageWidth, ImageHeight;
extern int32_t PhotoWidth, PhotoHeight;
extern int32_t PanX, PanY;
extern float CenterX, CenterY;
extern int32_t OverflowX, OverflowY;

// Pointer
extern int32_t MouseX, MouseY;
extern bool MouseInCanvas;
extern bool MouseHeld;

// The canvas panel's size in logical pixels; the projection always uses it,
// whatever the screen's pixel density.
constexpr int CanvasWidth = 427;
constexpr int CanvasHeight = 516;

// Canvas size given to the projection; also the culling bounds.
extern int32_t ViewWidth, ViewHeight;

// Photo and paint storage.
constexpr int PhotoTileSize = 512;
constexpr int PhotoTileCount = 5;
constexpr int PaintTileSize = 128;
constexpr int PaintTileCount = 20;
constexpr int PaintTileBytes = PaintTileSize * PaintTileSize * 4;
constexpr int MaskTileBytes = PaintTileSize * PaintTileSize;

struct TPaintTile {
    TextureName Texture = 0;
    bool Dirty = false;
};
struct TPaintPixelBlock {
    uint8_t Data[PaintTileBytes]; // R, G, B, A; row-major, top row first
};
struct TMaskBlock {
    uint8_t Data[MaskTileBytes]; // 0 not selected, 255 selected
};

template <class T> using TileTable = IndexedArray<IndexedArray<T, 1, 20>, 1, 20>;

extern TextureName PhotoTiles[PhotoTileCount][PhotoTileCount]; // [column][row]
extern TileTable<TPaintTile> PaintTiles;                       // [column][row], 1..20
extern TileTable<TPaintPixelBlock> PaintPixels;
extern TileTable<TMaskBlock> SelectionMask;

// Selection polygon, image space.
struct TSelectionPoint {
    int32_t X = 0;
    int32_t Y = 0;
};
constexpr int SelectionCapacity = 1001;
extern TSelectionPoint SelectionPoints[SelectionCapacity];
extern int32_t SelectionLast;
extern bool SelectionClosed;

struct BrushStamp {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint8_t> Data; // row-major strengths 0..255
};
extern BrushStamp Brush;

// A clean frame of the composed picture is wanted (no cursor, no marks).
extern bool Capturing;

// The ink look of tattoos placed from now on.
extern bool InkLookForNew;
// Every tattoo is hidden outside a closed selection polygon.
extern bool ClipToSelection;

// Appends a zero-filled layer and returns its index.
int AddLayer();
// Removes layer k, moving the later ones down; the storage is not shrunk.
void DeleteLayer(int k);

// Puts every value above back to its initial value (for tests).
void ResetSceneState();
