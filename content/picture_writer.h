#pragma once

#include <optional>
#include <string>
#include <vector>

#include "content/picture_types.h"
#include "scene/picture.h"

// Saved JPEGs keep fine skin texture and tattoo lines at a moderate size.
constexpr int SavedJpegQuality = 92;

// The extension a type adds to a name that has none, with its point.
const char* ExtensionOf(PictureFileType type);

// Where a picture typed in the save dialog goes and in which type: a known
// extension decides the type whatever filter was chosen; any other name gets
// the chosen filter's extension added.
struct SaveTarget {
    std::string Path;
    PictureFileType Type = PictureFileType::Jpeg;
    bool Session = false; // a session (.ora) rather than a picture
};
SaveTarget ChooseSaveTarget(const std::string& typedPath, PictureFileType chosenFilter);

// Encodes an RGB or RGBA picture as a lossless PNG in memory (alpha kept), at
// zlib's compression level (0..9; its default unless given).
constexpr int PngDefaultCompression = -1;
bool EncodePngMemory(const Picture& picture, std::vector<unsigned char>& out,
                     std::string* error = nullptr, int compressionLevel = PngDefaultCompression);

// Writes the picture in the given type, atomically (see WriteFileAtomically):
// a failure leaves any file already at the path as it was.
bool WritePictureFile(const std::string& path, const Picture& picture, PictureFileType type,
                      std::string* error = nullptr);
