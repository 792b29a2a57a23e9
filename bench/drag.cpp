// A tattoo dragged over a heavy scene (a 2048-pixel photo, 50 layers; with
// an empty paint layer, and with a fully painted one: argument 0 or 1) on
// this machine's OpenGL: every
// pointer event goes through the canvas's real move handler and is followed
// by the frame it asks for, so the events and frames per second are what a
// drag costs at worst. The bare full frame of the same scene is measured in
// the same run for comparison.

#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <cmath>
#include <numbers>

#include "bench/support/bench_scene.h"
#include "render/frame_renderer.h"
#include "scene/scene_state.h"
#include "tools/canvas_pointer.h"

namespace {

constexpr int EventsPerDrag = 1000;

void DrawFrame() {
    Timer1Timer();
    glFinish();
}

// The canvas position of layer 0's centre, where the drag starts.
struct CanvasSpot {
    int X = 0;
    int Y = 0;
};
CanvasSpot FirstLayerCentre() {
    float x = 0, y = 0;
    for (const TLayerCorner& corner : Layers[0].Corners) {
        x += corner.X / 4;
        y += corner.Y / 4;
    }
    return {int(x * Zoom + CenterX - PanX), int(y * Zoom + CenterY - PanY)};
}

// Points the pointer at layer 0, lets a frame pick it and presses on it.
CanvasSpot GrabFirstLayer(uint8_t tool, bool painted) {
    PrepareFullScene(painted);
    ToolMode = tool;
    DrawFrame();
    const CanvasSpot centre = FirstLayerCentre();
    Panel1MouseMove(Qt::NoButton, centre.X + 20, centre.Y);
    DrawFrame();
    Panel1MouseDown(Qt::LeftButton, Qt::LeftButton, centre.X + 20, centre.Y);
    return centre;
}

void ReportRates(benchmark::State& state, int64_t events, int64_t frames) {
    state.counters["events/s"] = benchmark::Counter(double(events), benchmark::Counter::kIsRate);
    state.counters["frames/s"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate);
}

void BM_BareFullFrame(benchmark::State& state) {
    OffscreenCanvas canvas;
    PrepareFullScene(state.range(0) != 0);
    DrawFrame();
    int64_t frames = 0;
    for (auto _ : state) {
        DrawFrame();
        ++frames;
    }
    ReportRates(state, 0, frames);
}

// The pointer sweeps right and back over 100 pixels, one pixel an event.
void BM_MoveDrag1000Events(benchmark::State& state) {
    OffscreenCanvas canvas;
    const CanvasSpot centre = GrabFirstLayer(Tool::Move, state.range(0) != 0);
    int64_t events = 0;
    for (auto _ : state) {
        for (int i = 0; i < EventsPerDrag; ++i) {
            const int step = i % 200;
            const int x = centre.X + 20 + (step < 100 ? step : 200 - step);
            Panel1MouseMove(Qt::LeftButton, x, centre.Y + (i % 7));
            DrawFrame();
        }
        events += EventsPerDrag;
    }
    ReportRates(state, events, events);
}

// The pointer circles the layer's centre, two degrees an event.
void BM_RotateDrag1000Events(benchmark::State& state) {
    OffscreenCanvas canvas;
    const CanvasSpot centre = GrabFirstLayer(Tool::Rotate, state.range(0) != 0);
    int64_t events = 0;
    for (auto _ : state) {
        for (int i = 0; i < EventsPerDrag; ++i) {
            const double angle = i * std::numbers::pi / 90;
            Panel1MouseMove(Qt::LeftButton, centre.X + int(std::lround(20 * std::cos(angle))),
                            centre.Y + int(std::lround(20 * std::sin(angle))));
            DrawFrame();
        }
        events += EventsPerDrag;
    }
    ReportRates(state, events, events);
}

} // namespace

BENCHMARK(BM_BareFullFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MoveDrag1000Events)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(BM_RotateDrag1000Events)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
