#include "content/png_codec.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <png.h>
#include <vector>

#include "content/picture_limits.h"
#include "content/picture_types.h"
#include "content/png_errors.h"

namespace {

// Everything libpng's error path can touch is plain data: its longjmp only
// leaves the two small reading functions below, whose frames own nothing.
// Objects with destructors live in the callers, outside the jump.
struct PngJob {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::FILE* file = nullptr;
    const unsigned char* data = nullptr;
    size_t size = 0;
    size_t position = 0;
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int channels = 0;
    size_t rowBytes = 0;
    char message[PngMessageSize] = {};
};

void ReadPngBytes(png_structp png, png_bytep target, size_t count) {
    auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
    size_t got = 0;
    if (job->file) {
        got = std::fread(target, 1, count, job->file);
    } else {
        got = std::min(count, job->size - job->position);
        if (got > 0) std::memcpy(target, job->data + job->position, got);
        job->position += got;
    }
    if (got != count) png_error(png, "the PNG data ends too early");
}

// Asks libpng for 8-bit RGB or RGBA whatever the stored layout is.
void RequestRgbOutput(png_structp png, png_infop info) {
    const int colorType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    const bool grey = (colorType & PNG_COLOR_MASK_COLOR) == 0;
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    // Only palette and grey pictures turn a transparent colour into alpha;
    // truecolour pictures without an alpha channel are shown opaque.
    if ((grey || colorType == PNG_COLOR_TYPE_PALETTE) && png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    if (grey) png_set_gray_to_rgb(png);
    if (bitDepth == 16) png_set_scale_16(png);
    png_set_interlace_handling(png);
}

// libpng allocates only chunk buffers and a few rows itself (the pixels are
// ours), and no real picture needs more than this for either. A chunk's
// stated length is taken at its word and allocated, and zeroed, before any of
// it is read, and libpng's own chunk limit is only a warning while reading: a
// hundred-byte file would make it fill two gigabytes.
constexpr png_alloc_size_t MaxPngAllocation = 8u << 20;
// A bound on the chunks libpng stores should one ever slip past the skipping.
constexpr png_uint_32 MaxStoredPngChunks = 16;

png_voidp LimitedPngMalloc(png_structp png, png_alloc_size_t size) {
    if (size > MaxPngAllocation) png_error(png, "a chunk is too large");
    return std::malloc(size);
}

void PngFree(png_structp, png_voidp memory) {
    std::free(memory);
}

bool RefuseOverLimits(PngJob* job, png_uint_32 width, png_uint_32 height) {
    if (WithinDecodeLimits(width, height)) return false;
    std::snprintf(job->message, sizeof job->message, "the picture is too large (%u x %u)",
                  static_cast<unsigned>(width), static_cast<unsigned>(height));
    return true;
}

png_uint_32 BigEndian32(const unsigned char* bytes) {
    return png_uint_32(bytes[0]) << 24 | png_uint_32(bytes[1]) << 16 | png_uint_32(bytes[2]) << 8 |
           png_uint_32(bytes[3]);
}

// libpng reads every chunk up to the pixel data before it reports the size, so
// the size is taken from the header chunk, which a PNG file must start with,
// before libpng reads anything.
bool RefuseHugeHeader(PngJob* job) {
    unsigned char start[24] = {};
    size_t got = 0;
    if (job->file) {
        got = std::fread(start, 1, sizeof start, job->file);
        std::rewind(job->file);
    } else {
        got = std::min(sizeof start, job->size);
        // Empty data may come without a buffer, which memcpy must not be given.
        if (got > 0) std::memcpy(start, job->data, got);
    }
    const bool isHeader = got == sizeof start && png_sig_cmp(start, 0, 8) == 0 &&
                          std::memcmp(start + 12, "IHDR", 4) == 0;
    return isHeader && RefuseOverLimits(job, BigEndian32(start + 16), BigEndian32(start + 20));
}

// Only the chunks that make the pixels are read: libpng keeps every text,
// profile, palette suggestion and unknown chunk it stores, inflated, for the
// life of the read, which no per-allocation cap bounds in sum. Skipped chunks
// still have their checksums verified.
void SkipAncillaryChunks(png_structp png) {
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_set_chunk_cache_max(png, MaxStoredPngChunks);
    png_set_chunk_malloc_max(png, MaxPngAllocation);
}

bool ReadPngHeader(PngJob* job) {
    if (setjmp(png_jmpbuf(job->png))) return false;
    SkipAncillaryChunks(job->png);
    png_set_read_fn(job->png, job, ReadPngBytes);
    png_read_info(job->png, job->info);
    job->width = png_get_image_width(job->png, job->info);
    job->height = png_get_image_height(job->png, job->info);
    if (RefuseOverLimits(job, job->width, job->height)) return false;
    RequestRgbOutput(job->png, job->info);
    png_read_update_info(job->png, job->info);
    job->channels = png_get_channels(job->png, job->info);
    job->rowBytes = png_get_rowbytes(job->png, job->info);
    return true;
}

bool ReadPngRows(PngJob* job, png_bytepp rows) {
    if (setjmp(png_jmpbuf(job->png))) return false;
    png_read_image(job->png, rows);
    return true;
}

bool Fail(std::string* error, const std::string& text) {
    if (error) *error = std::string(PictureTypeName(PictureFileType::Png)) + ": " + text;
    return false;
}

bool DecodePng(PngJob& job, Picture& out, std::string* error) {
    job.png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, job.message, OnPngError, OnPngWarning,
                                       nullptr, LimitedPngMalloc, PngFree);
    if (job.png) job.info = png_create_info_struct(job.png);
    auto release = [](PngJob* done) { png_destroy_read_struct(&done->png, &done->info, nullptr); };
    std::unique_ptr<PngJob, decltype(release)> guard(&job, release);
    if (!job.info) return Fail(error, "out of memory");
    if (RefuseHugeHeader(&job) || !ReadPngHeader(&job)) return Fail(error, job.message);
    if ((job.channels != 3 && job.channels != 4) ||
        job.rowBytes != size_t(job.width) * size_t(job.channels))
        return Fail(error, "unsupported pixel layout");
    try {
        Picture picture;
        picture.Width = int(job.width);
        picture.Height = int(job.height);
        picture.Channels = job.channels;
        picture.Pixels.resize(job.rowBytes * job.height);
        std::vector<png_bytep> rows(job.height);
        for (size_t y = 0; y < rows.size(); ++y)
            rows[y] = picture.Pixels.data() + y * job.rowBytes;
        if (!ReadPngRows(&job, rows.data())) return Fail(error, job.message);
        out = std::move(picture);
        return true;
    } catch (const std::bad_alloc&) {
        return Fail(error, "out of memory");
    }
}

} // namespace

