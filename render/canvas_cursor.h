#pragma once

#include <cstdint>
#include <optional>

#include "scene/scene_state.h"

// The cursor pictures drawn at the pointer, in the order the main window
// makes their textures; each index is named after its picture resource.
enum CursorIndex : int {
    CURSOR_NORMAL,
    CURSOR_MOVE,
    CURSOR_SCALE,
    CURSOR_DELETE,
    CURSOR_FLIP_H,
    CURSOR_FLIP_V,
    CURSOR_ALPHA,
    CURSOR_ZOOM,
    CURSOR_MOVE_F,
    CURSOR_CLEAR,
    CURSOR_SELECT,
    CURSOR_PAINT,
    CURSOR_MOVE_P,
    CURSOR_ROTATE,
    CursorCount
};

// The resource name of each cursor picture, indexed by CursorIndex.
extern const char* const CursorResourceNames[CursorCount];

// Filled by the main window while it is created.
extern TextureName CursorTextures[CursorCount];
extern TextureName BackgroundTexture;

constexpr float CursorSize = 25;

// The cursor of a tool code 0..12. The FlipVertical tool shows the picture
// named FLIP_H and FlipHorizontal the one named FLIP_V.
CursorIndex ToolCursor(uint8_t tool);

// Which cursor to draw and where its centre goes. The tool cursors have their
// top-left corner at the pointer; the normal cursor sits 4 pixels up and left
// of it. Nothing is drawn for a layer held in a mode without a tool cursor.
struct CursorPlacement {
    CursorIndex Index = CURSOR_NORMAL;
    float X = 0;
    float Y = 0;
};
std::optional<CursorPlacement> ChooseCursor(uint8_t tool, int32_t hoverLayer, int32_t mouseX,
                                            int32_t mouseY);
