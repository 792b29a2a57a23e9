#include "content/session_file.h"

#include <QImage>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cstring>

#include "content/atomic_file.h"
#include "content/photo_loader.h"
#include "content/picture_writer.h"
#include "content/session_json.h"
#include "content/zip_archive.h"

namespace {

constexpr const char* StackEntry = "stack.xml";
constexpr const char* ThumbnailEntry = "Thumbnails/thumbnail.png";
constexpr const char* OpenRasterVersion = "0.0.5";

struct StackLayer {
    std::string Name;
    std::string Entry;
    int X = 0;
    int Y = 0;
    bool Visible = true;
};

struct Box {
    int X0, Y0, X1, Y1;
};

// The smallest box holding every pixel with some alpha; X1 <= X0 when none.
Box PaintedBox(const Picture& paint) {
    Box box{paint.Width, paint.Height, 0, 0};
    for (int y = 0; y < paint.Height; ++y) {
        const uint8_t* row = paint.Pixels.data() + size_t(y) * size_t(paint.RowBytes());
        for (int x = 0; x < paint.Width; ++x)
            if (row[x * 4 + 3] != 0) {
                box = {std::min(box.X0, x), std::min(box.Y0, y), std::max(box.X1, x + 1),
                       std::max(box.Y1, y + 1)};
            }
    }
    return box;
}

Picture Cropped(const Picture& picture, const Box& box) {
    Picture out{box.X1 - box.X0, box.Y1 - box.Y0, picture.Channels, {}};
    out.Pixels.resize(size_t(out.RowBytes()) * size_t(out.Height));
    for (int y = 0; y < out.Height; ++y)
        std::copy_n(picture.Pixels.data() + size_t(box.Y0 + y) * size_t(picture.RowBytes()) +
                        size_t(box.X0) * size_t(picture.Channels),
                    size_t(out.RowBytes()), out.Pixels.data() + size_t(y) * size_t(out.RowBytes()));
    return out;
}

QByteArray StackXml(int width, int height, const std::vector<StackLayer>& bottomFirst) {
    QByteArray text;
    QXmlStreamWriter xml(&text);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement("image");
    xml.writeAttribute("version", OpenRasterVersion);
    xml.writeAttribute("w", QString::number(width));
    xml.writeAttribute("h", QString::number(height));
    xml.writeStartElement("stack");
    // OpenRaster lists the top layer first.
    for (auto layer = bottomFirst.rbegin(); layer != bottomFirst.rend(); ++layer) {
        xml.writeEmptyElement("layer");
        xml.writeAttribute("name", QString::fromStdString(layer->Name));
        xml.writeAttribute("src", QString::fromStdString(layer->Entry));
        xml.writeAttribute("x", QString::number(layer->X));
        xml.writeAttribute("y", QString::number(layer->Y));
        xml.writeAttribute("opacity", "1.000");
        xml.writeAttribute("visibility", layer->Visible ? "visible" : "hidden");
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return text;
}

std::vector<uint8_t> Bytes(const QByteArray& text) {
    return {text.begin(), text.end()};
}

Picture Thumbnail(const Picture& picture) {
    const QImage scaled = QImageFromPicture(picture).scaled(
        SessionThumbnailSide, SessionThumbnailSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    Picture out;
    if (!PictureFromQImage(scaled, out)) return picture;
    return out;
}

// Collects the PNG entries, stopping at the first that cannot be encoded.
class EntryList {
  public:
    explicit EntryList(ZipWriter& zip) : zip_(zip) {}
    bool AddPng(const std::string& name, const Picture& picture,
                int level = SessionLayerCompression) {
        std::vector<unsigned char> png;
        if (!failed_ && !EncodePngMemory(picture, png, &error_, level)) failed_ = true;
        if (!failed_) zip_.Add(name, std::move(png), ZipWriter::Method::Stored);
        return !failed_;
    }
    bool Failed(std::string& error) const {
        if (failed_) error = error_;
        return failed_;
    }

  private:
    ZipWriter& zip_;
    bool failed_ = false;
    std::string error_;
};

void AddTattooLayers(const SessionScene& scene, EntryList& entries,
                     std::vector<StackLayer>& stack) {
    for (size_t i = 0; i < scene.Shown.size() && i < scene.Tattoos.size(); ++i) {
        const LayerPicture& shown = scene.Shown[i];
        if (shown.Pixels.Empty()) continue;
        std::string entry = "data/tattoo-";
        entry += std::to_string(i);
        entry += ".png";
        entries.AddPng(entry, shown.Pixels);
        std::string name = "Tattoo ";
        name += std::to_string(i + 1);
        stack.push_back({name, entry, shown.X, shown.Y, scene.Tattoos[i].Layer.Visible});
    }
}

// The paint layer: at full size in Velmora's part, and as shown, cut to what
// is painted, in the stack. False when nothing is painted.
bool AddPaint(const SessionScene& scene, EntryList& entries, std::vector<StackLayer>& stack) {
    if (scene.Paint.Empty()) return false;
    const Picture turned = TurnedPicture(scene.Paint, scene.View.QuarterTurns);
    const Box box = PaintedBox(turned);
    if (box.X1 <= box.X0 || box.Y1 <= box.Y0) return false;
    entries.AddPng("data/paint.png", Cropped(turned, box));
    stack.push_back({"Paint", "data/paint.png", box.X0, box.Y0, true});
    entries.AddPng(SessionPaintEntry, scene.Paint);
    return true;
}

void AddVelmoraPart(const SessionScene& scene, bool painted, ZipWriter& zip, EntryList& entries) {
    if (scene.PhotoFile && !scene.PhotoSuffix.empty())
        zip.Add(SessionPhotoEntry(scene.PhotoSuffix), *scene.PhotoFile, ZipWriter::Method::Stored);
    else
        entries.AddPng(SessionPhotoEntry({}), *scene.Photo);
    for (size_t i = 0; i < scene.Designs.size(); ++i)
        entries.AddPng(SessionDesignEntry(int(i)), *scene.Designs[i].Pixels);
    zip.Add(SessionJsonEntry, Bytes(SessionJson(scene, painted)), ZipWriter::Method::Deflated);
}

} // namespace

Picture TurnedPicture(const Picture& picture, int quarterTurns) {
    const int turns = ((quarterTurns % 4) + 4) % 4;
    if (turns == 0) return picture;
    const int w = picture.Width, h = picture.Height, n = picture.Channels;
    Picture out{turns == 2 ? w : h, turns == 2 ? h : w, n, {}};
    out.Pixels.resize(picture.Pixels.size());
    for (int y = 0; y < out.Height; ++y)
        for (int x = 0; x < out.Width; ++x) {
            // The shown pixel (x, y) comes from this pixel of the upright grid.
            const int sx = turns == 1 ? y : turns == 2 ? w - 1 - x : w - 1 - y;
            const int sy = turns == 1 ? h - 1 - x : turns == 2 ? h - 1 - y : x;
            std::copy_n(picture.Pixels.data() + (size_t(sy) * w + sx) * n, n,
                        out.Pixels.data() + (size_t(y) * out.Width + x) * n);
        }
    return out;
}

bool EncodeSession(const SessionScene& scene, std::vector<uint8_t>& out, std::string& error) {
    if (!scene.Photo || scene.Photo->Empty()) {
        error = "there is no photo";
        return false;
    }
    ZipWriter zip;
    EntryList entries(zip);
    // OpenRaster readers find the type in the first, uncompressed entry.
    zip.Add("mimetype", {SessionMimeType, SessionMimeType + std::strlen(SessionMimeType)},
            ZipWriter::Method::Stored);
    const Picture photo = TurnedPicture(*scene.Photo, scene.View.QuarterTurns);
    std::vector<StackLayer> stack{{"Photo", "data/photo.png", 0, 0, true}};
    entries.AddPng("data/photo.png", photo);
    AddTattooLayers(scene, entries, stack);
    const bool painted = AddPaint(scene, entries, stack);
    const Picture& merged = scene.Merged.Empty() ? photo : scene.Merged;
    // As Save writes it as PNG, byte for byte.
    entries.AddPng(MergedEntry, merged, PngDefaultCompression);
    entries.AddPng(ThumbnailEntry, Thumbnail(merged));
    AddVelmoraPart(scene, painted, zip, entries);
    zip.Add(StackEntry, Bytes(StackXml(photo.Width, photo.Height, stack)),
            ZipWriter::Method::Deflated);
    if (entries.Failed(error)) return false;
    return zip.Finish(out, error);
}

bool WriteSessionFile(const std::string& path, const SessionScene& scene, std::string& error) {
    std::vector<uint8_t> bytes;
    return EncodeSession(scene, bytes, error) &&
           WriteFileAtomically(path, bytes.data(), bytes.size(), &error);
}
