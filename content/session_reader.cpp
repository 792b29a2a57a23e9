#include <QXmlStreamReader>
#include <algorithm>
#include <memory>

#include "content/catalog.h"
#include "content/dropped_design.h"
#include "content/photo_loader.h"
#include "content/photo_reading.h"
#include "content/png_codec.h"
#include "content/session_file.h"
#include "content/session_json.h"
#include "content/zip_archive.h"

namespace {

constexpr const char* StackEntry = "stack.xml";

SessionProblem FromZip(ZipProblem problem) {
    switch (problem) {
    case ZipProblem::None:
        return SessionProblem::None;
    case ZipProblem::NotAZip:
        return SessionProblem::NotASession;
    case ZipProblem::TooLarge:
        return SessionProblem::TooLarge;
    case ZipProblem::Damaged:
    case ZipProblem::Missing:
    case ZipProblem::BadName:
        break;
    }
    return SessionProblem::Damaged;
}

SessionProblem FromPhoto(PhotoProblem problem) {
    if (problem == PhotoProblem::None) return SessionProblem::None;
    return problem == PhotoProblem::TooLarge ? SessionProblem::TooLarge : SessionProblem::Damaged;
}

// A stack.xml that is no well-formed OpenRaster stack marks a damaged file,
// even when Velmora's own part would do without it.
bool StackWellFormed(ZipReader& zip) {
    std::vector<uint8_t> text;
    if (zip.Read(StackEntry, text) != ZipProblem::None) return false;
    QXmlStreamReader xml(QByteArray::fromRawData(reinterpret_cast<const char*>(text.data()),
                                                 qsizetype(text.size())));
    bool image = false;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"image")
            image = true;
    return image && !xml.hasError();
}

SessionProblem ReadPng(ZipReader& zip, const std::string& entry, Picture& out) {
    std::vector<uint8_t> bytes;
    if (const ZipProblem problem = zip.Read(entry, bytes); problem != ZipProblem::None)
        return FromZip(problem);
    if (!DecodePngMemory(bytes.data(), bytes.size(), out)) return SessionProblem::Damaged;
    return SessionProblem::None;
}

// A foreign file is its composed picture, scaled to the photo limit.
SessionProblem ReadForeign(ZipReader& zip, SessionScene& out) {
    Picture merged;
    if (!zip.Has(MergedEntry)) return SessionProblem::NotASession;
    if (const SessionProblem problem = ReadPng(zip, MergedEntry, merged);
        problem != SessionProblem::None)
        return problem;
    Picture photo;
    if (!PictureFromQImage(QImageFromPicture(merged), photo)) return SessionProblem::Damaged;
    if (!PhotoWithinLimit(photo.Width, photo.Height)) {
        const double scale = double(MaxPhotoSide) / std::max(photo.Width, photo.Height);
        photo = ShrinkByAreaAveraging(photo, std::max(1, int(photo.Width * scale)),
                                      std::max(1, int(photo.Height * scale)));
    }
    out = SessionScene{};
    out.Selection = {TSelectionPoint{}};
    out.Photo = std::make_shared<const Picture>(std::move(photo));
    return SessionProblem::None;
}

