#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "scene/picture.h"

// A decoder may refuse anything, but what it accepts must be a whole picture.
inline void CheckDecoded(bool accepted, const Picture& picture) {
    if (!accepted) return;
    const bool whole = picture.Width > 0 && picture.Height > 0 &&
                       (picture.Channels == 3 || picture.Channels == 4) &&
                       picture.Pixels.size() == size_t(picture.RowBytes()) * size_t(picture.Height);
    if (!whole) std::abort();
}

// A folder of this process's own under the system's temporary folder, made on
// first use and reused by every input, ending in '/'.
const std::string& FuzzFolder();

// Writes the bytes to FuzzFolder() + relative, making its folders.
std::string WriteFuzzFile(const std::string& relative, const void* data, size_t size);
inline std::string WriteFuzzFile(const std::string& relative, const std::string& text) {
    return WriteFuzzFile(relative, text.data(), text.size());
}
