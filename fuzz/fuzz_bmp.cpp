#include "content/bmp_codec.h"
#include "fuzz/fuzz_support.h"

// BMP photos are decoded by Qt's own reader behind a check of the stated
// size; a broken file must be refused, and what is accepted must convert to
// a whole picture.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Picture picture;
    CheckDecoded(DecodeBmpMemory(data, size, picture), picture);
    return 0;
}
