#include "tools/brush_size.h"

#include <algorithm>

#include "scene/brush_stamp.h"
#include "scene/scene_state.h"

bool BrushSizeApplied = false;
std::string BrushSizeText = DefaultBrushSizeText;
std::function<void()> BrushSizeEditExit;

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number the text's leading digits spell, or the empty size when there
// are none.
int32_t ReadBrushSize(const std::string& text) {
    if (text.empty() || !IsDigit(text[0])) return EmptyBrushSize;
    int32_t number = 0;
    for (size_t i = 0; i < text.size() && IsDigit(text[i]) && number < 1000; ++i)
        number = number * 10 + (text[i] - '0');
    return number;
}

} // namespace

bool BrushSizeTextAccepted(const std::string& text) {
    for (size_t i = 0; i < std::min<size_t>(text.size(), 2); ++i)
        if (!IsDigit(text[i])) return false;
    return true;
}

int32_t BrushSizeOfText(const std::string& text) {
    return std::clamp(ReadBrushSize(text), MinBrushSize, MaxBrushSize);
}

int32_t SteppedBrushSize(const std::string& text, int32_t step) {
    const int32_t size = ReadBrushSize(text);
    if (step > 0 && size < MaxBrushSize) return size + 1;
    if (step < 0 && size > MinBrushSize) return size - 1;
    return size;
}

namespace {

// The soft edge is three tenths of the size, counted in tenths so that the
// halves (sizes 5, 15, 25...) are exact.
constexpr int32_t SoftEdgeTenths = 3;
constexpr int32_t Tenths = 10;
constexpr int32_t HalfInTenths = 5;

} // namespace

int32_t BrushSoftEdge(int32_t size) {
    const int32_t tenths = size * SoftEdgeTenths;
    const int32_t whole = tenths / Tenths;
    const int32_t rest = tenths % Tenths;
    return whole + (rest > HalfInTenths || (rest == HalfInTenths && whole % 2 == 1) ? 1 : 0);
}

void ApplyBrushSize(int32_t size) {
    if (Brush.Data.size() != size_t(Brush.Width) * size_t(Brush.Height) || Brush.Width == 0)
        InitBrushStamp(Brush);
    BuildBrushStamp(Brush, size, BrushSoftEdge(size));
    BrushSizeApplied = true;
}

void ApplyPendingBrushSize() {
    if (BrushSizeApplied) return;
    if (BrushSizeEditExit)
        BrushSizeEditExit();
    else
        ApplyBrushSize(BrushSizeOfText(BrushSizeText));
}

void ResetBrushSize() {
    BrushSizeApplied = false;
    BrushSizeText = DefaultBrushSizeText;
}
