#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>

#include "content/catalog.h"
#include "content/content_messages.h"
#include "content/design_import.h"
#include "content/jpeg_codec.h"
#include "content/own_designs.h"
#include "content/paper_to_ink.h"
#include "content/photo_reading.h"

// Importing a 12-megapixel phone photo of a drawing into My designs: read and
// scaled to the design limit while decoding, the paper taken away, laid out
// as a catalog design with its PNG and miniature, and kept. The parts are
// timed on their own as well. Import is the figure to hold to one second.

namespace {

constexpr int PhoneWidth = 4000, PhoneHeight = 3000;

// Black strokes and a coloured disc on off-white paper, lit from one side,
// with a soft shadow and sensor noise.
Picture PhoneDrawing() {
    Picture picture{PhoneWidth, PhoneHeight, 3,
                    std::vector<uint8_t>(size_t(PhoneWidth) * PhoneHeight * 3)};
    uint32_t noise = 12345u;
    for (int y = 0; y < PhoneHeight; ++y)
        for (int x = 0; x < PhoneWidth; ++x) {
            const double r = std::hypot(x - 2000.0, y - 1500.0);
            const bool line = std::abs(r - 900) < 12 || std::abs((x - y) % 700) < 10;
            const bool fill = r < 600;
            const double light =
                (1 - 0.25 * x / PhoneWidth) * (1 - 0.3 / (1 + std::exp(-(x - 2800.0) / 150)));
            const int paper[3] = {244, 240, 230}, ink[3] = {20, 20, 20}, colour[3] = {40, 90, 200};
            uint8_t* pixel = &picture.Pixels[(size_t(y) * PhoneWidth + x) * 3];
            for (int c = 0; c < 3; ++c) {
                noise = noise * 1664525u + 1013904223u;
                const int base = line ? ink[c] : fill ? colour[c] : paper[c];
                pixel[c] = uint8_t(std::clamp(int(base * light) + int(noise >> 29) - 4, 0, 255));
            }
        }
    return picture;
}

struct ImportFiles {
    QTemporaryDir Dir;
    std::string Photo;
    ImportFiles() {
        Photo = Dir.filePath("drawing.jpg").toStdString();
        EncodeJpegFile(Photo, PhoneDrawing(), 90);
        qputenv("XDG_DATA_HOME", Dir.filePath("data").toUtf8());
        ContentMessageBox = nullptr;
    }
};

ImportFiles& Files() {
    static ImportFiles files;
    return files;
}

Picture ScaledDrawing() {
    PhotoFile file;
    ReadPhotoFile(Files().Photo, file);
    Picture picture;
    DecodePhotoFile(file, MaxDesignSide, picture);
    return picture;
}

void BM_Import(benchmark::State& state) {
    for (auto _ : state) {
        const PreparedDesign design = PrepareDesign(Files().Photo);
        if (!StoreOwnDesign(design)) state.SkipWithError("the design was not kept");
        state.PauseTiming();
        ResetCatalog();
        QDir(QString::fromStdString(OwnDesignsFolder())).removeRecursively();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadScaledDown(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ScaledDrawing());
}
BENCHMARK(BM_ReadScaledDown)->Unit(benchmark::kMillisecond);

void BM_PaperToInk(benchmark::State& state) {
    const Picture picture = ScaledDrawing();
    for (auto _ : state)
        benchmark::DoNotOptimize(PaperToInk(picture));
}
BENCHMARK(BM_PaperToInk)->Unit(benchmark::kMillisecond);

void BM_LayOutDesign(benchmark::State& state) {
    const Picture design = PaperToInk(ScaledDrawing());
    for (auto _ : state)
        benchmark::DoNotOptimize(LayOutDesign(design));
}
BENCHMARK(BM_LayOutDesign)->Unit(benchmark::kMillisecond);

} // namespace
