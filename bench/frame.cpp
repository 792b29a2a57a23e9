// Cost of one canvas frame on this machine's OpenGL, drawn into an offscreen
// framebuffer of the panel's size with glFinish after every frame, so that
// the figure includes the rasterising and not just the command submission;
// the full view's frame is drawn at 1920 x 1080.

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include "bench/support/bench_scene.h"
#include "render/frame_renderer.h"

namespace {

void RunFrames(benchmark::State& state, bool dirtyEveryFrame) {
    for (auto _ : state) {
        if (dirtyEveryFrame) MarkAllPaintTilesDirty();
        Timer1Timer();
        glFinish();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_BackgroundOnlyFrame(benchmark::State& state) {
    OffscreenCanvas canvas;
    PrepareScene();
    RunFrames(state, false);
}

// The steady frame: photo, 50 layers and a fully painted layer, no uploads.
void BM_FullFrame(benchmark::State& state) {
    OffscreenCanvas canvas;
    PrepareFullScene();
    Timer1Timer();
    RunFrames(state, false);
}

// The same steady frame in the full view on a 1920 x 1080 screen, the photo
// fitted to it: next to BM_FullFrame, what the bigger view costs.
void BM_FullFrameFullView(benchmark::State& state) {
    OffscreenCanvas canvas(FullViewWidth, FullViewHeight);
    PrepareFullScene(true, FullViewWidth, FullViewHeight);
    Timer1Timer();
    RunFrames(state, false);
}

// The frame right after the whole paint layer changed (a fill or a clear):
// every tile inside the image is uploaded again.
void BM_FullFrameAllPaintTilesDirty(benchmark::State& state) {
    OffscreenCanvas canvas;
    PrepareFullScene();
    RunFrames(state, true);
}

} // namespace

BENCHMARK(BM_BackgroundOnlyFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullFrameFullView)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullFrameAllPaintTilesDirty)->Unit(benchmark::kMillisecond)->UseRealTime();
