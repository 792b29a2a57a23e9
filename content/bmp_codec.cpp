#include "content/bmp_codec.h"

#include <QImage>
#include <cstdint>
#include <cstdlib>

#include "content/photo_loader.h"
#include "content/picture_limits.h"
#include "content/picture_types.h"

namespace {

uint32_t Little(const unsigned char* data, size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | data[at + size_t(i)];
    return value;
}

} // namespace

bool BmpSizeOf(const unsigned char* data, size_t size, int& width, int& height) {
    constexpr size_t CoreHeaderEnd = 26, InfoHeaderEnd = 34;
    if (!data || size < CoreHeaderEnd || data[0] != 'B' || data[1] != 'M') return false;
    int64_t w = 0, h = 0;
    if (Little(data, 14, 4) == 12) { // the old OS/2 header: 16-bit sizes
        w = Little(data, 18, 2);
        h = Little(data, 20, 2);
    } else {
        if (size < InfoHeaderEnd) return false;
        w = int32_t(Little(data, 18, 4));
        h = int32_t(Little(data, 22, 4));
    }
    // A negative height means rows stored top first.
    if (w <= 0 || w > INT32_MAX || std::llabs(h) > INT32_MAX) return false;
    width = int(w);
    height = int(std::llabs(h));
    return true;
}

bool BmpRowsComplete(const unsigned char* data, size_t size) {
    constexpr size_t CoreHeaderEnd = 26, InfoHeaderEnd = 34;
    if (size < CoreHeaderEnd) return false;
    int64_t width = 0, height = 0, bits = 0;
    uint32_t compression = 0;
    if (Little(data, 14, 4) == 12) { // the old OS/2 header: 16-bit sizes
        width = Little(data, 18, 2);
        height = Little(data, 20, 2);
        bits = Little(data, 24, 2);
    } else {
        if (size < InfoHeaderEnd) return false;
        width = int32_t(Little(data, 18, 4));
        height = int32_t(Little(data, 22, 4));
        bits = Little(data, 28, 2);
        compression = Little(data, 30, 4);
    }
    constexpr uint32_t Plain = 0, BitFields = 3;
    if (compression != Plain && compression != BitFields) return true;
    const int64_t stride = (std::llabs(width) * bits + 31) / 32 * 4;
    const uint32_t offset = Little(data, 10, 4);
    if (offset > size) return false;
    // Rows that fit, counted by division: a product of stated sizes can overflow.
    return stride == 0 || int64_t(size - offset) / stride >= std::llabs(height);
}

bool DecodeBmpMemory(const void* data, size_t size, Picture& out) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    int width = 0, height = 0;
    // Compressed bitmaps say nothing of their size through their length, so
    // the stated size is held to the limits before Qt's reader allocates it.
    if (!bytes || size > size_t(INT32_MAX) || !BmpSizeOf(bytes, size, width, height) ||
        !WithinDecodeLimits(width, height) || !BmpRowsComplete(bytes, size))
        return false;
    QImage image;
    if (!image.loadFromData(bytes, int(size), PictureTypeName(PictureFileType::Bmp))) return false;
    return PictureFromQImage(image, out);
}
