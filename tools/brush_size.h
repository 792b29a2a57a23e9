#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The brush size is typed as text and applied lazily: editing only changes
// the text, and the stamp is rebuilt when the edit loses the focus or the
// pointer next moves over the canvas.

constexpr int32_t MinBrushSize = 3;
constexpr int32_t MaxBrushSize = 64;
// The size the edit starts with.
constexpr const char* DefaultBrushSizeText = "20";
// What an empty (unreadable) size counts as.
constexpr int32_t EmptyBrushSize = 5;

// The stamp matches the brush-size text.
extern bool BrushSizeApplied;
// The last text the brush-size edit accepted.
extern std::string BrushSizeText;

// Applies the brush-size edit's text (the window's exit handler, which also
// puts the clamped size back into the edit). Without it the stamp is built
// from BrushSizeText alone.
extern std::function<void()> BrushSizeEditExit;

// A text whose first two characters, where present, are digits.
bool BrushSizeTextAccepted(const std::string& text);

// The size a text stands for once applied: empty counts as 5, the rest is
// clamped to 3..64.
int32_t BrushSizeOfText(const std::string& text);

// The number the Up (step +1) or Down (step -1) key makes of the text: one
// more while below 64, one less while above 3.
int32_t SteppedBrushSize(const std::string& text, int32_t step);

// The width of the brush's soft edge: 0.3 of its size, halves to even.
int32_t BrushSoftEdge(int32_t size);

// Builds the brush stamp from the brush-size text when it changed since the
// stamp was last built.
void ApplyPendingBrushSize();

// Builds the brush stamp for this size and marks the size applied.
void ApplyBrushSize(int32_t size);

// Back to the start: size text "20", not applied (for tests).
void ResetBrushSize();
