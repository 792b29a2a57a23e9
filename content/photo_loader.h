#pragma once

#include <QImage>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "content/picture_limits.h"
#include "content/picture_types.h"
#include "scene/picture.h"

// The source name that stands for the sample photo the program carries.
inline constexpr const char* StockPhotoSource = "FOTO_STOCK";
// Larger photos would not fit the 5 x 5 table of photo tiles.
constexpr int MaxPhotoSide = 2048;

// Loads a photo into the scene: the sample photo for "FOTO_STOCK", otherwise
// the picture file at that path. A photo over MaxPhotoSide a side (within the
// decoders' limits) is opened scaled down when the user agrees to the
// question. A photo that cannot be read is reported in a message box naming
// the cause; a refused or declined photo leaves the scene exactly as it was,
// and only a photo that will be used drops the tattoo layers and the paint
// layer. True when the photo was put in place.
bool OpenFoto(const std::string& source);

// The steps of OpenFoto, each usable on its own.

// Reads the source into an upright RGB picture (JPEGs are turned by their EXIF
// orientation, transparent PNG pixels become black), scaled down to fit
// maxSide a side. False when the source cannot be decoded or its extension is
// not a photo format.
bool ReadPhotoPicture(const std::string& source, Picture& out, int maxSide = MaxDecodeSide);

bool PhotoWithinLimit(int width, int height);

// How a photo of the given size fits a view: the zoom that shows all of it and
// how far the zoomed photo still overflows the view on each axis.
struct PhotoFit {
    float Zoom = 1.0f;
    int32_t OverflowX = 0;
    int32_t OverflowY = 0;
};
PhotoFit FitPhoto(int32_t photoWidth, int32_t photoHeight, int32_t viewWidth, int32_t viewHeight);

// Tiles along one side of a photo of this size: (size div 512) + 1.
int PhotoTileSpan(int32_t size);

// Deletes the current photo's tile textures over its own grid.
void DeletePhotoTiles();
// Puts the photo's 512 x 512 tiles into PhotoTiles, uploaded straight from
// its pixels into the current photo's tile textures (PhotoTiles over the grid
// of ImageWidth x ImageHeight) where the new grid has them; the caller then
// gives the scene the new photo's size. The tiles past an exact multiple of
// 512 hold nothing of the photo.
void UploadPhotoTiles(const Picture& photo);
// Clears the paint layer, re-sends the cleared blocks to their textures and
// selects everything. Blocks already clear are left as they are: a tile's
// texture holds its pixels unless the tile is dirty.
void ResetPaintLayer();
// Puts an already checked photo into the scene in place of the current one.
void ReplacePhoto(const Picture& photo);
// The same for a photo already shared, which the scene then keeps as it is.
void ReplaceScenePhoto(std::shared_ptr<const Picture> photo);

// Conversions between the decoders' pictures and Qt images.
bool PictureFromQImage(const QImage& image, Picture& out);
QImage QImageFromPicture(const Picture& picture);

// The whole file in memory; false when it cannot be read or is implausibly
// large for a picture.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);
