#include "render/tile_drawing.h"

#include <GL/gl.h>
#include <cstring>
#include <vector>

#include "platform/canvas_context.h"
#include "render/gl_canvas.h"
#include "scene/scene_changes.h"
#include "scene/scene_state.h"

namespace {

// Paint tiles whose last upload held no paint at all. The paint layer is
// mostly empty, and on a software renderer drawing its tile textures costs
// more than the rest of a frame; an empty tile shows nothing, so it is left
// out. A tile not uploaded since the textures were made counts as painted.
TileTable<bool> BlankPaintTiles{};

bool HoldsNoPaint(const TPaintPixelBlock& block) {
    for (int alpha = 3; alpha < PaintTileBytes; alpha += 4)
        if (block.Data[alpha] != 0) return false;
    return true;
}

} // namespace

std::vector<TileQuad> TileQuads(int32_t imageWidth, int32_t imageHeight, int tileSize, float zoom,
                                int tableSize) {
    const float size = tileSize * zoom;
    const int nx = imageWidth / tileSize;
    const int ny = imageHeight / tileSize;
    const float fw = static_cast<float>(imageWidth % tileSize) / tileSize;
    const float fh = static_cast<float>(imageHeight % tileSize) / tileSize;
    std::vector<TileQuad> quads;
    const auto add = [&](int column, int row, float u, float v) {
        if (column < tableSize && row < tableSize && u > 0 && v > 0)
            quads.push_back({column, row, size * column, size * row, size * u, size * v, u, v});
    };
    for (int column = 0; column < nx; ++column)
        for (int row = 0; row < ny; ++row)
            add(column, row, 1, 1);
    for (int column = 0; column < nx; ++column)
        add(column, ny, 1, fh);
    for (int row = 0; row < ny; ++row)
        add(nx, row, fw, 1);
    add(nx, ny, fw, fh);
    return quads;
}

void ApplyPhotoTransform(float offX, float offY) {
    glTranslatef(PhotoWidth * Zoom * 0.5f, PhotoHeight * Zoom * 0.5f, 0);
    glTranslatef(offX, offY, 0);
    glRotatef(QuarterTurns * 90.0f, 0, 0, 1);
    glTranslatef(-ImageWidth * Zoom * 0.5f, -ImageHeight * Zoom * 0.5f, 0);
}

void DrawPhoto(float offX, float offY) {
    glPushMatrix();
    ApplyPhotoTransform(offX, offY);
    for (const TileQuad& q :
         TileQuads(ImageWidth, ImageHeight, PhotoTileSize, Zoom, PhotoTileCount))
        DrawTexturedQuad(PhotoTiles[q.Column][q.Row], 255, 255, 255, 255, q.X, q.Y, q.Width,
                         q.Height, q.UMax, q.VMax);
    glPopMatrix();
}

void DrawPaintLayer(float offX, float offY) {
    ApplyPhotoTransform(offX, offY);
    for (const TileQuad& q :
         TileQuads(ImageWidth, ImageHeight, PaintTileSize, Zoom, PaintTileCount)) {
        UploadPaintTile(q.Column + 1, q.Row + 1);
        if (BlankPaintTiles[q.Column + 1][q.Row + 1]) continue;
        DrawTexturedQuad(PaintTiles[q.Column + 1][q.Row + 1].Texture, 255, 255, 255, 255, q.X, q.Y,
                         q.Width, q.Height, q.UMax, q.VMax);
    }
}

void UploadPaintTile(int32_t column, int32_t row) {
    if (column < 1 || column > PaintTileCount || row < 1 || row > PaintTileCount) return;
    TPaintTile& tile = PaintTiles[column][row];
    if (!tile.Dirty) return;
    tile.Dirty = false;
    glBindTexture(GL_TEXTURE_2D, tile.Texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, PaintTileSize, PaintTileSize, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, PaintPixels[column][row].Data);
    BlankPaintTiles[column][row] = HoldsNoPaint(PaintPixels[column][row]);
}

void ForgetBlankPaintTiles() {
    BlankPaintTiles = {};
}

namespace {

const uint8_t* ClearPaintBlock() {
    static const std::vector<uint8_t> clear(PaintTileBytes, 0);
    return clear.data();
}

// A block that is all zero and not dirty already shows nothing: every change
// to a block marks it dirty until its texture has been sent its pixels again.
bool PaintTileClear(int column, int row) {
    return !PaintTiles[column][row].Dirty &&
           std::memcmp(PaintPixels[column][row].Data, ClearPaintBlock(), PaintTileBytes) == 0;
}

void ClearPaintTile(int column, int row) {
    std::memset(PaintPixels[column][row].Data, 0, PaintTileBytes);
    BlankPaintTiles[column][row] = true;
    TPaintTile& tile = PaintTiles[column][row];
    tile.Dirty = false;
    if (tile.Texture == 0) return;
    glBindTexture(GL_TEXTURE_2D, tile.Texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, PaintTileSize, PaintTileSize, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, ClearPaintBlock());
}

} // namespace

void ClearPaintTiles() {
    ++PaintEditCount;
    // Handlers run outside frames, where another context may be current.
    MakeCanvasCurrent();
    // Clearing and re-sending all 400 blocks would move over 50 MB through
    // memory; most of them are usually clear already.
    for (int column = 1; column <= PaintTileCount; ++column)
        for (int row = 1; row <= PaintTileCount; ++row)
            if (!PaintTileClear(column, row)) ClearPaintTile(column, row);
}
