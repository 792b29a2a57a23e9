#include "content/png_codec.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Picture png;
    CheckDecoded(DecodePngMemory(data, size, png), png);
    return 0;
}
