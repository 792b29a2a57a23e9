#include <GL/gl.h>
#include <QCoreApplication>
#include <QDir>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <jpeglib.h>
#include <memory>

#include "content/catalog.h"
#include "content/content_messages.h"
#include "content/jpeg_codec.h"
#include "content/photo_loader.h"
#include "platform/language.h"
#include "render/gl_canvas.h"
#include "scene/scene_state.h"

// Loading a photo (decode, EXIF, tiling, upload, paint layer reset) against a
// bare libjpeg-turbo decode of the same file, the main parts of the load on
// their own, a 4032 x 3024 camera photo loaded scaled down against its bare
// full-size decode, and reading a start-up catalog of 80 designs. The CPU column is
// the figure to compare on a busy machine: the GL here is a software one that
// uploads on the calling thread. Loading the same photo again reuses its tile
// textures; the load into fresh ones is the first large photo of a run.

namespace {

constexpr int PhotoSide = 2048;
// A phone camera's photo, over the working limit: it loads scaled down.
constexpr int CameraWidth = 4032, CameraHeight = 3024;

// A picture with detail everywhere, so the JPEG carries real work.
Picture Landscape(int width, int height, int seed) {
    Picture picture{width, height, 3, std::vector<uint8_t>(size_t(width) * height * 3)};
    uint32_t noise = 12345u + seed;
    for (size_t i = 0; i < picture.Pixels.size(); i += 3) {
        int x = int(i / 3 % width), y = int(i / 3 / width);
        noise = noise * 1664525u + 1013904223u;
        picture.Pixels[i] = uint8_t((x * 255 / width + (noise >> 28)) & 255);
        picture.Pixels[i + 1] = uint8_t((y * 255 / height + seed * 40) & 255);
        picture.Pixels[i + 2] = uint8_t(((x ^ y) & 63) + 96);
    }
    return picture;
}

struct BenchFiles {
    QTemporaryDir Dir;
    std::string Photo;
    std::string CameraPhoto;
    std::string CatalogIndex;

    BenchFiles() {
        Photo = Dir.filePath("photo.jpg").toStdString();
        EncodeJpegFile(Photo, Landscape(PhotoSide, PhotoSide, 0), 90);
        CameraPhoto = Dir.filePath("camera.jpg").toStdString();
        EncodeJpegFile(CameraPhoto, Landscape(CameraWidth, CameraHeight, 2), 90);
        WriteCatalog();
    }
    // Eight groups of ten designs with miniatures of the shown size.
    void WriteCatalog() {
        QDir root(Dir.path());
        root.mkdir("data");
        std::string data = Dir.filePath("data").toStdString();
        std::ofstream index(data + "/data.ini");
        index << "[data]\nNbGroups=8\n[groups]\n";
        Picture miniature = Landscape(253, 269, 1);
        for (int g = 1; g <= 8; ++g) {
            std::string group = "group" + std::to_string(g);
            index << group << "=" << group << "\n";
            root.mkpath(QString::fromStdString("data/" + group));
            std::ofstream list(data + "/" + group + "/data.ini");
            list << "[data]\nNbPics=10\n[pics]\n";
            for (int m = 1; m <= 10; ++m) {
                std::string name = "design" + std::to_string(m);
                list << "pic" << m << "=" << name << "\npic" << m << "w=400\npic" << m << "h=300\n";
                EncodeJpegFile(data + "/" + group + "/" + name + ".jpg", miniature, 85);
            }
        }
        CatalogIndex = data + "/data.ini";
    }
};

BenchFiles& Files() {
    static BenchFiles files;
    return files;
}

// The canvas context stands in for the program's; made once per run.
void MakeCanvasContextCurrent() {
    static std::unique_ptr<QOffscreenSurface> surface;
    static std::unique_ptr<QOpenGLContext> context;
    if (!context) {
        surface = std::make_unique<QOffscreenSurface>();
        surface->create();
        context = std::make_unique<QOpenGLContext>();
        context->create();
        context->makeCurrent(surface.get());
        CreatePaintTileTextures();
        // The context must go before the application object does.
        qAddPostRoutine([] {
            context.reset();
            surface.reset();
        });
    }
    context->makeCurrent(surface.get());
    ViewWidth = 427;
    ViewHeight = 516;
    // The scale-down question is answered Yes.
    ContentMessageBox = [](const std::string&, const std::string&, MessageButtons buttons,
                           MessageIcon) {
        return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    };
}

// libjpeg-turbo alone, at full size, as the yardstick for loading the file.
void BareJpegDecodeOf(benchmark::State& state, const std::string& path) {
    std::vector<uint8_t> bytes, pixels;
    for (auto _ : state) {
        ReadWholeFile(path, bytes);
        jpeg_decompress_struct info;
        jpeg_error_mgr errors;
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, bytes.data(), bytes.size());
        jpeg_read_header(&info, TRUE);
        info.out_color_space = JCS_RGB;
        jpeg_start_decompress(&info);
        pixels.resize(size_t(info.output_width) * info.output_height * 3);
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = pixels.data() + size_t(info.output_scanline) * info.output_width * 3;
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        benchmark::DoNotOptimize(pixels.data());
    }
}
void BareJpegDecode(benchmark::State& state) {
    BareJpegDecodeOf(state, Files().Photo);
}
BENCHMARK(BareJpegDecode)->Unit(benchmark::kMillisecond);

void BareJpegDecodeOfCameraPhoto(benchmark::State& state) {
    BareJpegDecodeOf(state, Files().CameraPhoto);
}
BENCHMARK(BareJpegDecodeOfCameraPhoto)->Unit(benchmark::kMillisecond);

