#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>

#include "content/photo_loader.h"
#include "content/photo_reading.h"
#include "tests/support/hostile_pictures.h"

namespace {

std::string Written(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const std::string path = dir.filePath(name).toStdString();
    std::ofstream(path, std::ios::binary).write(bytes.constData(), bytes.size());
    return path;
}

} // namespace

// The size a large photo gets is known from its header alone: a JPEG takes
// libjpeg's own eighth when that keeps most of the size, else the next eighth
// up and averaging down to the side; other types average down to it.
TEST(PhotoReading, ScaledSizeComesFromTheHeader) {
    QTemporaryDir dir;
    const QByteArray jpeg = Encoded("JPG", 16, 16);
    QByteArray png = Encoded("PNG", 16, 16);
    png.replace(16, 8, QByteArray::fromHex("00000bb8000007d0")); // 3000 x 2000
    const struct {
        std::string Path;
        int Width, Height;
    } cases[] = {{Written(dir, "camera.jpg", ClaimingSize(jpeg, 4032, 3024)), 2016, 1512},
                 {Written(dir, "wide.jpg", ClaimingSize(jpeg, 6000, 4000)), 2048, 1365},
                 {Written(dir, "exact.jpg", ClaimingSize(jpeg, 4096, 100)), 2048, 50},
                 {Written(dir, "big.png", png), 2048, 1365},
                 {Written(dir, "fits.jpg", ClaimingSize(jpeg, 2048, 7)), 2048, 7}};
    for (const auto& c : cases) {
        PhotoFile file;
        ASSERT_EQ(ReadPhotoFile(c.Path, file), PhotoProblem::None) << c.Path;
        const PictureSize size = FittedPhotoSize(file, MaxPhotoSide);
        EXPECT_EQ(size.Width, c.Width) << c.Path;
        EXPECT_EQ(size.Height, c.Height) << c.Path;
    }
}

// Decoded at three eighths (2250 x 38) and averaged down to 2048 a side.
TEST(PhotoReading, JpegIsDecodedScaledThenAveragedToTheSide) {
    QTemporaryDir dir;
    Picture picture;
    ASSERT_TRUE(ReadPhotoPicture(
        Written(dir, "strip.jpg", Encoded("JPG", 6000, 100, QColor(40, 80, 120))), picture, 2048));
    EXPECT_EQ(picture.Width, 2048);
    EXPECT_EQ(picture.Height, 35);
    const uint8_t* middle = picture.Pixels.data() + (17 * 2048 + 1000) * 3;
    EXPECT_NEAR(middle[0], 40, 3);
    EXPECT_NEAR(middle[2], 120, 3);
}

// Each pixel is the average of what it covers: stripes one pixel wide become
// their mean, where taking the nearest pixel would keep one of the colours.
TEST(PhotoScaling, AreaAveragingMixesWhatEachPixelCovers) {
    Picture stripes{6, 2, 1, {0, 255, 0, 255, 0, 255, 0, 255, 0, 255, 0, 255}};
    EXPECT_EQ(ShrinkByAreaAveraging(stripes, 3, 1).Pixels, (std::vector<uint8_t>{128, 128, 128}));
    EXPECT_EQ(ShrinkByAreaAveraging(stripes, 4, 2).Pixels,
              (std::vector<uint8_t>{85, 85, 170, 170, 85, 85, 170, 170}));
}
