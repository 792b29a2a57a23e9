#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The picture file types the program reads, and saves in the order the save
// dialog offers them.
enum class PictureFileType { Jpeg, Bmp, Png };

// The type's own name ("JPEG", "BMP", "PNG"), as messages and Qt's readers use it.
const char* PictureTypeName(PictureFileType type);

// The file name's extension from its last point on, in lower case; empty when
// the name has none.
std::string LowerExtension(const std::string& source);

// The type a file name asks for by its extension (.jpg, .jpeg, .bmp, .png in
// any case); none for another extension or none at all.
std::optional<PictureFileType> TypeOfFileName(const std::string& path);

// The type the data's first bytes announce; none when they announce no type
// the program reads.
std::optional<PictureFileType> TypeOfContent(const uint8_t* data, size_t size);

// True for a plain file. Opening a FIFO or a device named like a picture would
// wait for a writer or read forever, so readers check this before opening.
bool IsRegularFile(const std::string& path);
