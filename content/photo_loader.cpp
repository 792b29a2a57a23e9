#include "content/photo_loader.h"

#include <GL/gl.h>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>

#include "content/bmp_codec.h"
#include "content/content_messages.h"
#include "content/exif_orientation.h"
#include "content/jpeg_codec.h"
#include "content/png_codec.h"
#include "platform/canvas_context.h"
#include "platform/language.h"
#include "platform/resources.h"
#include "render/gl_canvas.h"
#include "render/tile_drawing.h"
#include "scene/frame_request.h"
#include "scene/geometry.h"
#include "scene/scene_state.h"
#include "scene/selection_mask.h"

namespace {

constexpr int TextPhotoUnusable = 72;
constexpr int TextPhotoErrorCaption = 41;
// No photo within the side limit comes near this as a file; anything larger
// is not worth reading into memory.
constexpr std::streamoff MaxPictureFileBytes = 256LL * 1024 * 1024;

// Transparent pixels of a photo are shown over black, as if painted onto an
// empty bitmap.
Picture FlattenOverBlack(const Picture& picture) {
    Picture rgb;
    rgb.Width = picture.Width;
    rgb.Height = picture.Height;
    rgb.Channels = 3;
    rgb.Pixels.resize(size_t(picture.Width) * picture.Height * 3);
    const uint8_t* from = picture.Pixels.data();
    uint8_t* to = rgb.Pixels.data();
    for (size_t i = 0, n = size_t(picture.Width) * picture.Height; i < n; ++i, from += 4) {
        for (int c = 0; c < 3; ++c)
            *to++ = uint8_t((from[c] * from[3] + 127) / 255);
    }
    return rgb;
}

bool ReadJpegPhoto(const std::string& path, Picture& out) {
    std::vector<uint8_t> bytes;
    Picture decoded;
    if (!ReadWholeFile(path, bytes) || !DecodeJpegMemory(bytes.data(), bytes.size(), decoded))
        return false;
    int orientation = ReadExifOrientation(bytes.data(), bytes.size());
    // Orientation 1 is already upright; skipping the copy matters for big photos.
    out = orientation == 1 ? std::move(decoded) : ApplyExifOrientation(decoded, orientation);
    return !out.Empty();
}

bool ReadPngPhoto(const std::string& path, Picture& out) {
    Picture decoded;
    if (!DecodePngFile(path, decoded)) return false;
    out = decoded.HasAlpha() ? FlattenOverBlack(decoded) : std::move(decoded);
    return !out.Empty();
}

bool ReadBmpPhoto(const std::string& path, Picture& out) {
    std::vector<uint8_t> bytes;
    return ReadWholeFile(path, bytes) && DecodeBmpMemory(bytes.data(), bytes.size(), out);
}

// The current photo's tile names inside a grid of columns x rows, column by
// column (0 where it has none); its tiles outside that grid are deleted, one
// call per tile, and PhotoTiles is left empty. Handing the names on to the
// next photo spares the GL a fresh allocation for every tile.
std::vector<TextureName> TakePhotoTiles(int columns, int rows) {
    std::vector<TextureName> names(size_t(columns) * rows, 0);
    if (PhotoWidth <= 0 || PhotoHeight <= 0) return names;
    int oldColumns = std::min(PhotoTileSpan(ImageWidth), PhotoTileCount);
    int oldRows = std::min(PhotoTileSpan(ImageHeight), PhotoTileCount);
    for (int i = 0; i < oldColumns; ++i)
        for (int j = 0; j < oldRows; ++j) {
            if (i < columns && j < rows)
                names[size_t(i) * rows + j] = PhotoTiles[i][j];
            else
                glDeleteTextures(1, &PhotoTiles[i][j]);
            PhotoTiles[i][j] = 0;
        }
    return names;
}

void ReportUnusablePhoto() {
    AskContentMessage(Lang(TextPhotoUnusable), Lang(TextPhotoErrorCaption), MessageButtons::Ok,
                      MessageIcon::Error);
}

void FitPhotoIntoView() {
    PhotoFit fit = FitPhoto(PhotoWidth, PhotoHeight, ViewWidth, ViewHeight);
    Zoom = fit.Zoom;
    OverflowX = fit.OverflowX;
    OverflowY = fit.OverflowY;
    PanX = 0;
    PanY = 0;
}

} // namespace

