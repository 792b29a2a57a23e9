#include "content/exif_orientation.h"

#include <climits>
#include <cstring>
#include <libexif/exif-data.h>
#include <memory>

namespace {

// Where the upright picture's pixel (x, y) comes from in the stored one, as a
// pixel index start + x * stepX + y * stepY.
struct SourceWalk {
    ptrdiff_t start;
    ptrdiff_t stepX;
    ptrdiff_t stepY;
};

SourceWalk WalkFor(int orientation, ptrdiff_t w, ptrdiff_t h) {
    switch (orientation) {
    case 2:
        return {w - 1, -1, w};
    case 3:
        return {(h - 1) * w + w - 1, -1, -w};
    case 4:
        return {(h - 1) * w, 1, -w};
    case 5:
        return {0, w, 1};
    case 6:
        return {(h - 1) * w, -w, 1};
    case 7:
        return {(h - 1) * w + w - 1, -w, -1};
    case 8:
        return {w - 1, w, -1};
    default:
        return {0, 1, w};
    }
}

} // namespace

int ReadExifOrientation(const void* jpegData, size_t size) {
    if (!jpegData || size == 0 || size > UINT_MAX) return 1;
    std::unique_ptr<ExifData, void (*)(ExifData*)> exif(exif_data_new(), exif_data_unref);
    if (!exif) return 1;
    // Read the tags as they are stored, without adding the ones the format asks for.
    exif_data_unset_option(exif.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_load_data(exif.get(), static_cast<const unsigned char*>(jpegData),
                        static_cast<unsigned int>(size));
    const ExifEntry* entry = exif_content_get_entry(exif->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (!entry || entry->format != EXIF_FORMAT_SHORT || entry->components < 1 || entry->size < 2)
        return 1;
    const int orientation = exif_get_short(entry->data, exif_data_get_byte_order(exif.get()));
    return orientation >= 1 && orientation <= 8 ? orientation : 1;
}

Picture ApplyExifOrientation(const Picture& picture, int orientation) {
    const size_t channels = size_t(picture.Channels);
    const size_t pixelCount = size_t(picture.Width) * size_t(picture.Height);
    if (orientation < 2 || orientation > 8 || picture.Empty() ||
        picture.Pixels.size() < pixelCount * channels)
        return picture;
    const bool turned = orientation >= 5;
    Picture upright;
    upright.Width = turned ? picture.Height : picture.Width;
    upright.Height = turned ? picture.Width : picture.Height;
    upright.Channels = picture.Channels;
    upright.Pixels.resize(pixelCount * channels);
    const SourceWalk walk = WalkFor(orientation, picture.Width, picture.Height);
    uint8_t* target = upright.Pixels.data();
    for (ptrdiff_t y = 0; y < upright.Height; ++y) {
        ptrdiff_t source = walk.start + y * walk.stepY;
        for (ptrdiff_t x = 0; x < upright.Width; ++x, source += walk.stepX, target += channels)
            std::memcpy(target, picture.Pixels.data() + size_t(source) * channels, channels);
    }
    return upright;
}
