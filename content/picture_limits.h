#pragma once

// The largest picture any decoder will allocate memory for. A file's header is
// checked against these before a single pixel is read, so a hostile or broken
// header cannot make the program reserve gigabytes.
constexpr int MaxDecodeSide = 16384;
constexpr long long MaxDecodePixels = 64LL * 1024 * 1024;

// No picture within those limits comes near this as a file; anything larger
// is not worth reading into memory.
constexpr long long MaxPictureFileBytes = 256LL * 1024 * 1024;

// True when a picture of this size may be decoded.
constexpr bool WithinDecodeLimits(long long width, long long height) {
    return width > 0 && height > 0 && width <= MaxDecodeSide && height <= MaxDecodeSide &&
           width * height <= MaxDecodePixels;
}