std::string LowerExtension(const std::string& source) {
    size_t slash = source.find_last_of("/\\");
    size_t dot = source.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string extension = source.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return false;
    std::streamoff size = file.tellg();
    if (size <= 0 || size > MaxPictureFileBytes) return false;
    bytes.resize(size_t(size));
    file.seekg(0);
    return bool(file.read(reinterpret_cast<char*>(bytes.data()), size));
}

bool PictureFromQImage(const QImage& image, Picture& out) {
    if (image.isNull()) return false;
    QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    Picture picture;
    picture.Width = rgb.width();
    picture.Height = rgb.height();
    picture.Channels = 3;
    picture.Pixels.resize(size_t(picture.RowBytes()) * picture.Height);
    for (int y = 0; y < picture.Height; ++y)
        std::memcpy(picture.Pixels.data() + size_t(y) * picture.RowBytes(), rgb.constScanLine(y),
                    picture.RowBytes());
    out = std::move(picture);
    return !out.Empty();
}

QImage QImageFromPicture(const Picture& picture) {
    if (picture.Empty()) return {};
    QImage::Format format = picture.HasAlpha() ? QImage::Format_RGBA8888 : QImage::Format_RGB888;
    QImage view(picture.Pixels.data(), picture.Width, picture.Height, picture.RowBytes(), format);
    return view.copy();
}

bool ReadPhotoPicture(const std::string& source, Picture& out) {
    if (source == StockPhotoSource) return PictureFromQImage(ResourceBitmap("STOCK_FOTO"), out);
    std::string extension = LowerExtension(source);
    if (extension == ".jpg" || extension == ".jpeg") return ReadJpegPhoto(source, out);
    if (extension == ".png") return ReadPngPhoto(source, out);
    if (extension == ".bmp") return ReadBmpPhoto(source, out);
    return false;
}

bool PhotoWithinLimit(int width, int height) {
    return width >= 1 && height >= 1 && width <= MaxPhotoSide && height <= MaxPhotoSide;
}

PhotoFit FitPhoto(int32_t photoWidth, int32_t photoHeight, int32_t viewWidth, int32_t viewHeight) {
    PhotoFit fit;
    if (photoWidth <= 0 || photoHeight <= 0) return fit;
    fit.Zoom = FitZoom(photoWidth, photoHeight, viewWidth, viewHeight);
    // The overflow is measured with the zoom as stored, not as computed.
    fit.OverflowX = std::max(0, int32_t(photoWidth * double(fit.Zoom)) - viewWidth);
    fit.OverflowY = std::max(0, int32_t(photoHeight * double(fit.Zoom)) - viewHeight);
    return fit;
}

int PhotoTileSpan(int32_t size) {
    return size / PhotoTileSize + 1;
}

void DeletePhotoTiles() {
    TakePhotoTiles(0, 0);
}

void UploadPhotoTiles(const Picture& photo) {
    int columns = std::min(PhotoTileSpan(photo.Width), PhotoTileCount);
    int rows = std::min(PhotoTileSpan(photo.Height), PhotoTileCount);
    std::vector<TextureName> names = TakePhotoTiles(columns, rows);
    UploadTextureTiles(photo, PhotoTileSize, columns, rows, names);
    for (int i = 0; i < columns; ++i)
        for (int j = 0; j < rows; ++j)
            PhotoTiles[i][j] = names[size_t(i) * rows + j];
}

void ResetPaintLayer() {
    SelectWholeMask();
    ClearPaintTiles();
    // A polygon still being drawn belonged to the old photo: it ends, and the
    // Select tool with it, so no outline of it is drawn over the new photo.
    SelectionClosed = true;
    SelectionLast = 0;
    if (ToolMode == Tool::Select) ToolMode = Tool::SelectionDone;
}

void ReplacePhoto(const Picture& photo) {
    LastLayer = -1;
    // The layer the pointer was over no longer exists.
    HoverLayer = -1;
    // Handlers run outside frames, where another context may be current.
    MakeCanvasCurrent();
    UploadPhotoTiles(photo);
    PhotoWidth = ImageWidth = photo.Width;
    PhotoHeight = ImageHeight = photo.Height;
    QuarterTurns = 0;
    ResetPaintLayer();
    FitPhotoIntoView();
    RequestFrame();
}

bool OpenFoto(const std::string& source) {
    // Read and check first: a photo that is refused must not cost the user
    // the tattoos already placed.
    Picture photo;
    if (!ReadPhotoPicture(source, photo) || !PhotoWithinLimit(photo.Width, photo.Height)) {
        ReportUnusablePhoto();
        return false;
    }
    ReplacePhoto(photo);
    return true;
}
