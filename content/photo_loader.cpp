#include "content/photo_loader.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>

#include "content/content_messages.h"
#include "content/photo_reading.h"
#include "content/picture_writer.h"
#include "content/session_scene.h"
#include "platform/canvas_context.h"
#include "platform/language.h"
#include "platform/resources.h"
#include "render/gl_canvas.h"
#include "render/tile_drawing.h"
#include "scene/frame_request.h"
#include "scene/geometry.h"
#include "scene/history.h"
#include "scene/scene_changes.h"
#include "scene/scene_state.h"
#include "scene/selection_mask.h"
#include "scene/shading_map.h"

namespace {

constexpr int TextPhotoTooLarge = 72;
constexpr int TextPhotoEmpty = 73;
constexpr int TextPhotoNotAPicture = 74;
constexpr int TextPhotoDamaged = 75;
constexpr int TextPhotoUnreadable = 76;
constexpr int TextPhotoScaleDown = 77;
constexpr int TextQuestionCaption = 40;
constexpr int TextPhotoErrorCaption = 41;
constexpr int TextPhotoLost = 59;

// Everything a new photo changes; undoing its opening brings all of it back.
constexpr unsigned PhotoStepParts =
    StepPart::Layers | StepPart::Paint | StepPart::Selection | StepPart::View | StepPart::Photo;

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

int ProblemText(PhotoProblem problem) {
    switch (problem) {
    case PhotoProblem::Empty:
        return TextPhotoEmpty;
    case PhotoProblem::NotAPicture:
        return TextPhotoNotAPicture;
    case PhotoProblem::Damaged:
        return TextPhotoDamaged;
    case PhotoProblem::TooLarge:
        return TextPhotoTooLarge;
    case PhotoProblem::None:
    case PhotoProblem::Unreadable:
        break;
    }
    return TextPhotoUnreadable;
}

void ReportUnusablePhoto(PhotoProblem problem) {
    AskContentMessage(Lang(ProblemText(problem)), Lang(TextPhotoErrorCaption), MessageButtons::Ok,
                      MessageIcon::Error);
}

// Puts the sizes into the question's %1 x %2 (the photo) and %3 x %4 (scaled).
std::string ScaleDownQuestion(const PhotoFile& file, PictureSize scaled) {
    std::string text = Lang(TextPhotoScaleDown);
    const int values[] = {file.Width, file.Height, scaled.Width, scaled.Height};
    for (int n = 0; n < 4; ++n) {
        const std::string mark = {'%', char('1' + n)};
        if (size_t at = text.find(mark); at != std::string::npos)
            text.replace(at, mark.size(), std::to_string(values[n]));
    }
    return text;
}

bool AgreesToScaleDown(const PhotoFile& file) {
    const PictureSize scaled = FittedPhotoSize(file, MaxPhotoSide);
    return AskContentMessage(ScaleDownQuestion(file, scaled), Lang(TextQuestionCaption),
                             MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::Yes;
}

// An undo or redo shows a photo again: its tiles, then the view of the step.
// What is made from the photo follows it: the ink look's shading, and the
// photo a session saves (its pixels now, as the file it came from is gone).
bool ShowPhotoAgain(Picture&& photo) {
    MakeCanvasCurrent();
    UploadPhotoTiles(photo);
    PhotoShading = ComputeShadingMap(photo);
    CurrentPhoto = std::move(photo);
    RememberScenePhoto(std::make_shared<const Picture>(CurrentPhoto), nullptr, {});
    return true;
}

void ReportPhotoLost() {
    AskContentMessage(Lang(TextPhotoLost), Lang(TextPhotoErrorCaption), MessageButtons::Ok,
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

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    if (!IsRegularFile(path)) return false;
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

bool ReadPhotoPicture(const std::string& source, Picture& out, int maxSide) {
    if (source == StockPhotoSource) return PictureFromQImage(ResourceBitmap("STOCK_FOTO"), out);
    PhotoFile file;
    return ReadPhotoFile(source, file) == PhotoProblem::None &&
           DecodePhotoFile(file, maxSide, out) == PhotoProblem::None;
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
    ReplaceScenePhoto(std::make_shared<const Picture>(photo));
}

void ReplaceScenePhoto(SharedPicture shared) {
    ShowHistoryPhoto = ShowPhotoAgain;
    ReportLostPhoto = ReportPhotoLost;
    // The first photo is where the history starts; any later one is a step,
    // unless a session being opened makes the whole scene one step.
    const bool step = PhotoWidth > 0 && PhotoHeight > 0 && !CurrentPhoto.Empty() && !StepOpen();
    if (step) BeginStep(StepKind::OpenPhoto, PhotoStepParts);
    const Picture& photo = *shared;
    LastLayer = -1;
    // The layer the pointer was over no longer exists.
    HoverLayer = -1;
    // Handlers run outside frames, where another context may be current.
    MakeCanvasCurrent();
    UploadPhotoTiles(photo);
    // Once per photo, never per frame: the ink look reads it.
    PhotoShading = ComputeShadingMap(photo);
    PhotoWidth = ImageWidth = photo.Width;
    PhotoHeight = ImageHeight = photo.Height;
    QuarterTurns = 0;
    ResetPaintLayer();
    FitPhotoIntoView();
    CurrentPhoto = photo;
    CurrentPhotoChanged();
    // Until the caller names the file it came from, a session keeps the
    // photo's pixels.
    RememberScenePhoto(std::move(shared), nullptr, {});
    ++PhotoLoadCount;
    if (step) EndStep();
    RequestFrame();
}

bool OpenFoto(const std::string& source) {
    // Read and check first: a photo that is refused must not cost the user
    // the tattoos already placed.
    Picture photo;
    if (source == StockPhotoSource) {
        if (!ReadPhotoPicture(source, photo)) return false;
        ReplacePhoto(photo);
        return true;
    }
    PhotoFile file;
    PhotoProblem problem = ReadPhotoFile(source, file);
    if (problem == PhotoProblem::None && !PhotoWithinLimit(file.Width, file.Height) &&
        !AgreesToScaleDown(file))
        return false;
    if (problem == PhotoProblem::None) problem = DecodePhotoFile(file, MaxPhotoSide, photo);
    if (problem != PhotoProblem::None) {
        ReportUnusablePhoto(problem);
        return false;
    }
    auto shared = std::make_shared<const Picture>(std::move(photo));
    ReplaceScenePhoto(shared);
    // A session keeps the file itself, so a JPEG is never compressed again.
    RememberScenePhoto(std::move(shared),
                       std::make_shared<const std::vector<uint8_t>>(std::move(file.Bytes)),
                       ExtensionOf(file.Type));
    return true;
}
