// The paint layer's costs, each beside the plain work it has to stay close
// to: one stamp of the largest brush against a bare loop over the same stamp,
// the fill of the whole layer against a plain memory fill of the same bytes,
// and a brush stroke with the frames that upload its tiles against the same
// frames without paint.

#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>
#include <vector>

#include "bench/support/bench_scene.h"
#include "render/frame_renderer.h"
#include "scene/scene_state.h"
#include "scene/selection_mask.h"
#include "tools/brush_size.h"
#include "tools/paint_color.h"
#include "tools/paint_layer.h"

namespace {

void PrepareLayer(int32_t brushSize) {
    ResetSceneState();
    ImageWidth = PhotoWidth = ImageHeight = PhotoHeight = 2048;
    SelectWholeMask();
    PaintColor = {255, 0, 0};
    ApplyBrushSize(brushSize);
}

// The stamp of the largest brush centred in the middle of a tile, so that it
// reaches into all eight neighbours.
void BM_PaintAtLargestBrush(benchmark::State& state) {
    PrepareLayer(MaxBrushSize);
    for (auto _ : state) {
        PaintAt(1024 + 64, 1024 + 64);
        benchmark::ClobberMemory();
    }
}

// The same blend over the same 128 x 128 stamp into one flat picture: what
// the stamp costs without tiles, neighbours and the selection.
void BM_BareStampLoop(benchmark::State& state) {
    PrepareLayer(MaxBrushSize);
    std::vector<uint8_t> pixels(128 * 128 * 4, 0);
    const TPaintColor c = PaintColor;
    for (auto _ : state) {
        for (int k = 0; k < 128 * 128; ++k) {
            const int d = Brush.Data[k];
            if (d == 0) continue;
            uint8_t* p = &pixels[k * 4];
            if (d >= 255 || p[3] == 0) {
                p[0] = c.R, p[1] = c.G, p[2] = c.B, p[3] = uint8_t(d);
                continue;
            }
            p[0] = uint8_t(((255 - d) * p[0] + d * c.R) / 255);
            p[1] = uint8_t(((255 - d) * p[1] + d * c.G) / 255);
            p[2] = uint8_t(((255 - d) * p[2] + d * c.B) / 255);
            p[3] = uint8_t(std::min(p[3] + d, 255));
        }
        benchmark::ClobberMemory();
    }
}

void BM_FillWholeLayer(benchmark::State& state) {
    PrepareLayer(20);
    for (auto _ : state) {
        SelectionClosed = true;
        FillSelection();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t(sizeof PaintPixels));
}

void BM_PlainMemoryFill(benchmark::State& state) {
    PrepareLayer(20);
    for (auto _ : state) {
        std::memset(&PaintPixels, 0x7f, sizeof PaintPixels);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t(sizeof PaintPixels));
}

// The heaviest steady scene (the largest photo fitted to the canvas, 50
// tattoos) with an empty paint layer, everything selected and the pointer in
// the Paint tool with a brush of size 40.
struct PaintScene {
    OffscreenCanvas canvas;

    PaintScene() {
        PrepareFullScene(false);
        SelectWholeMask();
        PaintColor = {255, 0, 0};
        ApplyBrushSize(40);
        ToolMode = Tool::Paint;
        Timer1Timer();
        glFinish();
    }
};

void Frame() {
    Timer1Timer();
    glFinish();
}

// The pointer's place at event i of a zigzag stroke, one canvas pixel per
// event, across the photo.
void MovePointer(int i) {
    MouseX = 20 + i % 380;
    MouseY = 40 + (i / 380) * 150 + (i % 2) * 3;
}

void Stroke(int i) {
    MovePointer(i);
    PaintAt(int32_t(MouseX - CenterX), int32_t(MouseY - CenterY));
}

// A 1000-event stroke with frames paced as the canvas paces them: a frame as
// soon as the last one is a frame interval old, taking every stamp since,
// and one after the last event. Events per second, uploads included.
void BM_BrushStroke(benchmark::State& state) {
    PaintScene scene;
    const int events = 1000;
    for (auto _ : state) {
        auto last = std::chrono::steady_clock::now();
        for (int i = 0; i < events; ++i) {
            Stroke(i);
            if (std::chrono::steady_clock::now() - last < std::chrono::milliseconds(16)) continue;
            Frame();
            last = std::chrono::steady_clock::now();
        }
        Frame();
    }
    state.SetItemsProcessed(state.iterations() * events);
}

// One frame after every event: the frame time while painting, against the
// same frames without paint below.
void BM_FrameWhilePainting(benchmark::State& state) {
    PaintScene scene;
    int i = 0;
    for (auto _ : state) {
        Stroke(i++ % 1000);
        Frame();
    }
}

void BM_FrameWithoutPaint(benchmark::State& state) {
    PaintScene scene;
    int i = 0;
    for (auto _ : state) {
        MovePointer(i++ % 1000);
        Frame();
    }
}

} // namespace

BENCHMARK(BM_PaintAtLargestBrush)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareStampLoop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillWholeLayer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainMemoryFill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BrushStroke)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameWhilePainting)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameWithoutPaint)->Unit(benchmark::kMillisecond)->UseRealTime();
