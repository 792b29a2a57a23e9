#include "ui/button_skins.h"

#include <string>

#include "platform/picture_control.h"
#include "platform/resources.h"
#include "scene/frame_request.h"
#include "scene/scene_state.h"
#include "ui/button_table.h"
#include "ui/main_form.h"

ButtonSkin ButtonSkins[ButtonSkinPlaces];
ButtonSkin* const ColourSwatches = &ButtonSkins[40];
uint8_t HoverButton = 0;
int32_t LastHoverId = -1;
PictureControl* ButtonControls[ButtonSkinPlaces] = {};

namespace {

// A missing resource gives a null picture; loading goes on.
QImage LoadSkinPicture(const std::string& name) {
    return ResourceBitmap(name.c_str());
}

// The picture the button should show now: lit outranks hover.
const QImage& CurrentPicture(const ImageButtonInfo& button) {
    const ButtonSkin& skin = ButtonSkins[button.Index];
    if (button.LitTool != NeverLit && ToolMode == button.LitTool) return skin.Pressed;
    if (HoverButton == button.Index) return skin.Hover;
    return skin.Normal;
}

void Show(int index, const QImage& picture) {
    if (PictureControl* control = ButtonControls[index]) control->SetPicture(picture);
}

} // namespace

void LoadButtonSkins() {
    for (const ImageButtonInfo& button : ImageButtons) {
        const std::string prefix = button.Prefix;
        ButtonSkin& skin = ButtonSkins[button.Index];
        skin.Pressed = LoadSkinPicture(prefix + "O");
        skin.Normal = LoadSkinPicture(prefix + "F");
        skin.Hover = LoadSkinPicture(prefix + "H");
    }
    for (int n = 1; n <= SwatchCount; ++n) {
        const std::string prefix = "COL_" + std::to_string(n);
        ColourSwatches[n].Pressed = LoadSkinPicture(prefix + "_P");
        ColourSwatches[n].Normal = LoadSkinPicture(prefix + "_N");
    }
}

// The canvas draws its own cursor while the pointer is over it; once the
// pointer is elsewhere, the next frame must drop that cursor.
static void PointerLeftCanvas() {
    if (!MouseInCanvas) return;
    MouseInCanvas = false;
    RequestFrame();
}

void ButtonsImages(int32_t id, bool flag) {
    if (flag) PointerLeftCanvas();
    if (id == LastHoverId) return;
    ShowButtonsImages();
    LastHoverId = id;
}

void ShowButtonsImages() {
    for (const ImageButtonInfo& button : ImageButtons)
        Show(button.Index, CurrentPicture(button));
}

void ImageButtonMouseMove(int index) {
    HoverButton = static_cast<uint8_t>(index);
    ButtonsImages(index, true);
}

void ImageButtonMouseDown(int index) {
    const ImageButtonInfo* button = FindImageButton(index);
    if (button && button->DownPressed) Show(index, ButtonSkins[index].Pressed);
}

void ImageButtonMouseUp(int index) {
    const ImageButtonInfo* button = FindImageButton(index);
    if (button && button->UpHover) Show(index, ButtonSkins[index].Hover);
}

void FormMouseMove() {
    PointerLeftCanvas();
    HoverButton = 0;
    ButtonsImages(0, true);
    if (MainForm) MainForm->HideLogoHighlight();
}

void ResetButtonSkins() {
    for (ButtonSkin& skin : ButtonSkins)
        skin = ButtonSkin{};
    for (PictureControl*& control : ButtonControls)
        control = nullptr;
    HoverButton = 0;
    LastHoverId = -1;
}
