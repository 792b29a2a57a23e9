#include "tests/soak/soak_driver.h"

#include <QApplication>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <sstream>

#include "content/content_messages.h"
#include "content/photo_gallery.h"
#include "content/photo_loader.h"
#include "platform/language.h"
#include "platform/picture_control.h"
#include "scene/scene_state.h"
#include "tests/soak/soak_photos.h"
#include "tools/selection_tool.h"
#include "ui/canvas_widget.h"
#include "ui/main_form.h"

namespace {

constexpr size_t HistoryLength = 30;
constexpr int TextPhotoScaleDown = 77;

// The scale-down question's words before the first size put into it.
std::string ScaleDownQuestionStart() {
    const std::string& text = Lang(TextPhotoScaleDown);
    return text.substr(0, text.find('%'));
}

} // namespace

SoakDriver::SoakDriver(TMainForm& form, unsigned seed) : form_(form), random_(seed) {
    photos_ = WriteSoakPhotos(folder_.path().toStdString());
    // A picture added with no gallery open goes to the user's own gallery,
    // which the soak keeps in its folder.
    qputenv("XDG_DATA_HOME", folder_.filePath("data").toUtf8());
    OpenGalleryFile(folder_.filePath("gallery.ini").toStdString());
    ContentMessageBox = [this](const std::string& text, const std::string&, MessageButtons buttons,
                               MessageIcon) {
        ++Questions;
        if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
        const bool yes = Chance(50);
        if (text.rfind(ScaleDownQuestionStart(), 0) == 0) {
            ++ScaleDownQuestions;
            ScaledDown += yes ? 1 : 0;
        }
        return yes ? MessageAnswer::Yes : MessageAnswer::No;
    };
    AskCloseSelection = [this](const std::string&, const std::string&) {
        ++Questions;
        return Chance(50) ? MessageAnswer::Yes : MessageAnswer::No;
    };
}

SoakDriver::~SoakDriver() {
    AskCloseSelection = nullptr;
    ContentMessageBox = [](const std::string&, const std::string&, MessageButtons, MessageIcon) {
        return MessageAnswer::Ok;
    };
    ResetPhotoGallery();
}

const std::vector<SoakDriver::Action>& SoakDriver::Actions() {
    static const std::vector<Action> actions = {
        {"move pointer", 12, &SoakDriver::MovePointer},
        {"click canvas", 14, &SoakDriver::ClickCanvas},
        {"drag canvas", 18, &SoakDriver::DragCanvas},
        {"sweep canvas", 2, &SoakDriver::SweepCanvas},
        {"drag with both buttons", 3, &SoakDriver::DragWithBothButtons},
        {"double click canvas", 5, &SoakDriver::DoubleClickCanvas},
        {"draw outline", 2, &SoakDriver::DrawOutline},
        {"leave canvas", 1, &SoakDriver::LeaveCanvas},
        {"choose tool", 12, &SoakDriver::ChooseTool},
        {"clear paint or select all", 2, &SoakDriver::ClearOrSelectAll},
        {"fill", 1, &SoakDriver::Fill},
        {"choose colour", 2, &SoakDriver::ChooseColour},
        {"edit brush size", 3, &SoakDriver::EditBrushSize},
        {"turn photo", 3, &SoakDriver::TurnPhoto},
        {"zoom step", 3, &SoakDriver::ZoomStep},
        {"page catalog", 4, &SoakDriver::PageCatalog},
        {"add design", 8, &SoakDriver::AddDesign},
        {"page gallery", 2, &SoakDriver::PageGallery},
        {"choose gallery photo", 1, &SoakDriver::ChooseGalleryPhoto},
        {"open photo", 1, &SoakDriver::OpenPhoto},
        {"open photo by dialog", 1, &SoakDriver::OpenPhotoByDialog},
        {"save", 1, &SoakDriver::SaveInFolder},
        {"save and reopen session", 1, &SoakDriver::SaveAndReopenSession},
        {"clear", 1, &SoakDriver::ClearAll},
        {"print cancelled", 1, &SoakDriver::CancelPrint},
        {"add to gallery", 1, &SoakDriver::AddToGallery},
        {"open gallery by dialog", 1, &SoakDriver::OpenGalleryByDialog},
        {"screen or help", 1, &SoakDriver::OpenScreenOrHelp},
        {"process events", 3, &SoakDriver::ProcessEvents},
        {"wheel", 3, &SoakDriver::TurnWheel},
        {"key", 3, &SoakDriver::PressKey},
        {"drop file", 1, &SoakDriver::DropFile},
        {"undo or redo", 6, &SoakDriver::UndoOrRedo},
    };
    return actions;
}

void SoakDriver::Step() {
    // An information screen covers the window: the one thing to do is close it.
    if (form_.TextScreen->isVisible()) {
        Note("close screen");
        ClickControl(form_.TextScreen, Qt::LeftButton);
        return;
    }
    int total = 0;
    for (const Action& action : Actions())
        total += action.Weight;
    int pick = Random(0, total - 1);
    for (const Action& action : Actions()) {
        if (pick < action.Weight) {
            Note(action.Name);
            (this->*action.Play)();
            return;
        }
        pick -= action.Weight;
    }
}

