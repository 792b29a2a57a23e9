#include "render/gl_canvas.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "platform/canvas_context.h"
#include "render/tile_drawing.h"

namespace {

// Remembered so that the canvas widget's context, made after the main window
// chose the colour, clears with it too.
float ClearColor[4] = {0, 0, 0, 0};

void SetTextureParameters(bool mipmapped) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                    mipmapped ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, mipmapped ? GL_LINEAR : GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
}

// Picture rows widened to RGBA at a time when cutting tiles: a strip this
// small is still in the cache when the GL copies it into the textures.
constexpr int TileStripRows = 32;

bool PixelsMatchSize(const Picture& picture) {
    if (picture.Channels != 3 && picture.Channels != 4) return false;
    if (picture.Width <= 0 || picture.Height <= 0) return false;
    return picture.Pixels.size() == size_t(picture.RowBytes()) * size_t(picture.Height);
}

void DefineTextureImage(const Picture& picture, const uint8_t* bytes, bool mipmapped) {
    const GLenum format = picture.HasAlpha() ? GL_RGBA : GL_RGB;
    const GLint components = picture.HasAlpha() ? 4 : 3;
    // RGB rows of odd widths are not a multiple of four bytes long.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (mipmapped) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, components, picture.Width, picture.Height, format,
                          GL_UNSIGNED_BYTE, bytes);
        return;
    }
    // Textures without mipmaps (the photo tiles) are sampled nearest and never
    // read a level other than 0, so building the rest would only cost time at
    // every photo load.
    glTexImage2D(GL_TEXTURE_2D, 0, components, picture.Width, picture.Height, 0, format,
                 GL_UNSIGNED_BYTE, bytes);
}

// RGB pixels to RGBA ones with opaque alpha.
void WidenRowPlain(const uint8_t* from, uint8_t* to, int width) {
    for (int x = 0; x < width; ++x, from += 3, to += 4) {
        std::memcpy(to, from, 3);
        to[3] = 255;
    }
}

#if defined(__x86_64__) || defined(__i386__)
// The same, four pixels at a time with one byte shuffle, as long as the
// sixteen bytes read hold no more than the row's own pixels.
__attribute__((target("ssse3"))) void WidenRowShuffled(const uint8_t* from, uint8_t* to,
                                                       int width) {
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i opaque = _mm_set1_epi32(int(0xFF000000u));
    int x = 0;
    for (; x + 6 <= width; x += 4, from += 12, to += 16) {
        const __m128i rgb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to),
                         _mm_or_si128(_mm_shuffle_epi8(rgb, spread), opaque));
    }
    WidenRowPlain(from, to, width - x);
}

void WidenRow(const uint8_t* from, uint8_t* to, int width) {
    static const bool shuffle = __builtin_cpu_supports("ssse3");
    if (shuffle)
        WidenRowShuffled(from, to, width);
    else
        WidenRowPlain(from, to, width);
}
#else
void WidenRow(const uint8_t* from, uint8_t* to, int width) {
    WidenRowPlain(from, to, width);
}
#endif

void WidenRows(const Picture& picture, int top, int rows, uint8_t* to) {
    const size_t rowBytes = size_t(picture.RowBytes());
    for (int r = 0; r < rows; ++r, to += size_t(picture.Width) * 4) {
        const uint8_t* from = picture.Pixels.data() + size_t(top + r) * rowBytes;
        if (picture.HasAlpha())
            std::memcpy(to, from, rowBytes);
        else
            WidenRow(from, to, picture.Width);
    }
}

// A grid of size x size tile textures cut from a picture, named column by
// column.
struct TileGrid {
    const Picture& Source;
    int Size;
    int Columns;
    int Rows;
    std::vector<TextureName>& Names;

    TextureName& Name(int column, int row) const { return Names[size_t(column) * Rows + row]; }
    int WidthIn(int column) const { return std::clamp(Source.Width - column * Size, 0, Size); }
    int HeightIn(int row) const { return std::clamp(Source.Height - row * Size, 0, Size); }
};

