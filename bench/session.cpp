// Sessions of the heaviest scene: a 2048 x 2048 photo from a JPEG file, 50
// tattoos of five 512 x 512 designs and a fully painted layer.
// - BM_SessionSave (the whole Save as session after its dialog: copy, GL
//   pictures, encoding, atomic write) / BM_SessionPngsEncode (libpng alone
//   encoding the same PNG entries) should be at most 1.3;
// - BM_SessionOpen (read, check, decode and put into the editor) /
//   BM_SessionPicturesDecode (decoding alone the photo and the PNG entries
//   an open decodes) should be at most 1.3;
// - BM_AutosaveGuiThread, the autosave's part on the GUI thread, should stay
//   under one frame (16 ms).

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>

#include "bench/support/bench_scene.h"
#include "content/dropped_design.h"
#include "content/jpeg_codec.h"
#include "content/photo_loader.h"
#include "content/photo_reading.h"
#include "content/picture_writer.h"
#include "content/png_codec.h"
#include "content/session_file.h"
#include "content/session_json.h"
#include "content/session_open.h"
#include "content/zip_archive.h"
#include "scene/scene_state.h"

namespace {

constexpr int Side = 2048;
constexpr int TattooCount = 50;
constexpr int DesignCount = 5;

void LoadHeavyScene(const QTemporaryDir& folder) {
    PrepareScene();
    const std::string photo = folder.filePath("photo.jpg").toStdString();
    EncodeJpegFile(photo, SkinPicture(Side, Side, 3, 1), SavedJpegQuality);
    OpenFoto(photo);
    // A design's texture goes when no layer uses it: each is placed at once.
    TextureName designs[DesignCount];
    for (int i = 0; i < TattooCount; ++i) {
        if (i < DesignCount) designs[i] = AddDesignTexture(SkinPicture(512, 512, 4, 10 + i));
        TTattooLayer& layer = Layers[AddLayer()];
        const float x = 150.0f + (i % 10) * 195;
        const float y = 200.0f + (i / 10) * 400;
        layer = {true, designs[i % DesignCount], -1, -1, static_cast<uint8_t>(200 + i), {}};
        layer.Corners[0] = {x - 150, y + 150, 0, 0};
        layer.Corners[1] = {x + 170, y + 130, 1, 0};
        layer.Corners[2] = {x + 150, y - 150, 1, 1};
        layer.Corners[3] = {x - 140, y - 150, 0, 1};
    }
    for (int column = 1; column <= PaintTileCount; ++column)
        for (int row = 1; row <= PaintTileCount; ++row) {
            uint8_t* data = PaintPixels[column][row].Data;
            for (int i = 0; i < PaintTileBytes; i += 4) {
                data[i] = uint8_t(i * 7);
                data[i + 3] = uint8_t(i / 512);
            }
        }
    MarkAllPaintTilesDirty();
}

std::vector<uint8_t> SavedSession(const QTemporaryDir& folder) {
    const std::string path = folder.filePath("heavy.ora").toStdString();
    std::vector<uint8_t> bytes;
    if (SaveSessionFile(path).empty() || !ReadSessionBytes(path, bytes)) std::abort();
    return bytes;
}

bool IsPng(const std::string& name) {
    return name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0;
}

void BM_SessionSave(benchmark::State& state) {
    OffscreenCanvas canvas;
    QTemporaryDir folder;
    LoadHeavyScene(folder);
    const std::string path = folder.filePath("saved.ora").toStdString();
    for (auto _ : state)
        if (SaveSessionFile(path).empty()) state.SkipWithError("the save failed");
}

// The PNG entries of a saved session, decoded once, encoded again.
void BM_SessionPngsEncode(benchmark::State& state) {
    OffscreenCanvas canvas;
    QTemporaryDir folder;
    LoadHeavyScene(folder);
    const std::vector<uint8_t> session = SavedSession(folder);
    ZipReader zip;
    zip.Open(session);
    std::vector<Picture> pictures;
    std::vector<int> levels; // as the session writes each
    for (const std::string& name : zip.Names()) {
        std::vector<uint8_t> bytes;
        if (!IsPng(name) || zip.Read(name, bytes) != ZipProblem::None) continue;
        pictures.emplace_back();
        DecodePngMemory(bytes.data(), bytes.size(), pictures.back());
        levels.push_back(name == MergedEntry ? PngDefaultCompression : SessionLayerCompression);
    }
    state.counters["pngs"] = double(pictures.size());
    for (auto _ : state)
        for (size_t i = 0; i < pictures.size(); ++i) {
            std::vector<unsigned char> png;
            EncodePngMemory(pictures[i], png, nullptr, levels[i]);
            benchmark::DoNotOptimize(png.data());
        }
}

void BM_SessionOpen(benchmark::State& state) {
    OffscreenCanvas canvas;
    QTemporaryDir folder;
    LoadHeavyScene(folder);
    const std::string path = folder.filePath("heavy.ora").toStdString();
    SavedSession(folder);
    for (auto _ : state)
        if (!OpenSessionFile(path)) state.SkipWithError("the open failed");
}

// What an open decodes: Velmora's photo file and its PNG entries.
void BM_SessionPicturesDecode(benchmark::State& state) {
    OffscreenCanvas canvas;
    QTemporaryDir folder;
    LoadHeavyScene(folder);
    const std::vector<uint8_t> session = SavedSession(folder);
    ZipReader zip;
    zip.Open(session);
    std::vector<std::vector<uint8_t>> pngs;
    std::vector<uint8_t> jpeg;
    for (const std::string& name : zip.Names()) {
        if (name.rfind("velmora/", 0) != 0) continue;
        std::vector<uint8_t> bytes;
        zip.Read(name, bytes);
        if (IsPng(name))
            pngs.push_back(std::move(bytes));
        else if (name == SessionPhotoEntry(".jpg"))
            jpeg = std::move(bytes);
    }
    for (auto _ : state) {
        Picture photo;
        DecodeJpegMemory(jpeg.data(), jpeg.size(), photo);
        for (const std::vector<uint8_t>& png : pngs) {
            Picture picture;
            DecodePngMemory(png.data(), png.size(), picture);
            benchmark::DoNotOptimize(picture.Pixels.data());
        }
    }
}

// The copy an autosave takes on the GUI thread before the worker writes it.
void BM_AutosaveGuiThread(benchmark::State& state) {
    OffscreenCanvas canvas;
    QTemporaryDir folder;
    LoadHeavyScene(folder);
    for (auto _ : state) {
        auto scene = std::make_shared<SessionScene>();
        if (!TakeSessionScene(*scene)) state.SkipWithError("no scene");
        benchmark::DoNotOptimize(scene.get());
    }
}

} // namespace

BENCHMARK(BM_SessionPngsEncode)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SessionSave)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SessionPicturesDecode)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SessionOpen)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AutosaveGuiThread)->Unit(benchmark::kMillisecond)->UseRealTime();
