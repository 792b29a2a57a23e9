#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>
#include <string>

#include "content/png_codec.h"
#include "platform/resources.h"
#include "render/canvas_cursor.h"
#include "ui/button_table.h"

namespace {

// The format the resource is stored in ("bmp", "png", "svg") and its size.
struct Stored {
    std::string Format;
    QSize Size;
};

Stored Inspect(const char* name) {
    QByteArray bytes = ResourceData(name);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    return {reader.format().toStdString(), reader.size()};
}

void ExpectBitmap(const std::string& name, int width, int height) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(ResourceExists(name.c_str()));
    const Stored stored = Inspect(name.c_str());
    EXPECT_EQ(stored.Format, "bmp");
    EXPECT_EQ(stored.Size, QSize(width, height));
    // Bitmaps stand in for 24-bit pictures without transparency.
    EXPECT_FALSE(ResourceBitmap(name.c_str()).hasAlphaChannel());
}

// PNG pictures must decode through the program's own decoder with alpha.
void ExpectAlphaPng(const std::string& name, int width, int height) {
    SCOPED_TRACE(name);
    const QByteArray bytes = ResourceData(name.c_str());
    Picture picture;
    ASSERT_TRUE(DecodePngMemory(bytes.constData(), bytes.size(), picture));
    EXPECT_EQ(picture.Width, width);
    EXPECT_EQ(picture.Height, height);
    EXPECT_EQ(picture.Channels, 4);
}

TEST(EmbeddedPictures, EveryButtonHasItsThreePicturesAtItsSize) {
    for (const ImageButtonInfo& button : ImageButtons) {
        for (const char* state : {"O", "F", "H"})
            ExpectBitmap(std::string(button.Prefix) + state, button.Width, button.Height);
    }
    ExpectBitmap("BUTT_ZOOM_F", 26, 25);
}

TEST(EmbeddedPictures, SwatchesInBothStates) {
    for (int n = 1; n <= 8; ++n) {
        const int width = n == 1 ? 27 : (n == 3 ? 25 : 26);
        const int height = n == 3 ? 26 : 25;
        for (const char* state : {"_P", "_N"})
            ExpectBitmap("COL_" + std::to_string(n) + state, width, height);
    }
}

TEST(EmbeddedPictures, CursorsAreSmallTransparentPngs) {
    for (const char* name : CursorResourceNames)
        ExpectAlphaPng(name, 24, 23);
}

TEST(EmbeddedPictures, WindowPicturesAndScreens) {
    ExpectBitmap("MAIN_FORM", 850, 650);
    ExpectBitmap("SCREEN_HISTORY", 850, 650);
    ExpectBitmap("SCREEN_HIGIENA", 850, 650);
    ExpectBitmap("GL_BACK", 512, 512);
    ExpectBitmap("STOCK_FOTO", 1200, 574);
    ExpectBitmap("LOGO_LIGHT", 113, 102);
    ExpectBitmap("ABOUT_LOGO", 73, 80);
    ExpectAlphaPng("START_BACK", 400, 280);
}

TEST(EmbeddedPictures, ApplicationIconInEverySize) {
    for (int size : {16, 32, 48, 256}) {
        const std::string name = "APP_ICON_" + std::to_string(size);
        SCOPED_TRACE(name);
        EXPECT_EQ(Inspect(name.c_str()).Size, QSize(size, size));
    }
    EXPECT_TRUE(ResourceExists("APP_ICON"));
}

} // namespace