// One tile row's textures, defined at full size where the picture reaches
// into them and 1 x 1 black otherwise. A texture that already exists keeps
// its name and, at an unchanged size, its storage: a fresh allocation is the
// GL's dearest step of an upload.
void DefineTileRow(const TileGrid& grid, int row) {
    static constexpr uint8_t black[4] = {0, 0, 0, 255};
    for (int i = 0; i < grid.Columns; ++i) {
        TextureName& name = grid.Name(i, row);
        if (name == 0) glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        SetTextureParameters(false);
        const bool holdsPixels = grid.WidthIn(i) > 0 && grid.HeightIn(row) > 0;
        const int side = holdsPixels ? grid.Size : 1;
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, side, side, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     holdsPixels ? nullptr : black);
    }
}

// Sends one tile row's pixels as RGBA, a strip of whole picture rows at a
// time: the picture is read in order, and the GL copies rows already in its
// own four-bytes-a-texel layout as they stand instead of converting each
// texel, which used to take most of a photo load.
void SendTileRow(const TileGrid& grid, int row) {
    const Picture& picture = grid.Source;
    const int height = grid.HeightIn(row);
    std::vector<uint8_t> strip(size_t(picture.Width) * TileStripRows * 4);
    // RGBA rows are whole multiples of four bytes: no padding between them.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, picture.Width);
    for (int y = 0; y < height; y += TileStripRows) {
        const int rows = std::min(TileStripRows, height - y);
        WidenRows(picture, row * grid.Size + y, rows, strip.data());
        for (int i = 0; i < grid.Columns && grid.WidthIn(i) > 0; ++i) {
            glBindTexture(GL_TEXTURE_2D, grid.Name(i, row));
            glPixelStorei(GL_UNPACK_SKIP_PIXELS, i * grid.Size);
            glTexSubImage2D(GL_TEXTURE_2D, 0, 0, y, grid.WidthIn(i), rows, GL_RGBA,
                            GL_UNSIGNED_BYTE, strip.data());
        }
    }
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
}

void EmitVertex(const CanvasPoint& p) {
    glVertex2f(p.X, p.Y);
}

} // namespace

int32_t CreateCanvasContext(int32_t width, int32_t height, QOpenGLWidget* window) {
    // Without a context the view keeps the canvas's own size, so that a photo
    // still fits at a usable zoom and new tattoo corners stay finite.
    ViewWidth = width;
    ViewHeight = height;
    const int32_t result = OpenCanvasContext(window);
    if (result != 0) return result;
    SetProjection(width, height);
    glEnable(GL_TEXTURE_2D);
    return 0;
}

void SetProjection(int32_t width, int32_t height) {
    ViewWidth = width;
    ViewHeight = height;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, ViewWidth, ViewHeight, 0);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void PrepareFrameContext(int32_t width, int32_t height) {
    SetProjection(width, height);
    glEnable(GL_TEXTURE_2D);
    glClearColor(ClearColor[0], ClearColor[1], ClearColor[2], ClearColor[3]);
}

void ClearFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
}

void SetClearColor(float red, float green, float blue, float alpha) {
    ClearColor[0] = red;
    ClearColor[1] = green;
    ClearColor[2] = blue;
    ClearColor[3] = alpha;
    glClearColor(red, green, blue, alpha);
}

void PresentFrame() {
    // The canvas widget draws into a framebuffer of its own and composes it
    // into the window as soon as its paint routine returns: that composition
    // is the buffer swap, so all that is left here is the flush.
    glFlush();
}

int DevicePixels(int logical, double ratio) {
    return static_cast<int>(std::lround(logical * ratio));
}

std::array<CanvasPoint, 4> RotatedRectCorners(float angle, float width, float height, float x,
                                              float y) {
    const float a = angle - 3 * std::numbers::pi_v<float> / 4;
    const float s = std::numbers::sqrt2_v<float> * std::sin(a);
    const float c = std::numbers::sqrt2_v<float> * std::cos(a);
    const float hw = width / 2;
    const float hh = height / 2;
    return {{{x - hw * s, y + hh * c},
             {x + hw * c, y + hh * s},
             {x + hw * s, y - hh * c},
             {x - hw * c, y - hh * s}}};
}

void DrawRotatedRect(uint8_t red, uint8_t green, uint8_t blue, bool filled, uint8_t alpha,
                     float angle, float width, float height, float x, float y) {
    glPushMatrix();
    glPolygonMode(GL_FRONT_AND_BACK, filled ? GL_FILL : GL_LINE);
    glBegin(GL_POLYGON);
    glColor4ub(red, green, blue, alpha);
    for (const CanvasPoint& p : RotatedRectCorners(angle, width, height, x, y))
        EmitVertex(p);
    glEnd();
    if (!filled) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glPopMatrix();
}

