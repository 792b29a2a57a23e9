#include "tools/selection_tool.h"

#include <QPoint>
#include <QString>
#include <QToolTip>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "platform/form_controls.h"
#include "platform/language.h"
#include "scene/history.h"
#include "scene/scene_state.h"
#include "scene/selection_mask.h"
#include "tools/paint_layer.h"

namespace {

constexpr int TextCloseSelection = 54;
constexpr int TextQuestionCaption = 40;
constexpr int TextSelectionFull = 55;

bool PhotoPresent() {
    return PhotoWidth >= 1 && PhotoHeight >= 1;
}

bool DrawingPolygon() {
    return ToolMode == Tool::Select && !SelectionClosed && PhotoPresent();
}

// A canvas coordinate as a pixel of the photo as shown, at zoom 1.
int32_t CanvasToView(int32_t mouse, int32_t pan, float center) {
    return static_cast<int32_t>(std::trunc((mouse + pan - static_cast<double>(center)) / Zoom));
}

bool PointerOnPhoto() {
    const double x = (MouseX + PanX - static_cast<double>(CenterX)) / Zoom;
    const double y = (MouseY + PanY - static_cast<double>(CenterY)) / Zoom;
    return x >= 0 && x < PhotoWidth && y >= 0 && y < PhotoHeight;
}

// Everything is selected and no outline is shown or being drawn.
bool WholePhotoSelected() {
    return ToolMode == Tool::SelectionDone && SelectionClosed && SelectionLast == 0;
}

// The polygon's next point starts where the fixed one lies, so that no edge
// to an old position shows before the pointer moves.
void FixCurrentPoint() {
    if (SelectionLast > 0) {
        const TSelectionPoint& from = SelectionPoints[SelectionLast - 1];
        const TSelectionPoint& to = SelectionPoints[SelectionLast];
        ToggleSelectionEdge(from.X, from.Y, to.X, to.Y);
    }
    ++SelectionLast;
    SelectionPoints[SelectionLast] = SelectionPoints[SelectionLast - 1];
}

} // namespace

SelectionQuestion AskCloseSelection;
SelectionNotice ShowSelectionNotice;

void NotifySelection(const std::string& text) {
    if (ShowSelectionNotice) {
        ShowSelectionNotice(text);
        return;
    }
    QWidget* canvas = MainControls.Panel1;
    if (!canvas) return;
    QToolTip::showText(canvas->mapToGlobal(QPoint(MouseX, MouseY)), QString::fromStdString(text),
                       canvas);
}

MessageAnswer AskToCloseSelection(const std::string& text, const std::string& caption) {
    if (AskCloseSelection) return AskCloseSelection(text, caption);
    return ShowOwnedMessageBox(MainControls.Window, text, caption, MessageButtons::YesNo,
                               MessageIcon::None);
}

bool NearFirstSelectionPoint(int32_t x, int32_t y) {
    const double dx = x - SelectionPoints[0].X;
    const double dy = y - SelectionPoints[0].Y;
    const double reach = SelectionCloseReach / static_cast<double>(Zoom);
    return dx * dx + dy * dy < reach * reach;
}

void MoveSelectionPoint() {
    if (!DrawingPolygon()) return;
    int32_t x = CanvasToView(MouseX, PanX, CenterX);
    int32_t y = CanvasToView(MouseY, PanY, CenterY);
    ViewPointToImage(x, y);
    SelectionPoints[SelectionLast] = {std::clamp(x, 0, ImageWidth), std::clamp(y, 0, ImageHeight)};
}

void FixSelectionPoint() {
    if (!DrawingPolygon()) return;
    const TSelectionPoint& point = SelectionPoints[SelectionLast];
    if (SelectionLast > 0 && NearFirstSelectionPoint(point.X, point.Y) &&
        AskToCloseSelection(Lang(TextCloseSelection), Lang(TextQuestionCaption)) ==
            MessageAnswer::Yes) {
        CloseSelectionStep();
        return;
    }
    // The table is full: the last place stays the moving point, and closing
    // still joins it to the first point.
    if (SelectionLast >= SelectionCapacity - 1) {
        NotifySelection(Lang(TextSelectionFull));
        return;
    }
    // Each point is a step of its own: the mask follows every fixed edge,
    // and undo must find the selection as it was before the outline began.
    BeginStep(StepKind::Select, StepPart::Selection);
    FixCurrentPoint();
    EndStep();
}

// A step: the selection it drops may have clipped the tattoos.
void StartSelectionOutline() {
    BeginStep(StepKind::Select, StepPart::Selection);
    SelectionClosed = false;
    SelectionLast = 0;
    ClearSelectionMask();
    ToolMode = Tool::Select;
    MoveSelectionPoint();
    EndStep();
}

void PressSelectionTool() {
    if (!PhotoPresent()) return;
    if (WholePhotoSelected() && PointerOnPhoto()) StartSelectionOutline();
    MoveSelectionPoint();
}

void CloseSelectionStep() {
    if (SelectionClosed) return;
    BeginStep(StepKind::Select, StepPart::Selection);
    CloseSelection();
    EndStep();
}

void SelectAll() {
    BeginStep(StepKind::SelectAll, StepPart::Selection);
    ToolMode = Tool::SelectionDone;
    SelectionClosed = true;
    SelectionLast = 0;
    SelectWholeMask();
    EndStep();
}
