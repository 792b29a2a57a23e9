#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "content/exif_orientation.h"
#include "content/jpeg_codec.h"
#include "content/png_codec.h"

namespace {

// A decoder may refuse anything, but what it accepts must be a whole picture.
void CheckDecoded(bool accepted, const Picture& picture) {
    if (!accepted) return;
    const bool whole = picture.Width > 0 && picture.Height > 0 &&
                       (picture.Channels == 3 || picture.Channels == 4) &&
                       picture.Pixels.size() == size_t(picture.RowBytes()) * size_t(picture.Height);
    if (!whole) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Picture png;
    CheckDecoded(DecodePngMemory(data, size, png), png);
    Picture jpeg;
    const bool decoded = DecodeJpegMemory(data, size, jpeg);
    CheckDecoded(decoded, jpeg);
    const int orientation = ReadExifOrientation(data, size);
    if (orientation < 1 || orientation > 8) std::abort();
    // Turning is plain copying; a small picture exercises it as well as a huge one.
    if (decoded && jpeg.Pixels.size() <= (4u << 20))
        CheckDecoded(true, ApplyExifOrientation(jpeg, orientation));
    return 0;
}
