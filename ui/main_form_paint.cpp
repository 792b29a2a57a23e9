#include <QLineEdit>

#include "render/tile_drawing.h"
#include "scene/frame_request.h"
#include "scene/history.h"
#include "tools/brush_size.h"
#include "tools/paint_layer.h"
#include "ui/main_form.h"

// The fill changes no tool; it closes an open polygon and fills what it
// encloses, or everything when nothing was drawn.
void TMainForm::Image19Click() {
    FillSelection();
    RequestFrame();
}

// The first click of the double click has already chosen the eraser.
void TMainForm::Image17DblClick() {
    BeginStep(StepKind::ClearPaint, StepPart::Paint);
    ClearPaintTiles();
    EndStep();
    RequestFrame();
}

// Only digits are taken; anything else puts back the last text taken. The
// stamp follows the text later, when the size is applied.
void TMainForm::Edit1Change() {
    BrushSizeApplied = false;
    const std::string text = Edit1->text().toStdString();
    if (BrushSizeTextAccepted(text))
        BrushSizeText = text;
    else
        Edit1->setText(QString::fromStdString(BrushSizeText));
}

bool TMainForm::Edit1KeyDown(int key) {
    if (key != Qt::Key_Up && key != Qt::Key_Down) return false;
    const int32_t step = key == Qt::Key_Up ? 1 : -1;
    Edit1->setText(QString::number(SteppedBrushSize(Edit1->text().toStdString(), step)));
    return true;
}

// Shows the size as it is applied: an empty text as 5, the rest within 3..64.
void TMainForm::Edit1Exit() {
    const QString text = Edit1->text();
    const int32_t size = BrushSizeOfText(text.toStdString());
    if (text.isEmpty() || text.toInt() != size) Edit1->setText(QString::number(size));
    ApplyBrushSize(size);
}
