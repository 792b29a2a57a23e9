#include "render/canvas_cursor.h"

const char* const CursorResourceNames[CursorCount] = {
    "CURSOR_NORMAL", "CURSOR_MOVE",  "CURSOR_SCALE",  "CURSOR_DELETE", "CURSOR_FLIP_H",
    "CURSOR_FLIP_V", "CURSOR_ALPHA", "CURSOR_ZOOM",   "CURSOR_MOVE_F", "CURSOR_CLEAR",
    "CURSOR_SELECT", "CURSOR_PAINT", "CURSOR_MOVE_P", "CURSOR_ROTATE"};

TextureName CursorTextures[CursorCount] = {};
TextureName BackgroundTexture = 0;

CursorIndex ToolCursor(uint8_t tool) {
    static constexpr CursorIndex byTool[] = {
        CURSOR_MOVE,   CURSOR_ROTATE, CURSOR_SCALE, CURSOR_MOVE_P, CURSOR_DELETE,
        CURSOR_FLIP_H, CURSOR_FLIP_V, CURSOR_ALPHA, CURSOR_MOVE_F, CURSOR_ZOOM,
        CURSOR_PAINT,  CURSOR_CLEAR,  CURSOR_SELECT};
    return tool <= Tool::Select ? byTool[tool] : CURSOR_NORMAL;
}

std::optional<CursorPlacement> ChooseCursor(uint8_t tool, int32_t hoverLayer, int32_t mouseX,
                                            int32_t mouseY) {
    const float half = CursorSize / 2;
    const bool ownCursorAlways = tool >= Tool::PhotoMove && tool <= Tool::Select;
    if (ownCursorAlways) return CursorPlacement{ToolCursor(tool), mouseX + half, mouseY + half};
    if (hoverLayer == -1)
        return CursorPlacement{CURSOR_NORMAL, mouseX + half - 4, mouseY + half - 4};
    if (tool <= Tool::Blend) return CursorPlacement{ToolCursor(tool), mouseX + half, mouseY + half};
    return std::nullopt;
}
