#include "tools/ink_look.h"

#include <algorithm>

#include "platform/language.h"
#include "scene/frame_request.h"
#include "scene/geometry.h"
#include "scene/history.h"
#include "scene/scene_state.h"
#include "tools/tattoo_tools.h"

namespace {

// "on|off" texts: part 0 says on, part 1 off.
constexpr int TextInkLookState = 71;
constexpr int TextClipState = 87;

std::string TextPart(int text, int part) {
    const std::string& whole = Lang(text);
    size_t begin = 0;
    for (int k = 0; k < part; ++k) {
        const size_t bar = whole.find('|', begin);
        if (bar == std::string::npos) return {};
        begin = bar + 1;
    }
    return whole.substr(begin, whole.find('|', begin) - begin);
}

std::string StateText(int text, bool on) {
    return TextPart(text, on ? 0 : 1);
}

int32_t LayerCount() {
    return std::min<int32_t>(LastLayer + 1, static_cast<int32_t>(Layers.size()));
}

} // namespace

int32_t TattooUnderPointer() {
    if (!MouseInCanvas) return -1;
    if (MouseHeld && HoverLayer >= 0 && HoverLayer < LayerCount()) return HoverLayer;
    const ZoomedPoint pointer = ZoomedPointer(MouseX, MouseY);
    return TopLayerAt(pointer.X, pointer.Y);
}

bool ToggleInkLookUnderPointer() {
    const int32_t layer = TattooUnderPointer();
    if (layer < 0) return false;
    BeginStep(StepKind::InkLook, StepPart::Layers);
    Layers[layer].InkLook = !Layers[layer].InkLook;
    EndStep();
    RequestFrame();
    return true;
}

void ToggleInkLookForAll() {
    InkLookForNew = !InkLookForNew;
    BeginStep(StepKind::InkLook, StepPart::Layers);
    for (int32_t i = 0; i < LayerCount(); ++i)
        Layers[i].InkLook = InkLookForNew;
    EndStep();
    RequestFrame();
}

void ToggleClipToSelection() {
    BeginStep(StepKind::Clip, StepPart::Selection);
    ClipToSelection = !ClipToSelection;
    EndStep();
    RequestFrame();
}

std::string InkLookHint(int32_t layer) {
    if (layer < 0 || layer >= LayerCount()) return {};
    return StateText(TextInkLookState, Layers[layer].InkLook);
}

std::string ClipHint() {
    return StateText(TextClipState, ClipToSelection);
}