// The whole load of the camera photo, scaled down to fit 2048 a side: to be
// compared with the bare full-size decode above (the aim is 0.6 of it).
void OpenCameraPhotoScaledDown(benchmark::State& state) {
    MakeCanvasContextCurrent();
    for (auto _ : state) {
        OpenFoto(Files().CameraPhoto);
        glFinish();
    }
    if (ImageWidth != CameraWidth / 2) state.SkipWithError("the photo was not scaled down");
}
BENCHMARK(OpenCameraPhotoScaledDown)->Unit(benchmark::kMillisecond);

void OpenFotoWithTiles(benchmark::State& state) {
    MakeCanvasContextCurrent();
    for (auto _ : state) {
        OpenFoto(Files().Photo);
        glFinish();
    }
    if (ImageWidth != PhotoSide) state.SkipWithError("the photo was not loaded");
}
BENCHMARK(OpenFotoWithTiles)->Unit(benchmark::kMillisecond);

void DecodeThroughOurCodec(benchmark::State& state) {
    std::vector<uint8_t> bytes;
    for (auto _ : state) {
        Picture picture;
        ReadWholeFile(Files().Photo, bytes);
        DecodeJpegMemory(bytes.data(), bytes.size(), picture);
        benchmark::DoNotOptimize(picture.Pixels.data());
    }
}
BENCHMARK(DecodeThroughOurCodec)->Unit(benchmark::kMillisecond);

// Forgets the loaded photo's tiles, as if none had been loaded yet.
void DropPhoto() {
    DeletePhotoTiles();
    PhotoWidth = PhotoHeight = ImageWidth = ImageHeight = 0;
}

void OpenFotoIntoFreshTiles(benchmark::State& state) {
    MakeCanvasContextCurrent();
    for (auto _ : state) {
        state.PauseTiming();
        DropPhoto();
        state.ResumeTiming();
        OpenFoto(Files().Photo);
        glFinish();
    }
}
BENCHMARK(OpenFotoIntoFreshTiles)->Unit(benchmark::kMillisecond);

// Tile upload alone, into new textures or into the previous photo's ones.
void UploadPhotoTilesInto(benchmark::State& state, bool freshTextures) {
    MakeCanvasContextCurrent();
    Picture photo;
    ReadPhotoPicture(Files().Photo, photo);
    for (auto _ : state) {
        if (freshTextures) {
            state.PauseTiming();
            DropPhoto();
            state.ResumeTiming();
        }
        UploadPhotoTiles(photo);
        glFinish();
        PhotoWidth = ImageWidth = photo.Width;
        PhotoHeight = ImageHeight = photo.Height;
    }
}
BENCHMARK_CAPTURE(UploadPhotoTilesInto, Fresh, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(UploadPhotoTilesInto, Reused, false)->Unit(benchmark::kMillisecond);

void UploadTwentyFiveTiles(benchmark::State& state) {
    MakeCanvasContextCurrent();
    Picture tile{512, 512, 3, std::vector<uint8_t>(512 * 512 * 3, 7)};
    for (auto _ : state) {
        TextureName names[25];
        for (TextureName& name : names)
            name = UploadTexture(1, tile, false);
        glFinish();
        glDeleteTextures(25, names);
    }
}
BENCHMARK(UploadTwentyFiveTiles)->Unit(benchmark::kMillisecond);

void ResetPaintLayerOnly(benchmark::State& state) {
    MakeCanvasContextCurrent();
    for (auto _ : state) {
        ResetPaintLayer();
        glFinish();
    }
}
BENCHMARK(ResetPaintLayerOnly)->Unit(benchmark::kMillisecond);

// The dearest reset: paint over every tile, as after filling the selection.
void ResetPaintLayerAfterFill(benchmark::State& state) {
    MakeCanvasContextCurrent();
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 1; i <= PaintTileCount; ++i)
            for (int j = 1; j <= PaintTileCount; ++j) {
                std::fill(std::begin(PaintPixels[i][j].Data), std::end(PaintPixels[i][j].Data),
                          uint8_t(200));
                PaintTiles[i][j].Dirty = true;
            }
        state.ResumeTiming();
        ResetPaintLayer();
        glFinish();
    }
}
BENCHMARK(ResetPaintLayerAfterFill)->Unit(benchmark::kMillisecond);

void ReadCatalogOf80Designs(benchmark::State& state) {
    for (auto _ : state)
        ReadCatalog(Files().CatalogIndex);
    int designs = 0;
    for (const CatalogGroup& group : Groups)
        for (const CatalogItem& item : group.Items)
            designs += item.Miniature.isNull() ? 0 : 1;
    if (designs != 80) state.SkipWithError("the catalog did not read completely");
}
BENCHMARK(ReadCatalogOf80Designs)->Unit(benchmark::kMillisecond);

void ReadShippedCatalog(benchmark::State& state) {
    std::string index = VELMORA_SOURCE_DIR "/data/data.ini";
    if (!std::ifstream(index)) {
        state.SkipWithError("no shipped catalog");
        return;
    }
    for (auto _ : state)
        ReadCatalog(index);
}
BENCHMARK(ReadShippedCatalog)->Unit(benchmark::kMillisecond);

// The decode alone at libjpeg's half size, the bulk of the scaled load.
void DecodeCameraPhotoAtHalfSize(benchmark::State& state) {
    std::vector<uint8_t> bytes;
    ReadWholeFile(Files().CameraPhoto, bytes);
    for (auto _ : state) {
        Picture picture;
        DecodeJpegMemoryScaled(bytes.data(), bytes.size(), JpegFullScale / 2, picture);
        benchmark::DoNotOptimize(picture.Pixels.data());
    }
    state.counters["bytes"] = double(bytes.size());
}
BENCHMARK(DecodeCameraPhotoAtHalfSize)->Unit(benchmark::kMillisecond);

} // namespace
