#include <QImage>

#include "content/photo_loader.h"
#include "fuzz/fuzz_support.h"

// BMP photos are read by Qt's own reader; what matters here is that a broken
// file is refused, and that what is accepted converts to a whole picture.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Picture picture;
    const std::string path = WriteFuzzFile("photo.bmp", data, size);
    CheckDecoded(ReadPhotoPicture(path, picture), picture);
    return 0;
}
