#pragma once

// Undo and redo. A step is one thing the user did (a whole drag, a stroke, a
// command); it keeps the parts of the scene it changed as they were before
// and after, so that undo and redo put them back exactly. Paint and mask
// tiles are kept only where the step changed them, compressed. Nothing runs
// between steps: the history works only when a step begins, ends, or is
// undone or redone.

#include <cstddef>
#include <cstdint>
#include <functional>

#include "scene/picture.h"
#include "scene/scene_state.h"

// What one step may change; a step keeps only the parts it names.
namespace StepPart {
constexpr unsigned Layers = 1;    // the layer table and LastLayer
constexpr unsigned Paint = 2;     // every paint tile, noted when the step begins
constexpr unsigned Stroke = 4;    // the paint tiles noted one by one (NotePaintTile)
constexpr unsigned Selection = 8; // mask, polygon, the tattoos' clip to it and the tool
constexpr unsigned View = 16;     // quarter turns, photo size, zoom and pan
constexpr unsigned Photo = 32;    // the photo's own pixels (CurrentPhoto)
} // namespace StepPart

// What the user did, for the step's name (in the order of the names text).
enum class StepKind : uint8_t {
    Move,
    Rotate,
    Scale,
    MovePoints,
    Blend,
    AddTattoo,
    Delete,
    Flip,
    Turn,
    Paint,
    Erase,
    Fill,
    ClearPaint,
    Select,
    SelectAll,
    Clear,
    OpenPhoto,
    InkLook,
    Clip,
};
constexpr int StepKindCount = static_cast<int>(StepKind::Clip) + 1;

// The most memory the steps may take together; the oldest go first.
constexpr size_t HistoryMemoryLimit = size_t(512) * 1024 * 1024;

// The pixels of the photo shown, as opened: a photo step keeps the old
// photo's pixels from here.
extern Picture CurrentPhoto;

// CurrentPhoto was given another photo: the history packs it anew when a
// step keeps it.
void CurrentPhotoChanged();

// Starts a step (ending one still open). The parts are noted as they are now.
void BeginStep(StepKind kind, unsigned parts);
// Ends the open step: unchanged parts are dropped, a step that changed
// nothing is forgotten, and a new step drops the steps that could have been
// redone. Nothing when no step is open.
void EndStep();
bool StepOpen();
// The parts of the open step; 0 when none is open.
unsigned OpenStepParts();

// Before paint tile (column, row) changes in a Stroke step: its pixels are
// noted the first time. Places off the table and calls without such a step
// are ignored.
void NotePaintTile(int32_t column, int32_t row);

// Puts the scene back to before the last step (Undo) or after the next one
// (Redo); the kind of that step in `kind`. False when there is none, or when
// a step's photo could not be shown again (then the steps before it are gone
// and ReportLostPhoto has been called).
bool UndoStep(StepKind& kind);
bool RedoStep(StepKind& kind);

int UndoableSteps();
int RedoableSteps();
// The memory the kept steps take, as the history counts it, together with
// the textures that only its steps keep alive.
size_t HistoryBytes();
// How many of the oldest steps were dropped since the history was cleared.
long DroppedOldSteps();

// Whether a kept step may bring back a layer with this texture.
bool HistoryUsesTexture(TextureName texture);

// Forgets every step (for tests, and when the scene is reset).
void ClearHistory();

// Hooks set from above: showing a photo's pixels again (its tiles and
// CurrentPhoto; false when it cannot be done), telling the user that an old
// photo is lost, and learning that steps were dropped (their textures may
// now be unused).
extern std::function<bool(Picture&& photo)> ShowHistoryPhoto;
extern std::function<void()> ReportLostPhoto;
extern std::function<void()> HistoryStepsDropped;
// The memory of the textures no layer uses any more, which live on only for
// the history's steps.
extern std::function<size_t()> HistoryTextureBytes;
