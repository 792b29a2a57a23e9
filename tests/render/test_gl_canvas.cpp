#include <GL/gl.h>
#include <algorithm>
#include <vector>

#include "render/gl_canvas.h"
#include "render/layer_mesh.h"
#include "tests/render/render_helpers.h"
#include "tests/support/gl_fixture.h"

namespace {

class GlCanvasTest : public GlFixture {};

// A 512 x 512 RGB picture whose red channel tells the column (x / 2) and whose
// blue channel tells the row (y / 2).
Picture GradientPicture() {
    Picture picture{512, 512, 3, std::vector<uint8_t>(512 * 512 * 3)};
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) {
            uint8_t* p = &picture.Pixels[(y * 512 + x) * 3];
            p[0] = static_cast<uint8_t>(x / 2);
            p[2] = static_cast<uint8_t>(y / 2);
        }
    return picture;
}

std::array<uint8_t, 4> TexelOfLevel0(int x, int y, int width) {
    std::vector<uint8_t> texels(static_cast<size_t>(width) * width * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    const uint8_t* p = &texels[(y * width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

TEST_F(GlCanvasTest, QuadWithQuarterExtentShowsLeftQuarterAtFullScale) {
    const TextureName tile = UploadTexture(1, GradientPicture(), false);
    DrawTexturedQuad(tile, 255, 255, 255, 255, 0, 0, 128, 512, 0.25f, 1);
    EXPECT_EQ(Pixel(0, 10)[0], 0);
    EXPECT_EQ(Pixel(60, 10)[0], 30);
    EXPECT_EQ(Pixel(127, 10)[0], 63);
    // Texture row 0 is at the top edge.
    EXPECT_EQ(Pixel(10, 0)[2], 0);
    EXPECT_EQ(Pixel(10, 300)[2], 150);
    EXPECT_EQ(Pixel(128, 10)[0], 0) << "nothing drawn right of the quad";
}

TEST_F(GlCanvasTest, AlphaPicturesAreStoredBottomRowFirstAndRgbTopRowFirst) {
    Picture rgba = SolidPicture(4, 4, {0, 0, 255, 255});
    rgba.Pixels[0] = 255; // top-left pixel red
    rgba.Pixels[2] = 0;
    UploadTexture(1, rgba, true);
    EXPECT_TRUE(SameColour(TexelOfLevel0(0, 3, 4), {255, 0, 0, 255}));
    EXPECT_TRUE(SameColour(TexelOfLevel0(0, 0, 4), {0, 0, 255, 255}));

    Picture rgb = SolidPicture(4, 4, {0, 0, 255, 255}, 3);
    rgb.Pixels[0] = 255;
    rgb.Pixels[2] = 0;
    UploadTexture(1, rgb, true);
    EXPECT_TRUE(SameColour(TexelOfLevel0(0, 0, 4), {255, 0, 0, 255}));
    EXPECT_TRUE(SameColour(TexelOfLevel0(0, 3, 4), {0, 0, 255, 255}));
}

TEST_F(GlCanvasTest, OnlyMipmappedTexturesGetTheSmallerLevels) {
    GLint width = -1;
    UploadTexture(1, SolidPicture(8, 8, {1, 2, 3, 4}), false);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 0);
    UploadTexture(1, SolidPicture(8, 8, {1, 2, 3, 4}), true);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 4);
}

TEST_F(GlCanvasTest, BrokenPicturesGiveAnEmptyTextureInsteadOfReadingPastTheirPixels) {
    Picture shortBuffer = SolidPicture(64, 64, {1, 2, 3, 4});
    shortBuffer.Pixels.resize(100);
    EXPECT_TRUE(TextureBytes(shortBuffer).empty());
    EXPECT_TRUE(TextureBytes(Picture{4, 4, 2, std::vector<uint8_t>(32)}).empty());
    EXPECT_NE(UploadTexture(1, shortBuffer, true), 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// An RGB picture whose every pixel differs from its neighbours.
Picture NumberedPicture(int width, int height) {
    Picture picture{width, height, 3, std::vector<uint8_t>(size_t(width) * height * 3)};
    for (size_t i = 0; i < picture.Pixels.size(); ++i)
        picture.Pixels[i] = static_cast<uint8_t>(i * 7 + i / 251);
    return picture;
}

// Level 0 of a tile texture as RGBA, with its side.
std::vector<uint8_t> TileTexels(TextureName name, int& side) {
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &side);
    std::vector<uint8_t> texels(static_cast<size_t>(side) * side * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

// Every pixel of the picture must be in its tile's texel, opaque; tiles that
// hold no pixel have a 1 x 1 level.
void ExpectPictureInTiles(const Picture& picture, int size, int columns, int rows,
                          const std::vector<TextureName>& names) {
    ASSERT_EQ(names.size(), static_cast<size_t>(columns) * rows);
    for (int i = 0; i < columns; ++i)
        for (int j = 0; j < rows; ++j) {
            int side = 0;
            const std::vector<uint8_t> texels = TileTexels(names[i * rows + j], side);
            const int width = std::clamp(picture.Width - i * size, 0, size);
            const int height = std::clamp(picture.Height - j * size, 0, size);
            ASSERT_EQ(side, width > 0 && height > 0 ? size : 1) << i << ", " << j;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const uint8_t* texel = &texels[(y * size + x) * 4];
                    const uint8_t* pixel =
                        &picture.Pixels[((j * size + y) * picture.Width + i * size + x) * 3];
                    ASSERT_TRUE(std::equal(pixel, pixel + 3, texel) && texel[3] == 255)
                        << "tile " << i << ", " << j << " texel " << x << ", " << y;
                }
        }
}

TEST_F(GlCanvasTest, TilesHoldTheirPartOfThePictureWhateverItsWidth) {
    // Widths around every multiple of four reach both ends of a row's
    // conversion; 150 x 100 in tiles of 64 crosses whole strips of rows too.
    for (const auto& [width, height, size] : {std::array{1, 1, 16},
                                              {5, 3, 16},
                                              {6, 2, 16},
                                              {7, 4, 16},
                                              {13, 9, 16},
                                              {15, 16, 16},
                                              {150, 100, 64}}) {
        const Picture picture = NumberedPicture(width, height);
        const int columns = width / size + 1;
        const int rows = height / size + 1;
        std::vector<TextureName> names;
        UploadTextureTiles(picture, size, columns, rows, names);
        ExpectPictureInTiles(picture, size, columns, rows, names);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GlCanvasTest, TilesAreDefinedAgainUnderTheNamesTheyHad) {
    std::vector<TextureName> names;
    UploadTextureTiles(NumberedPicture(40, 20), 16, 3, 2, names);
    const std::vector<TextureName> first = names;
    const Picture other = NumberedPicture(20, 40);
    UploadTextureTiles(other, 16, 3, 2, names);
    EXPECT_EQ(names, first);
    ExpectPictureInTiles(other, 16, 3, 2, names);
    // Only the cells that had no name get new ones.
    names[1] = 0;
    UploadTextureTiles(other, 16, 3, 2, names);
    EXPECT_NE(names[1], 0u);
    EXPECT_EQ(names[0], first[0]);
}

TEST_F(GlCanvasTest, TilesOfABrokenPictureHoldNothing) {
    Picture broken = NumberedPicture(40, 40);
    broken.Pixels.resize(100);
    std::vector<TextureName> names;
    UploadTextureTiles(broken, 16, 3, 3, names);
    ASSERT_EQ(names.size(), 9u);
    int side = 0;
    TileTexels(names[0], side);
    EXPECT_EQ(side, 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

bool BlendEnabledAfterTexturedRect(bool before, uint8_t alpha) {
    if (before)
        glEnable(GL_BLEND);
    else
        glDisable(GL_BLEND);
    DrawTexturedRotatedRect(alpha, 255, 255, 255, 0, 10, 10, 50, 50);
    return glIsEnabled(GL_BLEND);
}

TEST_F(GlCanvasTest, TexturedRectLeavesBlendingAloneOnlyWhenOpaque) {
    EXPECT_TRUE(BlendEnabledAfterTexturedRect(true, 255));
    EXPECT_FALSE(BlendEnabledAfterTexturedRect(false, 255));
    EXPECT_FALSE(BlendEnabledAfterTexturedRect(true, 200));
    EXPECT_FALSE(BlendEnabledAfterTexturedRect(false, 200));
}

GLint FrontPolygonMode() {
    GLint modes[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    return modes[0];
}

TEST_F(GlCanvasTest, RectsAndOutlinesLeaveThePolygonModeAtFill) {
    DrawRotatedRect(255, 0, 0, false, 255, 0, 5, 5, 20, 20);
    EXPECT_EQ(FrontPolygonMode(), GL_FILL);
    DrawRotatedRect(255, 0, 0, true, 255, 0, 5, 5, 20, 20);
    EXPECT_EQ(FrontPolygonMode(), GL_FILL);
    const TLayerCorner corners[4] = {{10, 60}, {60, 60}, {60, 10}, {10, 10}};
    DrawLayerOutline(corners, 255, 255, 255, 255, 0, 0);
    EXPECT_EQ(FrontPolygonMode(), GL_FILL);
}

TEST_F(GlCanvasTest, PaintTileTexturesAreMadeFromThePaintPixels) {
    PaintPixels[3][4].Data[0] = 200;
    CreatePaintTileTextures();
    EXPECT_NE(PaintTiles[1][1].Texture, PaintTiles[20][20].Texture);
    glBindTexture(GL_TEXTURE_2D, PaintTiles[3][4].Texture);
    EXPECT_EQ(TexelOfLevel0(0, 0, 128)[0], 200);
    EXPECT_EQ(TexelOfLevel0(1, 0, 128)[0], 0);
}

} // namespace