void DrawTexturedRotatedRect(uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue, float angle,
                             float width, float height, float x, float y) {
    static constexpr float texCoords[4][2] = {{1, 1}, {0, 1}, {0, 0}, {1, 0}};
    const bool blended = alpha != 255;
    if (blended) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    glPushMatrix();
    glBegin(GL_POLYGON);
    glColor4ub(red, green, blue, alpha);
    const auto corners = RotatedRectCorners(angle, width, height, x, y);
    for (int k = 0; k < 4; ++k) {
        glTexCoord2f(texCoords[k][0], texCoords[k][1]);
        EmitVertex(corners[k]);
    }
    glEnd();
    glPopMatrix();
    if (blended) glDisable(GL_BLEND);
}

void DrawTexturedQuad(TextureName texture, uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue,
                      float x, float y, float width, float height, float uMax, float vMax) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glPushMatrix();
    glBegin(GL_POLYGON);
    glColor4ub(red, green, blue, alpha);
    glTexCoord2f(0, vMax);
    glVertex2f(x, y + height);
    glTexCoord2f(uMax, vMax);
    glVertex2f(x + width, y + height);
    glTexCoord2f(uMax, 0);
    glVertex2f(x + width, y);
    glTexCoord2f(0, 0);
    glVertex2f(x, y);
    glEnd();
    glPopMatrix();
}

std::vector<uint8_t> TextureBytes(const Picture& picture) {
    if (!PixelsMatchSize(picture)) return {};
    if (!picture.HasAlpha()) return picture.Pixels;
    // Alpha textures hold the picture bottom row first, so that t grows
    // upwards on the canvas like the tattoo corners' V.
    const size_t rowBytes = size_t(picture.RowBytes());
    const size_t height = size_t(picture.Height);
    std::vector<uint8_t> bytes(picture.Pixels.size());
    for (size_t b = 0; b < height; ++b)
        std::memcpy(&bytes[(height - 1 - b) * rowBytes], &picture.Pixels[b * rowBytes], rowBytes);
    return bytes;
}

TextureName UploadTexture(int32_t count, const Picture& picture, bool mipmapped) {
    MakeCanvasCurrent();
    // Without any context (OpenGL could not be started) there is nowhere to
    // upload to, and GLU would crash asking a missing context for its version.
    if (!QOpenGLContext::currentContext()) return 0;
    std::vector<TextureName> names(static_cast<size_t>(std::max(count, 1)));
    glGenTextures(static_cast<GLsizei>(names.size()), names.data());
    glBindTexture(GL_TEXTURE_2D, names[0]);
    SetTextureParameters(mipmapped);
    if (!PixelsMatchSize(picture)) return names[0];
    // RGB pictures are already in texture order: no copy for them.
    if (!picture.HasAlpha()) {
        DefineTextureImage(picture, picture.Pixels.data(), mipmapped);
        return names[0];
    }
    const std::vector<uint8_t> flipped = TextureBytes(picture);
    DefineTextureImage(picture, flipped.data(), mipmapped);
    return names[0];
}

void UploadTextureTiles(const Picture& picture, int size, int columns, int rows,
                        std::vector<TextureName>& names) {
    MakeCanvasCurrent();
    columns = std::max(columns, 0);
    rows = std::max(rows, 0);
    names.resize(size_t(columns) * rows, 0);
    const Picture nothing;
    const bool usable = size > 0 && PixelsMatchSize(picture);
    const TileGrid grid{usable ? picture : nothing, std::max(size, 1), columns, rows, names};
    for (int j = 0; j < rows; ++j) {
        DefineTileRow(grid, j);
        if (grid.HeightIn(j) > 0) SendTileRow(grid, j);
    }
}

void CreatePaintTileTextures() {
    MakeCanvasCurrent();
    ForgetBlankPaintTiles();
    for (int column = 1; column <= PaintTileCount; ++column) {
        for (int row = 1; row <= PaintTileCount; ++row) {
            TPaintTile& tile = PaintTiles[column][row];
            glGenTextures(1, &tile.Texture);
            glBindTexture(GL_TEXTURE_2D, tile.Texture);
            SetTextureParameters(false);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, PaintTileSize, PaintTileSize, 0, GL_RGBA,
                         GL_UNSIGNED_BYTE, PaintPixels[column][row].Data);
        }
    }
}
