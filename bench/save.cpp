// Saving the composed picture of a full 2048 x 2048 scene (10 tattoos, a
// painted layer) as JPEG, against a bare libjpeg-turbo encode of the same
// pixels into memory. The save's extra cost is the capture (drawing the
// scene offscreen and reading it back) and the atomic file write; it should
// stay within half the encode's time, so BM_SaveJpeg / BM_BareJpegEncode is
// at most 1.5.

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <jpeglib.h>

#include "bench/support/bench_scene.h"
#include "content/picture_commands.h"
#include "render/gl_canvas.h"
#include "render/scene_capture.h"
#include "scene/scene_state.h"

namespace {

constexpr int Side = 2048;

struct OffscreenContext {
    QOffscreenSurface surface;
    QOpenGLContext context;
    OffscreenContext() {
        surface.create();
        context.create();
        context.makeCurrent(&surface);
        PrepareFrameContext(CanvasWidth, CanvasHeight);
    }
};

void LoadPhoto() {
    for (int column = 0; column < PhotoTileCount; ++column)
        for (int row = 0; row < PhotoTileCount; ++row)
            PhotoTiles[column][row] =
                UploadTexture(1, SkinPicture(512, 512, 3, column * 5 + row), false);
    ImageWidth = PhotoWidth = ImageHeight = PhotoHeight = Side;
}

void PlaceTattoos(int count) {
    const TextureName design = UploadTexture(1, SkinPicture(512, 512, 4, 99), true);
    for (int i = 0; i < count; ++i) {
        TTattooLayer& layer = Layers[AddLayer()];
        const float x = 200.0f + (i % 5) * 400;
        const float y = 500.0f + (i / 5) * 1000;
        layer = {true, design, 0, i, 230, {}};
        layer.Corners[0] = {x - 180, y - 240, 0, 0};
        layer.Corners[1] = {x + 180, y - 240, 1, 0};
        layer.Corners[2] = {x + 180, y + 240, 1, 1};
        layer.Corners[3] = {x - 180, y + 240, 0, 1};
    }
}

void PaintEverything() {
    for (int column = 1; column <= PaintTileCount; ++column)
        for (int row = 1; row <= PaintTileCount; ++row) {
            uint8_t* data = PaintPixels[column][row].Data;
            for (int i = 0; i < PaintTileBytes; i += 4) {
                data[i] = 30;
                data[i + 3] = uint8_t((i / 4) % 128);
            }
            PaintTiles[column][row].Dirty = true;
        }
}

void PrepareScene() {
    ResetSceneState();
    CreatePaintTileTextures();
    LoadPhoto();
    PlaceTattoos(10);
    PaintEverything();
    Zoom = float(CanvasWidth) / Side;
}

// The whole Save command after its dialog: capture, encode, atomic write.
void BM_SaveJpeg(benchmark::State& state) {
    OffscreenContext context;
    PrepareScene();
    QTemporaryDir folder;
    const std::string target = folder.filePath("saved.jpg").toStdString();
    for (auto _ : state) {
        Picture picture;
        if (!CaptureComposedPicture(picture) ||
            SavePicture(picture, target, PictureFileType::Jpeg).empty())
            state.SkipWithError("the save failed");
    }
}

// libjpeg-turbo alone, at the same quality, on the captured pixels.
void BM_BareJpegEncode(benchmark::State& state) {
    OffscreenContext context;
    PrepareScene();
    Picture picture;
    if (!CaptureComposedPicture(picture)) state.SkipWithError("the capture failed");
    for (auto _ : state) {
        jpeg_compress_struct info{};
        jpeg_error_mgr errors{};
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
        unsigned char* buffer = nullptr;
        unsigned long size = 0;
        jpeg_mem_dest(&info, &buffer, &size);
        info.image_width = JDIMENSION(picture.Width);
        info.image_height = JDIMENSION(picture.Height);
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, SavedJpegQuality, TRUE);
        jpeg_start_compress(&info, TRUE);
        while (info.next_scanline < info.image_height) {
            JSAMPROW row = picture.Pixels.data() + size_t(info.next_scanline) * picture.RowBytes();
            jpeg_write_scanlines(&info, &row, 1);
        }
        jpeg_finish_compress(&info);
        jpeg_destroy_compress(&info);
        benchmark::DoNotOptimize(size);
        std::free(buffer);
    }
}

// The capture alone: the scene drawn offscreen at 2048 x 2048 and read back.
void BM_CaptureOnly(benchmark::State& state) {
    OffscreenContext context;
    PrepareScene();
    for (auto _ : state) {
        Picture picture;
        CaptureComposedPicture(picture);
        benchmark::DoNotOptimize(picture.Pixels.data());
    }
}

} // namespace

BENCHMARK(BM_BareJpegEncode)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveJpeg)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CaptureOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
