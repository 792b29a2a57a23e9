#include "platform/picture_control.h"
#include "scene/frame_request.h"
#include "scene/scene_state.h"
#include "scene/selection_mask.h"
#include "tools/selection_tool.h"
#include "ui/button_skins.h"
#include "ui/main_form.h"
#include "ui/swatch_colours.h"

// Every tool button but the photo view's closes an open selection outline
// first; the photo view tools leave it open so drawing can go on afterwards.
void TMainForm::SelectTool(uint8_t tool, bool closeSelection) {
    if (closeSelection) CloseSelectionStep();
    ToolMode = tool;
    ButtonsImages(0, true);
    RequestFrame();
}

void TMainForm::MoveBClick() {
    SelectTool(Tool::Move, true);
}
void TMainForm::Button2Click() {
    SelectTool(Tool::Rotate, true);
}
void TMainForm::Button5Click() {
    SelectTool(Tool::Scale, true);
}
void TMainForm::Button6Click() {
    SelectTool(Tool::MovePoints, true);
}
void TMainForm::Button7Click() {
    SelectTool(Tool::Delete, true);
}
void TMainForm::Button8Click() {
    SelectTool(Tool::FlipVertical, true);
}
void TMainForm::Button9Click() {
    SelectTool(Tool::FlipHorizontal, true);
}
void TMainForm::Button12Click() {
    SelectTool(Tool::Blend, true);
}
void TMainForm::bFMoveClick() {
    SelectTool(Tool::PhotoMove, false);
}
void TMainForm::bFzoomClick() {
    SelectTool(Tool::PhotoZoom, false);
}
void TMainForm::Image16Click() {
    SelectTool(Tool::Paint, true);
}
void TMainForm::Image17Click() {
    SelectTool(Tool::Erase, true);
}

// Starts a new outline unless one is open: after a pan or zoom in the middle
// of an outline, drawing goes on with it. A new outline's first point starts
// under the pointer, not where the last outline began, which may lie off a
// photo opened since.
void TMainForm::Image18Click() {
    const bool starting = SelectionClosed;
    if (starting) StartSelectionOutline();
    SelectTool(Tool::Select, false);
}

// Drops any outline and selects everything.
void TMainForm::Image18DblClick() {
    SelectAll();
    RequestFrame();
}

void TMainForm::ShowSwatches(int chosen) {
    for (int n = 1; n <= SwatchCount; ++n)
        Swatches[n]->SetPicture(n == chosen ? ColourSwatches[n].Pressed : ColourSwatches[n].Normal);
}

// The tool stays as it is: a colour is chosen for the next stroke or fill.
void TMainForm::ChooseSwatch(int swatch) {
    ShowSwatches(swatch);
    PaintColor = SwatchColour(swatch);
}

void TMainForm::Image8Click() {
    ChooseSwatch(1);
}
void TMainForm::Image9Click() {
    ChooseSwatch(2);
}
void TMainForm::Image10Click() {
    ChooseSwatch(3);
}
void TMainForm::Image11Click() {
    ChooseSwatch(4);
}
void TMainForm::Image12Click() {
    ChooseSwatch(5);
}
void TMainForm::Image13Click() {
    ChooseSwatch(6);
}
void TMainForm::Image14Click() {
    ChooseSwatch(7);
}
void TMainForm::Image15Click() {
    ChooseSwatch(8);
}
