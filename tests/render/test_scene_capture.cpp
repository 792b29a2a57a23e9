#include <vector>

#include "render/gl_canvas.h"
#include "render/scene_capture.h"
#include "scene/scene_state.h"
#include "tests/support/gl_fixture.h"

namespace {

// A photo with no two neighbouring pixels alike, wider than one tile and not
// a whole number of read-back strips high, so that a channel, row or column
// out of place anywhere shows.
Picture PatternedPhoto(int width, int height) {
    Picture photo{width, height, 3, std::vector<uint8_t>(size_t(width) * height * 3)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &photo.Pixels[(size_t(y) * width + x) * 3];
            p[0] = uint8_t(x);
            p[1] = uint8_t(y * 7 + (x >> 8) * 100);
            p[2] = uint8_t(x * 3 + y);
        }
    return photo;
}

class SceneCapture : public GlFixture {};

TEST_F(SceneCapture, ThePhotoAloneIsCapturedPixelForPixel) {
    ResetSceneState();
    CreatePaintTileTextures();
    const Picture photo = PatternedPhoto(530, 45);
    std::vector<TextureName> names(size_t(PhotoTileCount) * PhotoTileCount, 0);
    UploadTextureTiles(photo, PhotoTileSize, PhotoTileCount, PhotoTileCount, names);
    for (int column = 0; column < PhotoTileCount; ++column)
        for (int row = 0; row < PhotoTileCount; ++row)
            PhotoTiles[column][row] = names[size_t(column) * PhotoTileCount + row];
    ImageWidth = PhotoWidth = photo.Width;
    ImageHeight = PhotoHeight = photo.Height;

    Picture captured;
    ASSERT_TRUE(CaptureComposedPicture(captured));
    ASSERT_EQ(captured.Width, photo.Width);
    ASSERT_EQ(captured.Height, photo.Height);
    ASSERT_EQ(captured.Channels, 3);
    EXPECT_TRUE(captured.Pixels == photo.Pixels);
}

} // namespace
