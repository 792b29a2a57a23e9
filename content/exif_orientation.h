#pragma once

#include <cstddef>

#include "scene/picture.h"

// The EXIF orientation stored in a JPEG file's data: 1 (upright) to 8. A file
// without EXIF data, or with a missing or invalid orientation, reads as 1.
int ReadExifOrientation(const void* jpegData, size_t size);

// Turns a picture stored with the given EXIF orientation upright: 2 mirrors it,
// 3 turns it by 180 degrees, 4 flips it vertically, 5 transposes it, 6 turns it
// 90 degrees clockwise, 7 transverses it and 8 turns it 90 degrees
// counter-clockwise. Any other value returns the picture as it is.
Picture ApplyExifOrientation(const Picture& picture, int orientation);
