#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>
#include <libexif/exif-data.h>
#include <vector>

#include "content/exif_orientation.h"
#include "content/jpeg_codec.h"

namespace {

// A 3 x 2 picture whose pixels a..f are told apart in every channel:
//   a b c
//   d e f
Picture Letters() {
    Picture picture{.Width = 3, .Height = 2, .Channels = 3, .Pixels = {}};
    for (uint8_t i = 0; i < 6; ++i)
        picture.Pixels.insert(picture.Pixels.end(), {i, uint8_t(10 + i), uint8_t(20 + i)});
    return picture;
}

std::string Spell(const Picture& picture) {
    std::string text;
    for (int y = 0; y < picture.Height; ++y) {
        for (int x = 0; x < picture.Width; ++x) {
            const uint8_t* pixel = &picture.Pixels[size_t((y * picture.Width + x) * 3)];
            const bool whole = pixel[1] == pixel[0] + 10 && pixel[2] == pixel[0] + 20;
            text += whole ? char('a' + pixel[0]) : '?';
        }
        text += y + 1 < picture.Height ? "/" : "";
    }
    return text;
}

TEST(ApplyExifOrientation, TurnsEachOfTheEightOrientationsUpright) {
    const char* upright[] = {"abc/def",  "cba/fed",  "fed/cba",  "def/abc",
                             "ad/be/cf", "da/eb/fc", "fc/eb/da", "cf/be/ad"};
    for (int orientation = 1; orientation <= 8; ++orientation)
        EXPECT_EQ(Spell(ApplyExifOrientation(Letters(), orientation)), upright[orientation - 1])
            << orientation;
    EXPECT_EQ(Spell(ApplyExifOrientation(Letters(), 0)), "abc/def");
    EXPECT_EQ(Spell(ApplyExifOrientation(Letters(), 9)), "abc/def");
}

TEST(ApplyExifOrientation, KeepsTheAlphaChannelWithItsPixel) {
    const Picture rgba{.Width = 2, .Height = 1, .Channels = 4, .Pixels = {1, 2, 3, 4, 5, 6, 7, 8}};
    const Picture turned = ApplyExifOrientation(rgba, 6);
    EXPECT_EQ(turned.Width, 1);
    EXPECT_EQ(turned.Height, 2);
    EXPECT_EQ(turned.Pixels, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
}

// A small JPEG with an Exif segment, right after the start marker, holding the
// orientation in the given byte order.
std::vector<uint8_t> JpegWithOrientation(int orientation, ExifByteOrder order) {
    ExifData* exif = exif_data_new();
    exif_data_set_byte_order(exif, order);
    ExifEntry* entry = exif_entry_new();
    exif_content_add_entry(exif->ifd[EXIF_IFD_0], entry);
    exif_entry_initialize(entry, EXIF_TAG_ORIENTATION);
    exif_set_short(entry->data, order, ExifShort(orientation));
    exif_entry_unref(entry);
    unsigned char* segment = nullptr;
    unsigned int size = 0;
    exif_data_save_data(exif, &segment, &size);
    exif_data_unref(exif);

    QTemporaryDir folder;
    const QString path = folder.filePath("photo.jpg");
    const Picture grey{
        .Width = 16, .Height = 8, .Channels = 3, .Pixels = std::vector<uint8_t>(384, 99)};
    EXPECT_TRUE(EncodeJpegFile(path.toStdString(), grey, 90));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    std::vector<uint8_t> jpeg(data.begin(), data.end());
    const std::vector<uint8_t> app1 = {0xFF, 0xE1, uint8_t((size + 2) >> 8), uint8_t(size + 2)};
    jpeg.insert(jpeg.begin() + 2, app1.begin(), app1.end());
    jpeg.insert(jpeg.begin() + 6, segment, segment + size);
    std::free(segment);
    return jpeg;
}

TEST(ReadExifOrientation, ReadsEveryOrientationInEitherByteOrder) {
    for (int orientation = 1; orientation <= 8; ++orientation) {
        for (ExifByteOrder order : {EXIF_BYTE_ORDER_INTEL, EXIF_BYTE_ORDER_MOTOROLA}) {
            const std::vector<uint8_t> jpeg = JpegWithOrientation(orientation, order);
            EXPECT_EQ(ReadExifOrientation(jpeg.data(), jpeg.size()), orientation);
        }
    }
}

TEST(ReadExifOrientation, MissingOrInvalidOrientationReadsAsUpright) {
    const std::vector<uint8_t> outOfRange = JpegWithOrientation(9, EXIF_BYTE_ORDER_INTEL);
    EXPECT_EQ(ReadExifOrientation(outOfRange.data(), outOfRange.size()), 1);
    std::vector<uint8_t> cut = JpegWithOrientation(6, EXIF_BYTE_ORDER_INTEL);
    cut.resize(30);
    EXPECT_EQ(ReadExifOrientation(cut.data(), cut.size()), 1);
    const std::vector<uint8_t> garbage(500, 0xE1);
    EXPECT_EQ(ReadExifOrientation(garbage.data(), garbage.size()), 1);
    EXPECT_EQ(ReadExifOrientation(nullptr, 100), 1);
}

} // namespace
