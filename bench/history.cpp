// The history's cost for paint: 200 strokes of the largest brush spread over
// a 2048 x 2048 photo, made through the canvas handlers as a user makes them.
// Reported: the bytes the history keeps for them (counted by the history),
// and the time of one undo and one redo of a stroke, to set beside a frame of
// the heavy scene (bench_frame).

#include <benchmark/benchmark.h>
#include <random>

#include "scene/history.h"
#include "scene/scene_state.h"
#include "scene/selection_mask.h"
#include "tools/brush_size.h"
#include "tools/canvas_pointer.h"
#include "tools/paint_color.h"

namespace {

constexpr int PhotoSide = 2048;
constexpr int StrokeCount = 200;
constexpr int StrokeBrush = 64;
// Each stroke: this many moves of this many pixels in one direction.
constexpr int StrokeMoves = 24;
constexpr int MoveStep = 6;

void Stroke(std::mt19937& random) {
    std::uniform_int_distribution<int> place(0, PhotoSide - 1);
    std::uniform_int_distribution<int> step(-MoveStep, MoveStep);
    int x = place(random);
    int y = place(random);
    const int dx = step(random);
    const int dy = step(random);
    Panel1MouseMove(Qt::NoButton, x, y);
    Panel1MouseDown(Qt::LeftButton, Qt::LeftButton, x, y);
    for (int n = 0; n < StrokeMoves; ++n)
        Panel1MouseMove(Qt::LeftButton, x += dx, y += dy);
    Panel1MouseUp(Qt::LeftButton, Qt::NoButton, x, y);
}

void PaintStrokes() {
    ResetSceneState();
    ImageWidth = PhotoWidth = ImageHeight = PhotoHeight = PhotoSide;
    ViewWidth = CanvasWidth;
    ViewHeight = CanvasHeight;
    SelectWholeMask();
    PaintColor = {200, 30, 40};
    ApplyBrushSize(StrokeBrush);
    ToolMode = Tool::Paint;
    std::mt19937 random(18);
    for (int n = 0; n < StrokeCount; ++n)
        Stroke(random);
}

void BM_HistoryOf200Strokes(benchmark::State& state) {
    for (auto _ : state)
        PaintStrokes();
    state.counters["history_MB"] = double(HistoryBytes()) / (1024 * 1024);
    state.counters["steps"] = UndoableSteps();
}

void BM_UndoStroke(benchmark::State& state) {
    PaintStrokes();
    StepKind kind;
    for (auto _ : state) {
        UndoStep(kind);
        state.PauseTiming();
        RedoStep(kind);
        state.ResumeTiming();
    }
}

void BM_RedoStroke(benchmark::State& state) {
    PaintStrokes();
    StepKind kind;
    for (auto _ : state) {
        state.PauseTiming();
        UndoStep(kind);
        state.ResumeTiming();
        RedoStep(kind);
    }
}

} // namespace

BENCHMARK(BM_HistoryOf200Strokes)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_UndoStroke)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedoStroke)->Unit(benchmark::kMicrosecond);
