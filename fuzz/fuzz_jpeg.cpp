#include "content/exif_orientation.h"
#include "content/jpeg_codec.h"
#include "fuzz/fuzz_support.h"

// A JPEG photo as the loader reads it: decoded, then turned upright by the
// orientation its EXIF data gives.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Picture jpeg;
    const bool decoded = DecodeJpegMemory(data, size, jpeg);
    CheckDecoded(decoded, jpeg);
    const int orientation = ReadExifOrientation(data, size);
    if (orientation < 1 || orientation > 8) std::abort();
    if (decoded) {
        const Picture upright = ApplyExifOrientation(jpeg, orientation);
        CheckDecoded(true, upright);
        const bool turned = orientation >= 5;
        if ((turned ? upright.Height : upright.Width) != jpeg.Width) std::abort();
    }
    return 0;
}
