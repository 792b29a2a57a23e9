#pragma once

#include <cstdint>

// What tells a changed scene from the one last saved. Counting every
// handler's changes would mean touching each of them: instead the scene's
// editable content is summed up in a fingerprint, cheap enough to take after
// every frame (a frame follows every change). The paint layer is far too
// large for that, so its writers count their edits, and a new photo counts
// as a change of its own.

extern uint32_t PaintEditCount;
extern uint32_t PhotoLoadCount;

// Tattoo layers, selection, photo turns and size, and the two counters.
// View, tool, colour and brush are no part of it: they lose no work.
uint64_t SceneFingerprint();
