#include "content/design_import.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "content/catalog.h"
#include "content/paper_to_ink.h"
#include "content/photo_reading.h"
#include "content/picture_writer.h"
#include "content/png_codec.h"

namespace {

// A design's PNG is written once and read once per run: fast compression
// matters more than the last tenth of its size.
constexpr int DesignPngCompression = 2;
// The miniature leaves this much white around the design.
constexpr int MiniatureMargin = 8;

DesignProblem ProblemOf(PhotoProblem problem) {
    switch (problem) {
    case PhotoProblem::None:
        return DesignProblem::None;
    case PhotoProblem::Empty:
        return DesignProblem::Empty;
    case PhotoProblem::NotAPicture:
        return DesignProblem::NotAPicture;
    case PhotoProblem::Damaged:
        return DesignProblem::Damaged;
    case PhotoProblem::TooLarge:
        return DesignProblem::TooLarge;
    case PhotoProblem::Unreadable:
        break;
    }
    return DesignProblem::Unreadable;
}

// Colours are averaged by how much of them shows, or the colour of the
// transparent pixels around a design would seep into its edges.
void Premultiply(Picture& picture, bool undo) {
    for (size_t i = 0; i + 3 < picture.Pixels.size(); i += 4) {
        const int alpha = picture.Pixels[i + 3];
        for (size_t c = 0; c < 3; ++c) {
            uint8_t& value = picture.Pixels[i + c];
            if (!undo)
                value = uint8_t((value * alpha + 127) / 255);
            else if (alpha > 0)
                value = uint8_t(std::min(255, (value * 255 + alpha / 2) / alpha));
        }
    }
}

// A transparent PNG keeps its alpha; every other picture is read as a photo,
// upright and scaled down by the photo reader.
DesignProblem ReadDesignPicture(const std::string& path, Picture& out) {
    PhotoFile file;
    if (const PhotoProblem problem = ReadPhotoFile(path, file); problem != PhotoProblem::None)
        return ProblemOf(problem);
    if (file.Type != PictureFileType::Png)
        return ProblemOf(DecodePhotoFile(file, MaxDesignSide, out));
    Picture picture;
    if (!DecodePngMemory(file.Bytes.data(), file.Bytes.size(), picture) || picture.Empty())
        return DesignProblem::Damaged;
    const PictureSize fitted = FittedPhotoSize(file, MaxDesignSide);
    if (fitted.Width != picture.Width || fitted.Height != picture.Height) {
        const bool alpha = picture.HasAlpha();
        if (alpha) Premultiply(picture, false);
        picture = ShrinkByAreaAveraging(picture, fitted.Width, fitted.Height);
        if (alpha) Premultiply(picture, true);
    }
    out = std::move(picture);
    return DesignProblem::None;
}

QImage ImageOf(const Picture& rgba) {
    return QImage(rgba.Pixels.data(), rgba.Width, rgba.Height, rgba.RowBytes(),
                  QImage::Format_RGBA8888);
}

Picture MiniatureOf(const Picture& design) {
    QImage miniature(MiniatureWidth, MiniatureHeight, QImage::Format_RGB888);
    miniature.fill(Qt::white);
    const QSize room(MiniatureWidth - 2 * MiniatureMargin, MiniatureHeight - 2 * MiniatureMargin);
    const QImage scaled = ImageOf(design)
                              .convertToFormat(QImage::Format_RGBA8888_Premultiplied)
                              .scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&miniature);
    painter.drawImage((MiniatureWidth - scaled.width()) / 2,
                      (MiniatureHeight - scaled.height()) / 2, scaled);
    painter.end();
    Picture out{MiniatureWidth, MiniatureHeight, 3, {}};
    out.Pixels.resize(size_t(out.RowBytes()) * out.Height);
    for (int y = 0; y < out.Height; ++y)
        std::memcpy(&out.Pixels[size_t(y) * out.RowBytes()], miniature.constScanLine(y),
                    size_t(out.RowBytes()));
    return out;
}

int32_t OnCatalogScale(int side, int square) {
    return std::max(1, int(std::lround(double(side) * CatalogScale / square)));
}

} // namespace

PreparedDesign LayOutDesign(const Picture& design) {
    PreparedDesign prepared;
    const int side = std::max(design.Width, design.Height);
    Picture square{side, side, 4, std::vector<uint8_t>(size_t(side) * side * 4)};
    const int left = (side - design.Width) / 2, top = (side - design.Height) / 2;
    for (int y = 0; y < design.Height; ++y)
        std::memcpy(&square.Pixels[(size_t(top + y) * side + left) * 4],
                    &design.Pixels[size_t(y) * design.RowBytes()], size_t(design.RowBytes()));
    prepared.Width = OnCatalogScale(design.Width, side);
    prepared.Height = OnCatalogScale(design.Height, side);
    if (!EncodePngMemory(square, prepared.Png, nullptr, DesignPngCompression))
        prepared.Problem = DesignProblem::Damaged;
    prepared.Miniature = MiniatureOf(design);
    return prepared;
}

PreparedDesign PrepareDesign(const std::string& path) {
    Picture picture;
    if (const DesignProblem problem = ReadDesignPicture(path, picture);
        problem != DesignProblem::None) {
        PreparedDesign failed;
        failed.Problem = problem;
        return failed;
    }
    // A picture with transparency is a design already; any other is ink on paper.
    const Picture design = HasTransparency(picture) ? picture : PaperToInk(picture);
    PreparedDesign prepared;
    if (design.Empty())
        prepared.Problem = DesignProblem::NoDrawing;
    else
        prepared = LayOutDesign(design);
    prepared.BaseName = std::filesystem::path(path).stem().string();
    return prepared;
}
