#include "content/jpeg_codec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>
// jpeglib.h expects FILE and size_t to be known already.
#include <jerror.h>
#include <jpeglib.h>

#include "content/atomic_file.h"
#include "content/picture_limits.h"
#include "content/picture_types.h"

namespace {

// A legitimate progressive file has a few dozen scans at most; thousands of
// tiny scans are only a way to make the decoder spin over the whole picture.
constexpr int MaxJpegScans = 100;

// libjpeg reports errors through this manager. Its longjmp only leaves the
// small C-style functions below, whose frames own nothing; every object with
// a destructor lives in a caller outside the jump.
struct JpegErrors {
    jpeg_error_mgr base; // first member: libjpeg hands back a pointer to it
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void FailWith(j_common_ptr info, const char* text) {
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    std::snprintf(errors->message, sizeof errors->message, "%s", text);
    std::longjmp(errors->jump, 1);
}

[[noreturn]] void OnJpegError(j_common_ptr info) {
    char text[JMSG_LENGTH_MAX];
    info->err->format_message(info, text);
    FailWith(info, text);
}

void OnJpegMessage(j_common_ptr info, int level) {
    // When the data ends early, or a marker cuts a scan short, libjpeg fills the
    // rest of the picture with grey and calls it a success. Other warnings are
    // about damage it can step over.
    const int code = info->err->msg_code;
    if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER))
        FailWith(info, "the JPEG data ends too early");
}

void OnJpegOutput(j_common_ptr) {}

void OnJpegProgress(j_common_ptr info) {
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MaxJpegScans)
        FailWith(info, "the JPEG file has too many scans");
}

void InstallErrors(j_common_ptr info, JpegErrors* errors) {
    info->err = jpeg_std_error(&errors->base);
    errors->base.error_exit = OnJpegError;
    errors->base.emit_message = OnJpegMessage;
    errors->base.output_message = OnJpegOutput;
}

struct JpegReadJob {
    jpeg_decompress_struct info;
    JpegErrors errors;
    jpeg_progress_mgr progress;
    std::FILE* file;
    const unsigned char* data;
    unsigned long size;
    int eighths; // the DCT scale in eighths; 0 for full size
    bool created;
};

// Reads the header alone; the sizes are checked by the caller.
bool ReadJpegSizeOnly(JpegReadJob* job) {
    if (setjmp(job->errors.jump)) return false;
    InstallErrors(reinterpret_cast<j_common_ptr>(&job->info), &job->errors);
    job->created = true;
    jpeg_create_decompress(&job->info);
    if (job->file)
        jpeg_stdio_src(&job->info, job->file);
    else
        jpeg_mem_src(&job->info, job->data, job->size);
    jpeg_read_header(&job->info, TRUE);
    return true;
}

bool ReadJpegHeader(JpegReadJob* job) {
    if (!ReadJpegSizeOnly(job)) return false;
    if (setjmp(job->errors.jump)) return false;
    if (!WithinDecodeLimits(job->info.image_width, job->info.image_height)) {
        std::snprintf(job->errors.message, sizeof job->errors.message,
                      "the picture is too large (%u x %u)", job->info.image_width,
                      job->info.image_height);
        return false;
    }
    const J_COLOR_SPACE stored = job->info.jpeg_color_space;
    job->info.out_color_space = stored == JCS_CMYK || stored == JCS_YCCK ? JCS_CMYK : JCS_RGB;
    if (job->eighths > 0 && job->eighths < JpegFullScale) {
        job->info.scale_num = unsigned(job->eighths);
        job->info.scale_denom = JpegFullScale;
    }
    job->progress.progress_monitor = OnJpegProgress;
    job->info.progress = &job->progress;
    jpeg_start_decompress(&job->info);
    return true;
}

unsigned char Multiply(unsigned a, unsigned b) {
    return static_cast<unsigned char>((a * b + 127) / 255);
}

void CmykToRgb(const unsigned char* cmyk, unsigned char* rgb, unsigned width, bool inverted) {
    const unsigned flip = inverted ? 0 : 255;
    for (unsigned x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const unsigned black = cmyk[3] ^ flip;
        for (int c = 0; c < 3; ++c)
            rgb[c] = Multiply(cmyk[c] ^ flip, black);
    }
}

