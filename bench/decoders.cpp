#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <png.h>
#include <vector>

#include "content/jpeg_codec.h"
#include "content/png_codec.h"

// Our decoders against a bare libjpeg / libpng loop on the same data, which is
// made in memory at start: a photo-sized JPEG and a tattoo-sized RGBA PNG.
namespace {

constexpr int PhotoSide = 2048;
constexpr int TattooSide = 512;

// Smooth shading with a little noise, roughly what a photo of skin compresses like.
uint8_t Shade(int x, int y, int channel) {
    const unsigned noise = (unsigned(x) * 2654435761u ^ unsigned(y) * 40503u) >> 28;
    return uint8_t((x / 9 + y / 11 + channel * 40 + int(noise)) & 0xFF);
}

std::vector<uint8_t> MakeJpeg() {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = info.image_height = PhotoSide;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(PhotoSide * 3);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < PhotoSide * 3; ++x)
            row[size_t(x)] = Shade(x / 3, int(info.next_scanline), x % 3);
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> file(buffer, buffer + size);
    std::free(buffer);
    return file;
}

void AppendBytes(png_structp png, png_bytep data, size_t size) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

std::vector<uint8_t> MakePng() {
    std::vector<uint8_t> file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &file, AppendBytes, nullptr);
    png_set_IHDR(png, info, TattooSide, TattooSide, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<uint8_t> row(TattooSide * 4);
    for (int y = 0; y < TattooSide; ++y) {
        for (int x = 0; x < TattooSide * 4; ++x)
            row[size_t(x)] = x % 4 == 3 ? uint8_t(x / 4 > y ? 255 : 0) : Shade(x / 4, y, x % 4);
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return file;
}

const std::vector<uint8_t>& PhotoJpeg() {
    static const std::vector<uint8_t> file = MakeJpeg();
    return file;
}

const std::vector<uint8_t>& TattooPng() {
    static const std::vector<uint8_t> file = MakePng();
    return file;
}

void BM_JpegOurs(benchmark::State& state) {
    const std::vector<uint8_t>& file = PhotoJpeg();
    for (auto _ : state) {
        Picture picture;
        if (!DecodeJpegMemory(file.data(), file.size(), picture))
            state.SkipWithError("decoding failed");
        benchmark::DoNotOptimize(picture.Pixels.data());
    }
}

// The bare loop decodes into a buffer made once, so it pays for no allocation.
void BM_JpegBare(benchmark::State& state) {
    const std::vector<uint8_t>& file = PhotoJpeg();
    std::vector<uint8_t> pixels(size_t(PhotoSide) * PhotoSide * 3);
    for (auto _ : state) {
        jpeg_decompress_struct info;
        jpeg_error_mgr errors;
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, file.data(), file.size());
        jpeg_read_header(&info, TRUE);
        info.out_color_space = JCS_RGB;
        jpeg_start_decompress(&info);
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = pixels.data() + size_t(info.output_scanline) * PhotoSide * 3;
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        benchmark::DoNotOptimize(pixels.data());
    }
}

void BM_PngOurs(benchmark::State& state) {
    const std::vector<uint8_t>& file = TattooPng();
    for (auto _ : state) {
        Picture picture;
        if (!DecodePngMemory(file.data(), file.size(), picture))
            state.SkipWithError("decoding failed");
        benchmark::DoNotOptimize(picture.Pixels.data());
    }
}

struct MemoryReader {
    const uint8_t* data;
    size_t position;
};

void ReadBytes(png_structp png, png_bytep target, size_t count) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    std::copy_n(reader->data + reader->position, count, target);
    reader->position += count;
}

void BM_PngBare(benchmark::State& state) {
    const std::vector<uint8_t>& file = TattooPng();
    std::vector<uint8_t> pixels(size_t(TattooSide) * TattooSide * 4);
    std::vector<png_bytep> rows(TattooSide);
    for (int y = 0; y < TattooSide; ++y)
        rows[size_t(y)] = pixels.data() + size_t(y) * TattooSide * 4;
    for (auto _ : state) {
        MemoryReader reader{file.data(), 0};
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_set_read_fn(png, &reader, ReadBytes);
        png_read_info(png, info);
        png_read_image(png, rows.data());
        png_destroy_read_struct(&png, &info, nullptr);
        benchmark::DoNotOptimize(pixels.data());
    }
}

} // namespace

BENCHMARK(BM_JpegBare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngBare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngOurs)->Unit(benchmark::kMillisecond);
