#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "scene/picture.h"
#include "scene/scene_state.h"

class QOpenGLWidget;

// Opens the program's OpenGL context for the canvas panel, sets the projection
// to width x height and enables texturing. 0 on success, E_FAIL otherwise;
// the caller goes on either way.
int32_t CreateCanvasContext(int32_t width, int32_t height, QOpenGLWidget* window);

// Stores the view size and sets a y-down orthographic projection of one unit
// per logical panel pixel.
void SetProjection(int32_t width, int32_t height);

// Puts a freshly made frame context (the canvas widget's) into the state the
// frames rely on: projection, texturing on, the chosen clear colour.
void PrepareFrameContext(int32_t width, int32_t height);

void ClearFrame();
void SetClearColor(float red, float green, float blue, float alpha);
void PresentFrame();

// Device pixels covered by `logical` pixels at this pixel ratio, rounded as
// the widget rounds its framebuffer size.
int DevicePixels(int logical, double ratio);

struct CanvasPoint {
    float X = 0;
    float Y = 0;
};

// The four vertices of a turned rectangle in drawing order; at angle 0 they
// are top-right, top-left, bottom-left, bottom-right.
std::array<CanvasPoint, 4> RotatedRectCorners(float angle, float width, float height, float x,
                                              float y);

// A rectangle of width x height centred on (x, y), turned by angle radians.
// Leaves texturing and blending alone; the polygon mode ends at fill.
void DrawRotatedRect(uint8_t red, uint8_t green, uint8_t blue, bool filled, uint8_t alpha,
                     float angle, float width, float height, float x, float y);

// The same rectangle with the bound texture, upright for alpha textures. Any
// alpha below 255 blends, and leaves blending off afterwards.
void DrawTexturedRotatedRect(uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue, float angle,
                             float width, float height, float x, float y);

// An axis-aligned quad with its top-left corner at (x, y) showing the texture
// from (0, 0) to (uMax, vMax); texture row 0 is at the top edge.
void DrawTexturedQuad(TextureName texture, uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue,
                      float x, float y, float width, float height, float uMax, float vMax);

// The texture bytes of a picture as they are handed to the GL: pictures with
// alpha as RGBA, bottom row first; the others as RGB, top row first. Empty for
// a picture whose pixel buffer does not match its size.
std::vector<uint8_t> TextureBytes(const Picture& picture);

// Makes a texture of the picture and returns the first of `count` new names.
TextureName UploadTexture(int32_t count, const Picture& picture, bool mipmapped);

// Cuts the picture into a grid of columns x rows RGBA textures of size x size
// (opaque for an RGB picture), sampled nearest. `names` holds their names
// column by column: a 0 gets a new name, any other texture is defined again in
// place. Tile (i, j) holds the picture's pixels from (size i, size j) on in
// its top-left part, top row first; texels past the picture's edges are left
// undefined, as nothing samples them. A tile holding no pixel of the picture
// gets only a 1 x 1 black level 0: it keeps a name without the cost of a full
// upload.
void UploadTextureTiles(const Picture& picture, int size, int columns, int rows,
                        std::vector<TextureName>& names);

// The 400 paint tile textures, defined from PaintPixels.
void CreatePaintTileTextures();