// cmykRow is scratch space for one CMYK row, or null when libjpeg gives RGB.
bool ReadJpegRows(JpegReadJob* job, unsigned char* pixels, unsigned char* cmykRow) {
    if (setjmp(job->errors.jump)) return false;
    jpeg_decompress_struct& info = job->info;
    const size_t stride = size_t(info.output_width) * 3;
    while (info.output_scanline < info.output_height) {
        unsigned char* target = pixels + stride * info.output_scanline;
        JSAMPROW row = cmykRow ? cmykRow : target;
        if (jpeg_read_scanlines(&info, &row, 1) != 1)
            FailWith(reinterpret_cast<j_common_ptr>(&info), "the JPEG data ends too early");
        if (cmykRow) CmykToRgb(cmykRow, target, info.output_width, info.saw_Adobe_marker);
    }
    return true;
}

bool Fail(std::string* error, const std::string& text) {
    if (error) *error = std::string(PictureTypeName(PictureFileType::Jpeg)) + ": " + text;
    return false;
}

bool DecodeJpeg(JpegReadJob& job, Picture& out, std::string* error) {
    auto release = [](JpegReadJob* done) {
        if (done->created) jpeg_destroy_decompress(&done->info);
    };
    std::unique_ptr<JpegReadJob, decltype(release)> guard(&job, release);
    if (!ReadJpegHeader(&job)) return Fail(error, job.errors.message);
    const jpeg_decompress_struct& info = job.info;
    const bool cmyk = info.out_color_space == JCS_CMYK;
    if (info.output_components != (cmyk ? 4 : 3)) return Fail(error, "unsupported colour layout");
    try {
        Picture picture;
        picture.Width = int(info.output_width);
        picture.Height = int(info.output_height);
        picture.Channels = 3;
        picture.Pixels.resize(size_t(picture.RowBytes()) * info.output_height);
        std::vector<unsigned char> cmykRow(cmyk ? size_t(info.output_width) * 4 : 0);
        if (!ReadJpegRows(&job, picture.Pixels.data(), cmyk ? cmykRow.data() : nullptr))
            return Fail(error, job.errors.message);
        out = std::move(picture);
        return true;
    } catch (const std::bad_alloc&) {
        return Fail(error, "out of memory");
    }
}

// The compressed file is gathered in a malloc'd buffer that this plain data
// owns, so an error in the middle of compression can neither leak nor throw.
struct JpegWriteJob {
    jpeg_compress_struct info;
    JpegErrors errors;
    jpeg_destination_mgr destination;
    unsigned char* buffer;
    size_t capacity;
    bool created;
};

JpegWriteJob* WriteJobOf(j_compress_ptr info) {
    return static_cast<JpegWriteJob*>(info->client_data);
}

void GrowBuffer(j_compress_ptr info, size_t capacity) {
    JpegWriteJob* job = WriteJobOf(info);
    void* grown = std::realloc(job->buffer, capacity);
    if (!grown) FailWith(reinterpret_cast<j_common_ptr>(info), "out of memory");
    job->buffer = static_cast<unsigned char*>(grown);
    job->destination.next_output_byte = job->buffer + job->capacity;
    job->destination.free_in_buffer = capacity - job->capacity;
    job->capacity = capacity;
}

void StartBuffer(j_compress_ptr info) {
    GrowBuffer(info, 1 << 16);
}

boolean ExtendBuffer(j_compress_ptr info) {
    // Called only when the buffer is completely full.
    GrowBuffer(info, WriteJobOf(info)->capacity * 2);
    return TRUE;
}

void FinishBuffer(j_compress_ptr) {}

void DropAlpha(const unsigned char* rgba, unsigned char* rgb, int width) {
    for (int x = 0; x < width; ++x, rgba += 4, rgb += 3)
        std::copy(rgba, rgba + 3, rgb);
}

