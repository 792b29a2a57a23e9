#include "scene/history.h"

#include <deque>
#include <malloc.h>
#include <memory>
#include <new>
#include <optional>

#include "scene/history_parts.h"

Picture CurrentPhoto;
std::function<bool(Picture&& photo)> ShowHistoryPhoto;
std::function<void()> ReportLostPhoto;
std::function<void()> HistoryStepsDropped;
std::function<size_t()> HistoryTextureBytes;

namespace {

struct Step {
    StepKind Kind = StepKind::Move;
    unsigned Parts = 0;
    SceneParts Before;
    SceneParts After;
    std::vector<TileChange> Paint;
    std::vector<TileChange> Mask;
    size_t Bytes = 0;
};

// The step being made: its parts as they were when it began, and the tiles
// noted since.
struct OpenStep {
    StepKind Kind = StepKind::Move;
    unsigned Parts = 0;
    SceneParts Before;
};

std::deque<Step> Steps;
// Steps before Next can be undone, the others redone.
size_t Next = 0;
size_t Bytes = 0;
long DroppedOld = 0;
std::optional<OpenStep> Open;
NotedTiles NotedPaint;
NotedTiles NotedMask;

uint8_t* PaintTileData(int32_t column, int32_t row) {
    return PaintPixels[column][row].Data;
}

uint8_t* MaskTileData(int32_t column, int32_t row) {
    return SelectionMask[column][row].Data;
}

bool OnTable(int32_t column, int32_t row) {
    return column >= 1 && column <= PaintTileCount && row >= 1 && row <= PaintTileCount;
}

void NoteAll(NotedTiles& noted, TileBytes table, size_t size) {
    for (int32_t column = 1; column <= PaintTileCount; ++column)
        for (int32_t row = 1; row <= PaintTileCount; ++row)
            noted.Note(column, row, table(column, row), size);
}

size_t TilesBytes(const std::vector<TileChange>& tiles) {
    size_t bytes = tiles.capacity() * sizeof(TileChange);
    for (const TileChange& tile : tiles)
        bytes += tile.Before.Bytes.capacity() + tile.After.Bytes.capacity();
    return bytes;
}

size_t StepBytes(const Step& step) {
    return sizeof step + PartsBytes(step.Before) + PartsBytes(step.After) + TilesBytes(step.Paint) +
           TilesBytes(step.Mask);
}

void DropOldest(size_t count) {
    for (size_t n = 0; n < count && !Steps.empty(); ++n) {
        Bytes -= Steps.front().Bytes;
        Steps.pop_front();
        ++DroppedOld;
        Next = Next > 0 ? Next - 1 : 0;
    }
}

void DropRedoable() {
    while (Steps.size() > Next) {
        Bytes -= Steps.back().Bytes;
        Steps.pop_back();
    }
}

void StepsDropped() {
    if (HistoryStepsDropped) HistoryStepsDropped();
}

void Keep(Step&& step) {
    const bool dropping = Steps.size() > Next;
    DropRedoable();
    step.Bytes = StepBytes(step);
    Bytes += step.Bytes;
    Steps.push_back(std::move(step));
    Next = Steps.size();
    if (dropping) StepsDropped();
    // One at a time: each may free textures that only it kept.
    while (Steps.size() > 1 && HistoryBytes() > HistoryMemoryLimit) {
        DropOldest(1);
        StepsDropped();
    }
}

// The photo the step shows, unpacked and handed up. False when it cannot
// be: too little memory, or no way to show it.
bool ShowPhoto(const SceneParts& parts) {
    if (!ShowHistoryPhoto || !parts.Photo) return false;
    try {
        const PackedBytes& packed = *parts.Photo;
        Picture photo{parts.PhotoPixelsWidth, parts.PhotoPixelsHeight, parts.PhotoChannels, {}};
        photo.Pixels.resize(packed.RawSize != 0 ? packed.RawSize : packed.Bytes.size());
        if (!UnpackBytes(packed, photo.Pixels.data(), photo.Pixels.size()) ||
            !ShowHistoryPhoto(std::move(photo)))
            return false;
        KeepPhotoPack(parts.Photo);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void MarkPaintDirty(const std::vector<TileChange>& tiles) {
    for (const TileChange& tile : tiles)
        PaintTiles[tile.Column][tile.Row].Dirty = true;
}

// Photo-sized blocks come and go with every photo step; once the allocator
// has raised its threshold for mapping blocks of their own, they are taken
// from the heap and stay with the process after they are freed.
void GiveBackFreedMemory() {
    malloc_trim(0);
}

// Puts the scene as it was before (or after) the step.
bool Apply(const Step& step, bool after) {
    const SceneParts& parts = after ? step.After : step.Before;
    if ((step.Parts & StepPart::Photo) != 0 && !ShowPhoto(parts)) return false;
    if ((step.Parts & StepPart::Photo) != 0) GiveBackFreedMemory();
    PutParts(parts, step.Parts);
    PutTiles(step.Paint, PaintTileData, PaintTileBytes, after);
    MarkPaintDirty(step.Paint);
    PutTiles(step.Mask, MaskTileData, MaskTileBytes, after);
    return true;
}

// A photo that cannot be shown again takes the steps made over it with it:
// undoing loses the older steps, redoing the newer ones; the others stay.
void LosePhotoSteps(bool older) {
    if (older)
        DropOldest(Next);
    else
        DropRedoable();
    StepsDropped();
    if (ReportLostPhoto) ReportLostPhoto();
}

} // namespace

namespace {

// Without the memory to note a step, the change goes ahead unrecorded: the
// user's work matters more than its undo.
void ForgetOpenStep() {
    Open.reset();
    NotedPaint.Clear();
    NotedMask.Clear();
}

} // namespace

void BeginStep(StepKind kind, unsigned parts) {
    EndStep();
    try {
        Open = OpenStep{kind, parts, TakeParts(parts)};
        if ((parts & StepPart::Paint) != 0) NoteAll(NotedPaint, PaintTileData, PaintTileBytes);
        if ((parts & StepPart::Selection) != 0) NoteAll(NotedMask, MaskTileData, MaskTileBytes);
    } catch (const std::bad_alloc&) {
        ForgetOpenStep();
    }
}

void EndStep() {
    if (!Open) return;
    try {
        OpenStep open = std::move(*Open);
        Open.reset();
        Step step{open.Kind, open.Parts, std::move(open.Before), TakeParts(open.Parts), {}, {}, 0};
        step.Paint = NotedPaint.Changes(PaintTileData, PaintTileBytes);
        step.Mask = NotedMask.Changes(MaskTileData, MaskTileBytes);
        if (step.Paint.empty() && step.Mask.empty() &&
            SameParts(step.Before, step.After, step.Parts))
            return;
        const bool photo = (step.Parts & StepPart::Photo) != 0;
        Keep(std::move(step));
        if (photo) GiveBackFreedMemory();
    } catch (const std::bad_alloc&) {
        ForgetOpenStep();
    }
}

bool StepOpen() {
    return Open.has_value();
}

unsigned OpenStepParts() {
    return Open ? Open->Parts : 0;
}

void NotePaintTile(int32_t column, int32_t row) {
    if (!Open || (Open->Parts & StepPart::Stroke) == 0 || !OnTable(column, row)) return;
    NotedPaint.Note(column, row, PaintTileData(column, row), PaintTileBytes);
}

bool UndoStep(StepKind& kind) {
    EndStep();
    if (Next == 0) return false;
    const Step& step = Steps[Next - 1];
    if (!Apply(step, false)) {
        LosePhotoSteps(true);
        return false;
    }
    kind = step.Kind;
    --Next;
    return true;
}

bool RedoStep(StepKind& kind) {
    EndStep();
    if (Next >= Steps.size()) return false;
    const Step& step = Steps[Next];
    if (!Apply(step, true)) {
        LosePhotoSteps(false);
        return false;
    }
    kind = step.Kind;
    ++Next;
    return true;
}

int UndoableSteps() {
    return static_cast<int>(Next);
}

int RedoableSteps() {
    return static_cast<int>(Steps.size() - Next);
}

size_t HistoryBytes() {
    return Bytes + (HistoryTextureBytes ? HistoryTextureBytes() : 0);
}

long DroppedOldSteps() {
    return DroppedOld;
}

bool HistoryUsesTexture(TextureName texture) {
    for (const Step& step : Steps)
        for (const SceneParts* parts : {&step.Before, &step.After})
            for (const TTattooLayer& layer : parts->Layers)
                if (layer.Texture == texture) return true;
    return false;
}

void CurrentPhotoChanged() {
    ForgetPhotoPack();
}

void ClearHistory() {
    ForgetOpenStep();
    ForgetPhotoPack();
    Steps.clear();
    Next = 0;
    Bytes = 0;
    DroppedOld = 0;
}
