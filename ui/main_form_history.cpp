#include <QLabel>
#include <QToolTip>

#include "platform/language.h"
#include "scene/frame_request.h"
#include "scene/history.h"
#include "tools/canvas_pointer.h"
#include "tools/photo_view.h"
#include "ui/button_skins.h"
#include "ui/canvas_widget.h"
#include "ui/main_form.h"

namespace {

constexpr int TextUndone = 56;
constexpr int TextRedone = 57;
constexpr int TextStepNames = 58;
constexpr char StepNameSeparator = '|';

// Where on the canvas the notice shows: its top-left corner, clear of the
// pointer's own hints.
constexpr int NoticeInset = 8;

// The step's name: its place in the '|'-separated list of names.
std::string StepName(StepKind kind) {
    const std::string& names = Lang(TextStepNames);
    size_t from = 0;
    for (int n = 0; n < static_cast<int>(kind); ++n) {
        from = names.find(StepNameSeparator, from);
        if (from == std::string::npos) return {};
        ++from;
    }
    return names.substr(from, names.find(StepNameSeparator, from) - from);
}

std::string Notice(int text, StepKind kind) {
    std::string notice = Lang(text);
    const std::string mark = "%1";
    if (size_t at = notice.find(mark); at != std::string::npos)
        notice.replace(at, mark.size(), StepName(kind));
    return notice;
}

} // namespace

void TMainForm::UndoClick() {
    TakeHistoryStep(true);
}

void TMainForm::RedoClick() {
    TakeHistoryStep(false);
}

void TMainForm::TakeHistoryStep(bool undo) {
    EndDragAsRelease();
    StepKind kind = StepKind::Move;
    const bool taken = undo ? UndoStep(kind) : RedoStep(kind);
    RequestFrame();
    if (!taken) return;
    // A step may bring back another tool (a selection's) or view (a turn's).
    // A view kept by a step fitted the canvas of its day; the scroll ranges
    // follow the canvas as it is now.
    UpdateScrollRangeX();
    UpdateScrollRangeY();
    ShowButtonsImages();
    ZoomLabel->setText(QString::fromStdString(ZoomCaption(Zoom)));
    HistoryNotice = Notice(undo ? TextUndone : TextRedone, kind);
    QToolTip::showText(Panel1->mapToGlobal(QPoint(NoticeInset, NoticeInset)),
                       QString::fromStdString(HistoryNotice), Panel1);
}
