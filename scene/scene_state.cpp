#include "scene/scene_state.h"

#include <algorithm>
#include <cstring>

#include "scene/history.h"
#include "scene/shading_map.h"

std::vector<TTattooLayer> Layers;
int32_t LastLayer = -1;
int32_t HoverLayer = -1;
int32_t HoverCorner = 0;

uint8_t ToolMode = Tool::Move;

float Zoom = 1.0f;
int32_t QuarterTurns = 0;
int32_t ImageWidth = 0, ImageHeight = 0;
int32_t PhotoWidth = 0, PhotoHeight = 0;
int32_t PanX = 0, PanY = 0;
float CenterX = 0, CenterY = 0;
int32_t OverflowX = 0, OverflowY = 0;

int32_t MouseX = 0, MouseY = 0;
bool MouseInCanvas = false;
bool MouseHeld = false;

int32_t ViewWidth = 0, ViewHeight = 0;

TextureName PhotoTiles[PhotoTileCount][PhotoTileCount];
TileTable<TPaintTile> PaintTiles;
TileTable<TPaintPixelBlock> PaintPixels;
TileTable<TMaskBlock> SelectionMask;

TSelectionPoint SelectionPoints[SelectionCapacity];
int32_t SelectionLast = 0;
bool SelectionClosed = true;

BrushStamp Brush;

bool Capturing = false;

bool InkLookForNew = false;
bool ClipToSelection = false;

int AddLayer() {
    ++LastLayer;
    Layers.resize(LastLayer + 1);
    Layers[LastLayer] = TTattooLayer{};
    return LastLayer;
}

void DeleteLayer(int k) {
    if (k < 0 || k > LastLayer) return;
    std::move(Layers.begin() + k + 1, Layers.begin() + LastLayer + 1, Layers.begin() + k);
    --LastLayer;
}

void ResetSceneState() {
    Layers.clear();
    LastLayer = -1;
    HoverLayer = -1;
    HoverCorner = 0;
    ToolMode = Tool::Move;
    Zoom = 1.0f;
    QuarterTurns = 0;
    ImageWidth = ImageHeight = PhotoWidth = PhotoHeight = 0;
    PanX = PanY = 0;
    CenterX = CenterY = 0;
    OverflowX = OverflowY = 0;
    MouseX = MouseY = 0;
    MouseInCanvas = MouseHeld = false;
    ViewWidth = ViewHeight = 0;
    std::memset(PhotoTiles, 0, sizeof PhotoTiles);
    for (int c = 1; c <= PaintTileCount; ++c)
        for (int r = 1; r <= PaintTileCount; ++r)
            PaintTiles[c][r] = TPaintTile{};
    std::memset(&PaintPixels, 0, sizeof PaintPixels);
    std::memset(&SelectionMask, 0, sizeof SelectionMask);
    std::fill(std::begin(SelectionPoints), std::end(SelectionPoints), TSelectionPoint{});
    SelectionLast = 0;
    SelectionClosed = true;
    Brush = BrushStamp{};
    Capturing = false;
    InkLookForNew = false;
    ClipToSelection = false;
    PhotoShading = ShadingMap{};
    ClearHistory();
    CurrentPhoto = Picture{};
}
