#include "scene/history_parts.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <zstd.h>

#include "scene/history.h"

namespace {

// The fastest level: paint and mask tiles are mostly empty or flat and
// shrink well even so, and a stroke's end must not keep the user waiting.
constexpr int PackLevel = 1;

bool Has(unsigned parts, unsigned part) {
    return (parts & part) != 0;
}

bool SameLayers(const SceneParts& a, const SceneParts& b) {
    // Whole layer values, whatever fields they gain.
    return a.LastLayer == b.LastLayer && a.Layers.size() == b.Layers.size() &&
           (a.Layers.empty() || std::memcmp(a.Layers.data(), b.Layers.data(),
                                            a.Layers.size() * sizeof(TTattooLayer)) == 0);
}

bool SameSelection(const SceneParts& a, const SceneParts& b) {
    return a.SelectionLast == b.SelectionLast && a.SelectionClosed == b.SelectionClosed &&
           a.ClipToSelection == b.ClipToSelection && a.ToolMode == b.ToolMode &&
           a.Points.size() == b.Points.size() &&
           std::equal(a.Points.begin(), a.Points.end(), b.Points.begin(),
                      [](const TSelectionPoint& p, const TSelectionPoint& q) {
                          return p.X == q.X && p.Y == q.Y;
                      });
}

bool SameView(const SceneParts& a, const SceneParts& b) {
    return a.Zoom == b.Zoom && a.QuarterTurns == b.QuarterTurns && a.ImageWidth == b.ImageWidth &&
           a.ImageHeight == b.ImageHeight && a.PhotoWidth == b.PhotoWidth &&
           a.PhotoHeight == b.PhotoHeight && a.PanX == b.PanX && a.PanY == b.PanY &&
           a.OverflowX == b.OverflowX && a.OverflowY == b.OverflowY;
}

void TakeLayers(SceneParts& parts) {
    const int count = std::clamp<int>(LastLayer + 1, 0, static_cast<int>(Layers.size()));
    parts.Layers.assign(Layers.begin(), Layers.begin() + count);
    parts.LastLayer = count - 1;
}

void TakeSelection(SceneParts& parts) {
    const int count = std::clamp<int>(SelectionLast + 1, 0, SelectionCapacity);
    parts.Points.assign(SelectionPoints, SelectionPoints + count);
    parts.SelectionLast = SelectionLast;
    parts.SelectionClosed = SelectionClosed;
    parts.ClipToSelection = ClipToSelection;
    parts.ToolMode = ToolMode;
}

void TakeView(SceneParts& parts) {
    parts.Zoom = Zoom;
    parts.QuarterTurns = QuarterTurns;
    parts.ImageWidth = ImageWidth;
    parts.ImageHeight = ImageHeight;
    parts.PhotoWidth = PhotoWidth;
    parts.PhotoHeight = PhotoHeight;
    parts.PanX = PanX;
    parts.PanY = PanY;
    parts.OverflowX = OverflowX;
    parts.OverflowY = OverflowY;
}

std::shared_ptr<const PackedBytes> PhotoPack;

void TakePhoto(SceneParts& parts) {
    if (!PhotoPack)
        PhotoPack = std::make_shared<const PackedBytes>(
            PackBytes(CurrentPhoto.Pixels.data(), CurrentPhoto.Pixels.size()));
    parts.Photo = PhotoPack;
    parts.PhotoPixelsWidth = CurrentPhoto.Width;
    parts.PhotoPixelsHeight = CurrentPhoto.Height;
    parts.PhotoChannels = CurrentPhoto.Channels;
}

void PutView(const SceneParts& parts) {
    Zoom = parts.Zoom;
    QuarterTurns = parts.QuarterTurns;
    ImageWidth = parts.ImageWidth;
    ImageHeight = parts.ImageHeight;
    PhotoWidth = parts.PhotoWidth;
    PhotoHeight = parts.PhotoHeight;
    PanX = parts.PanX;
    PanY = parts.PanY;
    OverflowX = parts.OverflowX;
    OverflowY = parts.OverflowY;
}

} // namespace

PackedBytes PackBytes(const uint8_t* data, size_t size) {
    // One context and one scratch buffer for all the tiles: they are packed
    // by the hundred, and each would otherwise allocate both anew. A photo
    // gets a buffer of its own, given back at once.
    static const std::unique_ptr<ZSTD_CCtx, size_t (*)(ZSTD_CCtx*)> context(ZSTD_createCCtx(),
                                                                            ZSTD_freeCCtx);
    static std::vector<uint8_t> tileScratch(ZSTD_compressBound(PaintTileBytes));
    PackedBytes packed{{}, size};
    if (size == 0) return packed;
    std::vector<uint8_t> photoScratch;
    std::vector<uint8_t>& scratch = size <= size_t(PaintTileBytes) ? tileScratch : photoScratch;
    scratch.resize(std::max(scratch.size(), ZSTD_compressBound(size)));
    const size_t written = context ? ZSTD_compressCCtx(context.get(), scratch.data(),
                                                       scratch.size(), data, size, PackLevel)
                                   : 0;
    if (written == 0 || ZSTD_isError(written)) {
        // Kept as they are rather than lost.
        packed.Bytes.assign(data, data + size);
        packed.RawSize = 0;
        return packed;
    }
    packed.Bytes.assign(scratch.data(), scratch.data() + written);
    return packed;
}