SessionProblem ReadPhoto(ZipReader& zip, const SessionIndex& index, SessionScene& out) {
    Picture photo;
    if (index.PhotoSuffix.empty()) {
        if (const SessionProblem problem = ReadPng(zip, index.PhotoEntry, photo);
            problem != SessionProblem::None)
            return problem;
        // The photo is opaque; an RGBA entry from elsewhere loses its alpha.
        if (photo.HasAlpha() && !PictureFromQImage(QImageFromPicture(photo), photo))
            return SessionProblem::Damaged;
    } else {
        std::vector<uint8_t> bytes;
        if (const ZipProblem problem = zip.Read(index.PhotoEntry, bytes);
            problem != ZipProblem::None)
            return FromZip(problem);
        PhotoFile file;
        std::string name = "photo";
        name += index.PhotoSuffix;
        if (const PhotoProblem problem =
                ReadPhotoBytes(std::move(bytes), TypeOfFileName(name), file);
            problem != PhotoProblem::None)
            return FromPhoto(problem);
        if (const PhotoProblem problem = DecodePhotoFile(file, MaxPhotoSide, photo);
            problem != PhotoProblem::None)
            return FromPhoto(problem);
        out.PhotoFile = std::make_shared<const std::vector<uint8_t>>(std::move(file.Bytes));
        out.PhotoSuffix = index.PhotoSuffix;
    }
    // The photo must come out exactly as it was saved.
    if (photo.Width != index.PhotoWidth || photo.Height != index.PhotoHeight)
        return SessionProblem::Damaged;
    if (!PhotoWithinLimit(photo.Width, photo.Height)) return SessionProblem::TooLarge;
    out.Photo = std::make_shared<const Picture>(std::move(photo));
    return SessionProblem::None;
}

SessionProblem ReadPictures(ZipReader& zip, const SessionIndex& index, SessionScene& out) {
    if (const SessionProblem problem = ReadPhoto(zip, index, out); problem != SessionProblem::None)
        return problem;
    for (size_t i = 0; i < out.Designs.size(); ++i) {
        Picture design;
        if (const SessionProblem problem = ReadPng(zip, index.DesignEntries[i], design);
            problem != SessionProblem::None)
            return problem;
        if (design.Width > MaxDroppedDesignSide || design.Height > MaxDroppedDesignSide)
            return SessionProblem::TooLarge;
        if (!design.HasAlpha()) design = DesignWithAlpha(design);
        out.Designs[i].Pixels = std::make_shared<const Picture>(std::move(design));
    }
    if (index.PaintEntry.empty()) return SessionProblem::None;
    if (const SessionProblem problem = ReadPng(zip, index.PaintEntry, out.Paint);
        problem != SessionProblem::None)
        return problem;
    if (out.Paint.Width != out.Photo->Width || out.Paint.Height != out.Photo->Height)
        return SessionProblem::Damaged;
    if (!out.Paint.HasAlpha()) out.Paint = DesignWithAlpha(out.Paint);
    return SessionProblem::None;
}

} // namespace

SessionProblem DecodeSession(const std::vector<uint8_t>& bytes, SessionScene& out) {
    ZipReader zip;
    if (const ZipProblem problem = zip.Open(bytes); problem != ZipProblem::None)
        return FromZip(problem);
    return DecodeSessionZip(zip, out);
}

SessionProblem DecodeSessionFile(const std::string& path, SessionScene& out) {
    if (!IsRegularFile(path)) return SessionProblem::Damaged;
    ZipReader zip;
    if (const ZipProblem problem = zip.OpenFile(path); problem != ZipProblem::None)
        return FromZip(problem);
    return DecodeSessionZip(zip, out);
}

SessionProblem DecodeSessionZip(ZipReader& zip, SessionScene& out) {
    if (!zip.Has(SessionJsonEntry)) return ReadForeign(zip, out);
    if (!StackWellFormed(zip)) return SessionProblem::Damaged;
    std::vector<uint8_t> text;
    if (const ZipProblem problem = zip.Read(SessionJsonEntry, text); problem != ZipProblem::None)
        return FromZip(problem);
    SessionScene scene;
    SessionIndex index;
    switch (ParseSessionJson(
        QByteArray(reinterpret_cast<const char*>(text.data()), qsizetype(text.size())), scene,
        index)) {
    case SessionJsonProblem::None:
        break;
    case SessionJsonProblem::Newer:
        return SessionProblem::Newer;
    case SessionJsonProblem::Broken:
        return SessionProblem::Damaged;
    }
    if (const SessionProblem problem = ReadPictures(zip, index, scene);
        problem != SessionProblem::None)
        return problem;
    out = std::move(scene);
    return SessionProblem::None;
}
