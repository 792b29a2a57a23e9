#pragma once

#include <cstdint>
#include <vector>

// The photo and the paint layer are both drawn as grids of square tile
// textures in image space, carried onto the canvas by the photo transform.

// One tile quad: its table place (0-based), its rectangle under the photo
// transform and the used part of its texture.
struct TileQuad {
    int Column = 0;
    int Row = 0;
    float X = 0;
    float Y = 0;
    float Width = 0;
    float Height = 0;
    float UMax = 1;
    float VMax = 1;
};

// The quads covering an image of the given size with tiles of tileSize image
// pixels at this zoom: the whole tiles column by column, then the partial last
// row, the partial last column and the corner tile. Partial tiles of fraction
// 0 are left out, and so is any tile beyond a table of tableSize x tableSize.
std::vector<TileQuad> TileQuads(int32_t imageWidth, int32_t imageHeight, int tileSize, float zoom,
                                int tableSize);

// Moves the model-view matrix from canvas space into the zoomed image space
// of the photo: centre, quarter turns, offset (offX, offY).
void ApplyPhotoTransform(float offX, float offY);

// The photo tiles, under a pushed and popped photo transform.
void DrawPhoto(float offX, float offY);

// The paint tiles, each uploaded first if dirty. Leaves the photo transform
// on the model-view matrix for the caller, who pushes and pops around it.
void DrawPaintLayer(float offX, float offY);

// Sends a dirty paint tile (column, row in 1..20) to its texture again.
// Tiles found to hold no paint are then left out of the frames until they
// are sent again.
void UploadPaintTile(int32_t column, int32_t row);

// Every paint tile counts as painted again: their textures were made anew.
void ForgetBlankPaintTiles();

// Zeroes every paint block and sends each one that was not already clear to
// its texture at once, so the layer is empty on screen without waiting for
// the tiles to be drawn. Makes the program's context current first.
void ClearPaintTiles();
