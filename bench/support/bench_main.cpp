#include <QApplication>
#include <benchmark/benchmark.h>

#include "platform/gl_format.h"

// Benchmarks that draw need an application object and a display, like the
// program itself; the others simply ignore it.
int main(int argc, char** argv) {
    UseCanvasSurfaceFormat();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
