#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

#include "scene/brush_stamp.h"
#include "scene/scene_state.h"
#include "scene/selection_mask.h"

// The largest brush with its default soft edge: what a size change costs.
static void BM_BuildBrushStamp(benchmark::State& state) {
    BrushStamp stamp;
    InitBrushStamp(stamp);
    for (auto _ : state) {
        BuildBrushStamp(stamp, 64, 19);
        benchmark::DoNotOptimize(stamp.Data.data());
    }
}
BENCHMARK(BM_BuildBrushStamp);

// Closing a 1000-point star-shaped selection on the largest photo.
static void BM_ToggleSelectionEdges(benchmark::State& state) {
    ResetSceneState();
    ImageWidth = ImageHeight = 2048;
    constexpr int points = 1000;
    int x[points], y[points];
    for (int i = 0; i < points; ++i) {
        double angle = 2 * std::numbers::pi * i / points;
        double radius = 900 + 100 * std::sin(angle * 37);
        x[i] = static_cast<int>(1024 + radius * std::cos(angle));
        y[i] = static_cast<int>(1024 + radius * std::sin(angle));
    }
    for (auto _ : state) {
        ClearSelectionMask();
        for (int i = 0; i < points; ++i)
            ToggleSelectionEdge(x[i], y[i], x[(i + 1) % points], y[(i + 1) % points]);
    }
}
BENCHMARK(BM_ToggleSelectionEdges)->Unit(benchmark::kMillisecond);
