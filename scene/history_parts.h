#pragma once

// The pieces a history step is made of: compressed blocks of bytes, the
// changed tiles of a tile table, and the small parts of the scene that a
// step keeps whole.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "scene/scene_state.h"

// Bytes kept compressed, with their size before compression.
struct PackedBytes {
    std::vector<uint8_t> Bytes;
    size_t RawSize = 0;
};
PackedBytes PackBytes(const uint8_t* data, size_t size);
// False when the bytes do not unpack to exactly `size` bytes.
bool UnpackBytes(const PackedBytes& packed, uint8_t* out, size_t size);

// One tile a step changed, as it was before and after.
struct TileChange {
    int32_t Column = 0;
    int32_t Row = 0;
    PackedBytes Before;
    PackedBytes After;
};

// The bytes of tile (column, row) of one tile table.
using TileBytes = uint8_t* (*)(int32_t column, int32_t row);

// The tiles of one table noted while a step is open: a copy of each tile's
// bytes taken before its first change.
// The copies stay allocated from step to step: a fill or a new photo notes
// every tile, and memory taken and given back that often only scatters the
// allocator's heap.
class NotedTiles {
  public:
    void Note(int32_t column, int32_t row, const uint8_t* bytes, size_t size);
    // The noted tiles whose bytes differ now; the notes are dropped.
    std::vector<TileChange> Changes(TileBytes table, size_t size);
    void Clear() { noted_.assign(noted_.size(), {}); }

  private:
    // A tile of one byte value all over (a blank paint tile, a wholly
    // selected mask tile) is noted by that value alone.
    struct TileNote {
        bool Noted = false;
        bool Flat = false;
        uint8_t Value = 0;
    };
    static size_t Place(int32_t column, int32_t row);
    std::vector<std::vector<uint8_t>> copies_ =
        std::vector<std::vector<uint8_t>>(size_t(PaintTileCount) * PaintTileCount);
    std::vector<TileNote> noted_ = std::vector<TileNote>(size_t(PaintTileCount) * PaintTileCount);
};

// Puts each change's before (or after) bytes back into the table.
// False when one could not be unpacked.
bool PutTiles(const std::vector<TileChange>& changes, TileBytes table, size_t size, bool after);

// The small parts of the scene a step keeps whole.
struct SceneParts {
    std::vector<TTattooLayer> Layers;
    int32_t LastLayer = -1;
    std::vector<TSelectionPoint> Points;
    int32_t SelectionLast = 0;
    bool SelectionClosed = true;
    bool ClipToSelection = false;
    uint8_t ToolMode = 0;
    float Zoom = 1;
    int32_t QuarterTurns = 0;
    int32_t ImageWidth = 0, ImageHeight = 0;
    int32_t PhotoWidth = 0, PhotoHeight = 0;
    int32_t PanX = 0, PanY = 0;
    int32_t OverflowX = 0, OverflowY = 0;
    // Shared with the next photo step, whose old photo this one's new one is.
    std::shared_ptr<const PackedBytes> Photo;
    int32_t PhotoPixelsWidth = 0, PhotoPixelsHeight = 0, PhotoChannels = 0;
};

// The named parts (StepPart bits) of the scene as they are now.
SceneParts TakeParts(unsigned parts);
bool SameParts(const SceneParts& a, const SceneParts& b, unsigned parts);
// Puts the named parts back, all but the photo.
void PutParts(const SceneParts& parts, unsigned which);
size_t PartsBytes(const SceneParts& parts);

// CurrentPhoto packed, made once for each photo shown; the history hands it
// the packed photo it shows again, and forgets it when the photo changes.
void KeepPhotoPack(std::shared_ptr<const PackedBytes> packed);
void ForgetPhotoPack();
