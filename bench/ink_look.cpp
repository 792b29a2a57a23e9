// The ink look's costs on this machine's OpenGL: the heavy scene (2048-pixel
// photo, 50 tattoos, a fully painted layer) with the ink look on every
// tattoo against the same scene without it; a Move drag over the inked
// scene with an empty paint layer, each pointer event followed by its frame;
// the shading map of a 2048 x 2048 photo against decoding that photo; and
// the first placement of a shipped design (decode, texture, ink copy).

#include <GL/gl.h>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <vector>

#include "bench/support/bench_scene.h"
#include "content/jpeg_codec.h"
#include "content/photo_loader.h"
#include "content/png_codec.h"
#include "render/frame_renderer.h"
#include "render/gl_canvas.h"
#include "render/ink_texture.h"
#include "scene/scene_state.h"
#include "scene/shading_map.h"
#include "tools/canvas_pointer.h"

namespace {

constexpr int PhotoSide = 2048;
constexpr int EventsPerDrag = 1000;

// Skin-like: broad shading across the photo with fine grain over it.
Picture ShadedPhoto() {
    Picture picture{PhotoSide, PhotoSide, 3,
                    std::vector<uint8_t>(size_t(PhotoSide) * PhotoSide * 3)};
    uint32_t noise = 12345u;
    for (int y = 0; y < PhotoSide; ++y)
        for (int x = 0; x < PhotoSide; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int across = std::abs(x - PhotoSide / 2) * 160 / PhotoSide;
            const int shade = 220 - across - y * 40 / PhotoSide + int(noise >> 29);
            uint8_t* p = &picture.Pixels[(size_t(y) * PhotoSide + x) * 3];
            p[0] = uint8_t(shade);
            p[1] = uint8_t(shade * 3 / 4);
            p[2] = uint8_t(shade * 3 / 5);
        }
    return picture;
}

void DrawFrame() {
    Timer1Timer();
    glFinish();
}

void PrepareInkedScene(bool ink, bool painted) {
    PrepareFullScene(painted);
    PhotoShading = ComputeShadingMap(ShadedPhoto());
    for (int i = 0; i <= LastLayer; ++i)
        Layers[i].InkLook = ink;
    // The first frame uploads the paint tiles and makes the ink copies.
    DrawFrame();
}

// Argument: 1 with the ink look on every tattoo, 0 without.
void BM_HeavySceneFrame(benchmark::State& state) {
    OffscreenCanvas canvas;
    PrepareInkedScene(state.range(0) != 0, true);
    for (auto _ : state)
        DrawFrame();
    state.counters["frames/s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// The pointer sweeps right and back over 100 pixels, one pixel an event.
void BM_InkedMoveDrag1000Events(benchmark::State& state) {
    OffscreenCanvas canvas;
    PrepareInkedScene(state.range(0) != 0, false);
    float cx = 0, cy = 0;
    for (const TLayerCorner& corner : Layers[0].Corners) {
        cx += corner.X / 4;
        cy += corner.Y / 4;
    }
    const int x0 = int(cx * Zoom + CenterX - PanX) + 20;
    const int y0 = int(cy * Zoom + CenterY - PanY);
    Panel1MouseMove(Qt::NoButton, x0, y0);
    DrawFrame();
    Panel1MouseDown(Qt::LeftButton, Qt::LeftButton, x0, y0);
    int64_t events = 0;
    for (auto _ : state) {
        for (int i = 0; i < EventsPerDrag; ++i) {
            const int step = i % 200;
            Panel1MouseMove(Qt::LeftButton, x0 + (step < 100 ? step : 200 - step), y0 + (i % 7));
            DrawFrame();
        }
        events += EventsPerDrag;
    }
    state.counters["frames/s"] = benchmark::Counter(double(events), benchmark::Counter::kIsRate);
}

void BM_ShadingMapOf2048Photo(benchmark::State& state) {
    const Picture photo = ShadedPhoto();
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeShadingMap(photo).DX.data());
}

void BM_DecodeOf2048Jpeg(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("photo.jpg").toStdString();
    EncodeJpegFile(path, ShadedPhoto(), 90);
    std::vector<uint8_t> bytes;
    ReadWholeFile(path, bytes);
    for (auto _ : state) {
        Picture picture;
        DecodeJpegMemory(bytes.data(), bytes.size(), picture);
        benchmark::DoNotOptimize(picture.Pixels.data());
    }
}

// A shipped design's first placement: its PNG decoded, made a mipmapped
// texture and, for the ink look, its premultiplied copy. The counters give
// the design's size and the texture memory the two take with their mipmaps.
void BM_FirstPlacementOfShippedDesign(benchmark::State& state) {
    OffscreenCanvas canvas;
    const std::string path = VELMORA_SOURCE_DIR "/data/Skulls/burning_skull.png";
    Picture probe;
    if (!DecodePngFile(path, probe)) {
        state.SkipWithError("no shipped design");
        return;
    }
    for (auto _ : state) {
        Picture picture;
        DecodePngFile(path, picture);
        TextureName texture = UploadTexture(1, picture, true);
        InkTextureFor(texture);
        glFinish();
        ForgetInkTexture(texture);
        glDeleteTextures(1, &texture);
    }
    constexpr double MipmapShare = 4.0 / 3;
    state.counters["side"] = probe.Width;
    state.counters["texture MiB"] =
        2 * MipmapShare * probe.Width * probe.Height * 4 / (1024.0 * 1024.0);
}

} // namespace

BENCHMARK(BM_HeavySceneFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_InkedMoveDrag1000Events)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(BM_ShadingMapOf2048Photo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeOf2048Jpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstPlacementOfShippedDesign)->Unit(benchmark::kMillisecond)->UseRealTime();
