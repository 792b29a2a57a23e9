#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "content/picture_types.h"
#include "scene/picture.h"

// Why a picture file cannot be used as a photo; each has its own message.
enum class PhotoProblem { None, Empty, NotAPicture, Damaged, TooLarge, Unreadable };

// A picture file read into memory: its type (the extension's, confirmed by
// the content) and its upright size from the header, known before any pixel
// is decoded.
struct PhotoFile {
    PictureFileType Type = PictureFileType::Jpeg;
    std::vector<uint8_t> Bytes;
    int Orientation = 1; // EXIF orientation of a JPEG, 1 for upright
    int StoredWidth = 0, StoredHeight = 0;
    int Width = 0, Height = 0; // upright
};

// Reads the file and its header. A file over the decode limits is TooLarge
// here, before anything is allocated for its pixels.
PhotoProblem ReadPhotoFile(const std::string& path, PhotoFile& out);
// The same for a file's bytes already in memory, of the type its name gives.
PhotoProblem ReadPhotoBytes(std::vector<uint8_t> bytes, std::optional<PictureFileType> named,
                            PhotoFile& out);

struct PictureSize {
    int Width = 0;
    int Height = 0;
};

// The upright size the photo has once it fits within maxSide a side. A JPEG
// may come out a little under maxSide: libjpeg's own scaling to the nearest
// eighth that fits is taken when it keeps most of the size.
PictureSize FittedPhotoSize(const PhotoFile& file, int maxSide);

// Decodes the photo upright into RGB (transparent PNG pixels over black) at
// FittedPhotoSize, scaling down by area averaging after the EXIF turn.
PhotoProblem DecodePhotoFile(const PhotoFile& file, int maxSide, Picture& out);

// Each target pixel is the average of the source area it covers.
Picture ShrinkByAreaAveraging(const Picture& picture, int width, int height);
