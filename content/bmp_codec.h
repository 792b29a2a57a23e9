#pragma once

#include <cstddef>

#include "scene/picture.h"

// Decodes a Windows bitmap into 8-bit RGB through Qt's reader. A bitmap whose
// pixel rows end before its header says they do is refused: Qt's reader
// would accept it and leave the missing rows holding whatever memory held.
// Compressed (RLE) bitmaps have no fixed size and are left to Qt's reader.
bool DecodeBmpMemory(const void* data, size_t size, Picture& out);

// True when the bitmap's stated rows all lie within its `size` bytes.
bool BmpRowsComplete(const unsigned char* data, size_t size);

// The width and height stated in a bitmap's header (rows stored top first
// counted as a positive height); false when the data does not start like one.
bool BmpSizeOf(const unsigned char* data, size_t size, int& width, int& height);
