#include "content/picture_writer.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <csetjmp>
#include <cstdio>

#include "content/atomic_file.h"
#include "content/jpeg_codec.h"
#include "content/photo_loader.h"
#include "content/png_errors.h"

namespace {

bool Fail(std::string* error, const std::string& text) {
    if (error) *error = text;
    return false;
}

// Plain data only: libpng's error path jumps out of CompressPng.
struct PngWriteJob {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::vector<unsigned char>* out = nullptr;
    int compressionLevel = PngDefaultCompression;
    char message[PngMessageSize] = {};
};

void AppendPngBytes(png_structp png, png_bytep data, size_t count) {
    auto* job = static_cast<PngWriteJob*>(png_get_io_ptr(png));
    job->out->insert(job->out->end(), data, data + count);
}

void FlushPngBytes(png_structp) {}

bool CompressPng(PngWriteJob* job, const Picture* picture) {
    if (setjmp(png_jmpbuf(job->png))) return false;
    png_set_write_fn(job->png, job, AppendPngBytes, FlushPngBytes);
    if (job->compressionLevel != PngDefaultCompression)
        png_set_compression_level(job->png, job->compressionLevel);
    const int colourType = picture->HasAlpha() ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB;
    png_set_IHDR(job->png, job->info, png_uint_32(picture->Width), png_uint_32(picture->Height), 8,
                 colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(job->png, job->info);
    const size_t stride = size_t(picture->RowBytes());
    for (int y = 0; y < picture->Height; ++y)
        png_write_row(job->png, picture->Pixels.data() + stride * size_t(y));
    png_write_end(job->png, job->info);
    return true;
}

bool Writable(const Picture& picture) {
    return (picture.Channels == 3 || picture.Channels == 4) && picture.Width > 0 &&
           picture.Height > 0 &&
           picture.Pixels.size() >= size_t(picture.RowBytes()) * size_t(picture.Height);
}

bool WriteBmp(const std::string& path, const Picture& picture, std::string* error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // BMP holds no alpha; the picture is written as it shows on screen.
    const QImage image = QImageFromPicture(picture).convertToFormat(QImage::Format_RGB888);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(image)) return Fail(error, writer.errorString().toStdString());
    return WriteFileAtomically(path, bytes.constData(), size_t(bytes.size()), error);
}

} // namespace

const char* ExtensionOf(PictureFileType type) {
    switch (type) {
    case PictureFileType::Bmp:
        return ".bmp";
    case PictureFileType::Png:
        return ".png";
    case PictureFileType::Jpeg:
        break;
    }
    return ".jpg";
}

SaveTarget ChooseSaveTarget(const std::string& typedPath, PictureFileType chosenFilter) {
    if (const auto type = TypeOfFileName(typedPath)) return {typedPath, *type};
    return {typedPath + ExtensionOf(chosenFilter), chosenFilter};
}

bool EncodePngMemory(const Picture& picture, std::vector<unsigned char>& out, std::string* error,
                     int compressionLevel) {
    if (!Writable(picture)) return Fail(error, "the picture cannot be written as PNG");
    PngWriteJob job;
    job.out = &out;
    job.compressionLevel = compressionLevel;
    job.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, job.message, OnPngError, OnPngWarning);
    if (!job.png) return Fail(error, "out of memory");
    job.info = png_create_info_struct(job.png);
    out.clear();
    const bool done = job.info && CompressPng(&job, &picture);
    png_destroy_write_struct(&job.png, &job.info);
    if (!done) return Fail(error, job.message[0] ? job.message : "out of memory");
    return true;
}

bool WritePictureFile(const std::string& path, const Picture& picture, PictureFileType type,
                      std::string* error) {
    if (!Writable(picture)) return Fail(error, "there is no picture to write");
    switch (type) {
    case PictureFileType::Jpeg:
        return EncodeJpegFile(path, picture, SavedJpegQuality, error);
    case PictureFileType::Bmp:
        return WriteBmp(path, picture, error);
    case PictureFileType::Png:
        break;
    }
    std::vector<unsigned char> bytes;
    return EncodePngMemory(picture, bytes, error) &&
           WriteFileAtomically(path, bytes.data(), bytes.size(), error);
}