std::string SoakDriver::History() const {
    std::ostringstream out;
    for (const std::string& line : history_)
        out << "  " << line << "\n";
    return out.str();
}

void SoakDriver::DrawFrame() {
    if (!form_.Panel1->isVisible()) return;
    form_.Panel1->grabFramebuffer();
    ++Frames;
}

void SoakDriver::UndoSteps(int count, bool redo) {
    if (form_.TextScreen->isVisible()) ClickControl(form_.TextScreen, Qt::LeftButton);
    const Qt::KeyboardModifiers keys =
        redo ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier;
    for (int n = 0; n < count; ++n)
        QTest::keyClick(form_.Panel1, Qt::Key_Z, keys);
}

// Any of the photos written; only real files when a dialog must find them.
std::string SoakDriver::AnyPhoto(bool fileOnly) {
    for (;;) {
        const std::string& path = photos_[size_t(Random(0, int(photos_.size()) - 1))];
        if (!fileOnly || QFileInfo(QString::fromStdString(path)).isFile()) return path;
    }
}

int SoakDriver::Random(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random_);
}

bool SoakDriver::Chance(int percent) {
    return Random(0, 99) < percent;
}

// Mostly on the canvas, its edges included; during a drag the pointer may
// also leave it, and the canvas keeps getting the events.
QPoint SoakDriver::CanvasPoint(bool mayLeave) {
    const int w = form_.Panel1->width();
    const int h = form_.Panel1->height();
    if (mayLeave && Chance(10)) return {Random(-80, w + 80), Random(-80, h + 80)};
    if (Chance(10)) return {Chance(50) ? Random(0, 12) : Random(w - 13, w - 1), Random(0, h - 1)};
    if (LastLayer >= 0 && Chance(40)) return NearLayer(Random(0, LastLayer));
    return {Random(0, w - 1), Random(0, h - 1)};
}

// Near the middle or a corner of a tattoo, where the tattoo tools find it.
QPoint SoakDriver::NearLayer(int k) {
    const TLayerCorner* corners = Layers[size_t(k)].Corners;
    const int corner = Random(0, 4);
    float x = 0, y = 0;
    for (int c = 0; c < 4; ++c) {
        x += (corner == 4 || corner == c ? corners[c].X : 0) / (corner == 4 ? 4 : 1);
        y += (corner == 4 || corner == c ? corners[c].Y : 0) / (corner == 4 ? 4 : 1);
    }
    const auto canvas = [](float v, float centre, int pan) {
        return static_cast<int>(std::clamp(v * Zoom + centre - pan, -1e6f, 1e6f));
    };
    return {canvas(x, CenterX, PanX) + Random(-6, 6), canvas(y, CenterY, PanY) + Random(-6, 6)};
}

Qt::MouseButton SoakDriver::AnyButton() {
    const int pick = Random(0, 9);
    return pick < 7 ? Qt::LeftButton : pick < 9 ? Qt::RightButton : Qt::MiddleButton;
}

void SoakDriver::Note(const std::string& text) {
    std::ostringstream line;
    line << text << " (tool " << int(ToolMode) << ", layers " << LastLayer + 1 << ", pointer "
         << pointer_.x() << "," << pointer_.y() << ")";
    history_.push_back(line.str());
    if (history_.size() > HistoryLength) history_.pop_front();
}

void SoakDriver::SendCanvas(int type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QWidget* canvas = form_.Panel1;
    QMouseEvent event(static_cast<QEvent::Type>(type), QPointF(at),
                      QPointF(canvas->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(canvas, &event);
    pointer_ = at;
    if (type == QEvent::MouseButtonPress && MouseHeld && ToolMode < Tool::PhotoMove) ++TattooGrabs;
    MostOutlinePoints = std::max(MostOutlinePoints, SelectionLast);
    MostZoom = std::max(MostZoom, Zoom);
}

// Some moves are followed by a frame, as on a screen that keeps up; a press
// draws any frame still due itself.
void SoakDriver::Hover(QPoint at, int framePercent) {
    SendCanvas(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    if (Chance(framePercent)) DrawFrame();
}

void SoakDriver::ClickControl(QWidget* control, Qt::MouseButton button) {
    const QPoint centre = control->rect().center();
    QMouseEvent move(QEvent::MouseMove, QPointF(centre), QPointF(control->mapToGlobal(centre)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(control, &move);
    QTest::mouseClick(control, button, {}, centre);
}

void SoakDriver::DoubleClickControl(QWidget* control) {
    ClickControl(control, Qt::LeftButton);
    QTest::mouseDClick(control, Qt::LeftButton, {}, control->rect().center());
}

void SoakDriver::ClickButton(const char* control, Qt::MouseButton button) {
    ClickControl(form_.ImageButton(control), button);
}