bool UnpackBytes(const PackedBytes& packed, uint8_t* out, size_t size) {
    static const std::unique_ptr<ZSTD_DCtx, size_t (*)(ZSTD_DCtx*)> context(ZSTD_createDCtx(),
                                                                            ZSTD_freeDCtx);
    if (packed.RawSize == 0) {
        if (packed.Bytes.size() != size) return false;
        if (size > 0) std::memcpy(out, packed.Bytes.data(), size);
        return true;
    }
    if (packed.RawSize != size || !context) return false;
    const size_t read =
        ZSTD_decompressDCtx(context.get(), out, size, packed.Bytes.data(), packed.Bytes.size());
    return !ZSTD_isError(read) && read == size;
}

size_t NotedTiles::Place(int32_t column, int32_t row) {
    return size_t(column - 1) * PaintTileCount + size_t(row - 1);
}

void NotedTiles::Note(int32_t column, int32_t row, const uint8_t* bytes, size_t size) {
    TileNote& note = noted_[Place(column, row)];
    if (note.Noted) return;
    note = {true, std::memcmp(bytes, bytes + 1, size - 1) == 0, bytes[0]};
    if (!note.Flat) copies_[Place(column, row)].assign(bytes, bytes + size);
}

std::vector<TileChange> NotedTiles::Changes(TileBytes table, size_t size) {
    std::vector<TileChange> changes;
    std::vector<uint8_t> flat;
    for (int32_t column = 1; column <= PaintTileCount; ++column)
        for (int32_t row = 1; row <= PaintTileCount; ++row) {
            const size_t place = Place(column, row);
            const TileNote note = noted_[place];
            if (!note.Noted) continue;
            noted_[place] = {};
            if (note.Flat) flat.assign(size, note.Value);
            const uint8_t* before = note.Flat ? flat.data() : copies_[place].data();
            const uint8_t* now = table(column, row);
            if (std::memcmp(before, now, size) != 0)
                changes.push_back({column, row, PackBytes(before, size), PackBytes(now, size)});
        }
    return changes;
}

bool PutTiles(const std::vector<TileChange>& changes, TileBytes table, size_t size, bool after) {
    bool whole = true;
    for (const TileChange& change : changes)
        whole = UnpackBytes(after ? change.After : change.Before, table(change.Column, change.Row),
                            size) &&
                whole;
    return whole;
}

SceneParts TakeParts(unsigned parts) {
    SceneParts taken;
    if (Has(parts, StepPart::Layers)) TakeLayers(taken);
    if (Has(parts, StepPart::Selection)) TakeSelection(taken);
    if (Has(parts, StepPart::View)) TakeView(taken);
    if (Has(parts, StepPart::Photo)) TakePhoto(taken);
    return taken;
}

bool SameParts(const SceneParts& a, const SceneParts& b, unsigned parts) {
    // A photo step always counts: the photo was opened anew.
    if (Has(parts, StepPart::Photo)) return false;
    return (!Has(parts, StepPart::Layers) || SameLayers(a, b)) &&
           (!Has(parts, StepPart::Selection) || SameSelection(a, b)) &&
           (!Has(parts, StepPart::View) || SameView(a, b));
}

void PutParts(const SceneParts& parts, unsigned which) {
    if (Has(which, StepPart::Layers)) {
        Layers = parts.Layers;
        LastLayer = parts.LastLayer;
        // The layer the pointer was over may be another one now, or gone.
        HoverLayer = -1;
        HoverCorner = 0;
    }
    if (Has(which, StepPart::Selection)) {
        std::copy(parts.Points.begin(), parts.Points.end(), SelectionPoints);
        SelectionLast = parts.SelectionLast;
        SelectionClosed = parts.SelectionClosed;
        ClipToSelection = parts.ClipToSelection;
        ToolMode = parts.ToolMode;
    }
    if (Has(which, StepPart::View)) PutView(parts);
}

size_t PartsBytes(const SceneParts& parts) {
    return sizeof parts + parts.Layers.capacity() * sizeof(TTattooLayer) +
           parts.Points.capacity() * sizeof(TSelectionPoint) +
           (parts.Photo ? parts.Photo->Bytes.capacity() : 0);
}

void KeepPhotoPack(std::shared_ptr<const PackedBytes> packed) {
    PhotoPack = std::move(packed);
}

void ForgetPhotoPack() {
    PhotoPack.reset();
}