void OnPngError(png_structp png, png_const_charp message) {
    std::snprintf(static_cast<char*>(png_get_error_ptr(png)), PngMessageSize, "%s", message);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

bool DecodePngFile(const std::string& path, Picture& out, std::string* error) {
    if (!IsRegularFile(path)) return Fail(error, "not a plain file: " + path);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         std::fclose);
    if (!file) return Fail(error, "cannot open " + path);
    PngJob job;
    job.file = file.get();
    return DecodePng(job, out, error);
}

bool ReadPngSize(const std::string& path, int32_t& width, int32_t& height) {
    unsigned char start[24] = {};
    if (!IsRegularFile(path)) return false;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         std::fclose);
    return file && std::fread(start, 1, sizeof start, file.get()) == sizeof start &&
           PngSizeOf(start, sizeof start, width, height);
}

bool PngSizeOf(const uint8_t* data, size_t size, int32_t& width, int32_t& height) {
    constexpr size_t HeaderEnd = 24;
    if (!data || size < HeaderEnd || png_sig_cmp(data, 0, 8) != 0 ||
        std::memcmp(data + 12, "IHDR", 4) != 0)
        return false;
    const png_uint_32 w = BigEndian32(data + 16), h = BigEndian32(data + 20);
    if (w > png_uint_32(INT32_MAX) || h > png_uint_32(INT32_MAX)) return false;
    width = int32_t(w);
    height = int32_t(h);
    return true;
}

bool DecodePngMemory(const void* data, size_t size, Picture& out, std::string* error) {
    PngJob job;
    job.data = static_cast<const unsigned char*>(data);
    job.size = data ? size : 0;
    return DecodePng(job, out, error);
}