// rgbRow is scratch space for one row, or null when the picture is RGB already.
bool CompressJpeg(JpegWriteJob* job, const Picture* picture, int quality, unsigned char* rgbRow) {
    if (setjmp(job->errors.jump)) return false;
    InstallErrors(reinterpret_cast<j_common_ptr>(&job->info), &job->errors);
    job->info.client_data = job;
    job->created = true;
    jpeg_create_compress(&job->info);
    job->destination.init_destination = StartBuffer;
    job->destination.empty_output_buffer = ExtendBuffer;
    job->destination.term_destination = FinishBuffer;
    job->info.dest = &job->destination;
    job->info.image_width = JDIMENSION(picture->Width);
    job->info.image_height = JDIMENSION(picture->Height);
    job->info.input_components = 3;
    job->info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&job->info);
    jpeg_set_quality(&job->info, quality, TRUE);
    jpeg_start_compress(&job->info, TRUE);
    const size_t stride = size_t(picture->RowBytes());
    while (job->info.next_scanline < job->info.image_height) {
        const unsigned char* source = picture->Pixels.data() + stride * job->info.next_scanline;
        if (rgbRow) DropAlpha(source, rgbRow, picture->Width);
        JSAMPROW row = rgbRow ? rgbRow : const_cast<unsigned char*>(source);
        jpeg_write_scanlines(&job->info, &row, 1);
    }
    jpeg_finish_compress(&job->info);
    return true;
}

bool Encodable(const Picture& picture) {
    return (picture.Channels == 3 || picture.Channels == 4) && picture.Width > 0 &&
           picture.Height > 0 && picture.Width <= JPEG_MAX_DIMENSION &&
           picture.Height <= JPEG_MAX_DIMENSION &&
           picture.Pixels.size() >= size_t(picture.RowBytes()) * size_t(picture.Height);
}

} // namespace

bool DecodeJpegFile(const std::string& path, Picture& out, std::string* error) {
    if (!IsRegularFile(path)) return Fail(error, "not a plain file: " + path);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         std::fclose);
    if (!file) return Fail(error, "cannot open " + path);
    JpegReadJob job{};
    job.file = file.get();
    return DecodeJpeg(job, out, error);
}

bool DecodeJpegMemory(const void* data, size_t size, Picture& out, std::string* error) {
    return DecodeJpegMemoryScaled(data, size, JpegFullScale, out, error);
}

bool DecodeJpegMemoryScaled(const void* data, size_t size, int eighths, Picture& out,
                            std::string* error) {
    if (!data || size == 0) return Fail(error, "no data");
    JpegReadJob job{};
    job.data = static_cast<const unsigned char*>(data);
    job.size = static_cast<unsigned long>(size);
    job.eighths = std::clamp(eighths, 1, JpegFullScale);
    return DecodeJpeg(job, out, error);
}

bool JpegSizeOf(const void* data, size_t size, int& width, int& height) {
    if (!data || size == 0) return false;
    JpegReadJob job{};
    job.data = static_cast<const unsigned char*>(data);
    job.size = static_cast<unsigned long>(size);
    const bool read = ReadJpegSizeOnly(&job);
    if (job.created) jpeg_destroy_decompress(&job.info);
    if (!read || job.info.image_width > JPEG_MAX_DIMENSION) return false;
    width = int(job.info.image_width);
    height = int(job.info.image_height);
    return true;
}

bool EncodeJpegFile(const std::string& path, const Picture& picture, int quality,
                    std::string* error) {
    if (!Encodable(picture)) return Fail(error, "the picture cannot be written as JPEG");
    JpegWriteJob job{};
    auto release = [](JpegWriteJob* done) {
        if (done->created) jpeg_destroy_compress(&done->info);
        std::free(done->buffer);
    };
    std::unique_ptr<JpegWriteJob, decltype(release)> guard(&job, release);
    std::vector<unsigned char> rgbRow(picture.Channels == 4 ? size_t(picture.Width) * 3 : 0);
    if (!CompressJpeg(&job, &picture, std::clamp(quality, 1, 100),
                      rgbRow.empty() ? nullptr : rgbRow.data()))
        return Fail(error, job.errors.message);
    return WriteFileAtomically(path, job.buffer, job.capacity - job.destination.free_in_buffer,
                               error);
}
