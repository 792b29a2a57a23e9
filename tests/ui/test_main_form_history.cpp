#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <cstring>
#include <functional>

#include "content/content_messages.h"
#include "content/dropped_design.h"
#include "content/photo_loader.h"
#include "platform/language.h"
#include "platform/picture_control.h"
#include "scene/history.h"
#include "scene/scene_state.h"
#include "tests/ui/main_form_fixture.h"
#include "ui/canvas_widget.h"

namespace {

// What undo and redo must bring back exactly: the composed picture as Save
// writes it, and the selection with its tool, which the picture does not show.
struct SceneState {
    std::vector<uint8_t> Composed;
    std::vector<uint8_t> Mask;
    std::vector<int32_t> Outline;
    int Tool = 0;
    bool operator==(const SceneState&) const = default;
};

class History : public MainFormTest {
  protected:
    void SetUp() override {
        MainFormTest::SetUp();
        ContentMessageBox = [](auto&&...) { return MessageAnswer::Yes; };
        OpenFoto(StockPhotoSource);
        form_.Image18DblClick();
        ClearHistory();
    }
    void TearDown() override {
        ContentMessageBox = [](auto&&...) { return MessageAnswer::Ok; };
        OpenFoto(StockPhotoSource);
        form_.Image18DblClick();
        ClearHistory();
        MainFormTest::TearDown();
    }

    SceneState Now() {
        form_.PrintToBMP();
        SceneState state{form_.PrintBitmap.Pixels, {}, {SelectionLast, SelectionClosed}, ToolMode};
        state.Mask.resize(sizeof SelectionMask);
        std::memcpy(state.Mask.data(), &SelectionMask, sizeof SelectionMask);
        for (int k = 0; k <= SelectionLast; ++k)
            state.Outline.insert(state.Outline.end(), {SelectionPoints[k].X, SelectionPoints[k].Y});
        return state;
    }
    void Send(QEvent::Type type, QPoint at, Qt::MouseButtons held,
              Qt::MouseButton button = Qt::LeftButton) {
        QMouseEvent event(type, QPointF(at), QPointF(form_.Panel1->mapToGlobal(at)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(form_.Panel1, &event);
    }
    // The pointer at a canvas point, with a frame drawn so hover picking ran.
    void PointAt(QPoint at) {
        MovePointer(form_.Panel1, at);
        Send(QEvent::MouseMove, at, Qt::NoButton);
        form_.Panel1->grabFramebuffer();
    }
    void Drag(QPoint from, QPoint by, bool release = true) {
        PointAt(from);
        Send(QEvent::MouseButtonPress, from, Qt::LeftButton);
        for (int n = 1; n <= 4; ++n)
            Send(QEvent::MouseMove, from + by * n / 4, Qt::LeftButton);
        if (release) Send(QEvent::MouseButtonRelease, from + by, Qt::NoButton);
    }
    PictureControl* Button(const char* control) const { return form_.ImageButton(control); }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form_.Panel1, Qt::Key(key), modifiers);
    }
    QString Write(const char* name, QSize size, QColor colour) {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(colour);
        const QString path = dir_.filePath(name);
        image.save(path);
        return path;
    }
    // The second half of a double click on a button whose first click came.
    void SecondClick(const char* control) {
        QWidget* button = Button(control);
        const QPointF at = button->rect().center();
        QMouseEvent twice(QEvent::MouseButtonDblClick, at, button->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(button, &twice);
        QTest::mouseRelease(button, Qt::LeftButton, {}, button->rect().center());
    }
    QPoint OnCanvas(QPoint at) const { return form_.Panel1->geometry().topLeft() + at; }

    QTemporaryDir dir_;
};

struct StepCase {
    const char* Name;
    std::function<void()> Prepare; // not a step: choosing a tool, pointing
    std::function<void()> Act;     // the one step
    bool HeldAtUndo = false;       // the drag is still going on at the undo
};

TEST_F(History, EveryKindOfStepIsUndoneAndRedoneExactly) {
    const std::vector<std::string> kept(std::begin(LangStrings), std::end(LangStrings));
    LoadLanguage(VELMORA_SOURCE_DIR "/lang.ini");
    const QPoint centre = form_.Panel1->rect().center();
    const QPoint by{30, -20};
    const auto key = [this](char k) { return [this, k] { Key(k); }; };
    const auto drag = [this](QPoint from, QPoint to) { return [=, this] { Drag(from, to); }; };
    const auto click = [this](const char* b) { return [=, this] { ClickControl(Button(b)); }; };
    const auto addTattoo = [this] { ClickControl(form_.Image2); };
    const std::vector<StepCase> cases = {
        {"Add tattoo", key('M'), addTattoo},
        {"Move", key('M'), drag(centre, by)},
        {"Rotate", key('R'), drag(centre + by, {40, 40})},
        {"Scale", key('S'), drag(centre + by, {20, -30})},
        {"Blend", key('T'), drag(centre + by, {0, 40})},
        // The right button held during a drag moves the tattoo.
        {"Move", key('M'),
         [&] {
             PointAt(centre + by);
             Send(QEvent::MouseButtonPress, centre + by, Qt::LeftButton);
             Send(QEvent::MouseButtonPress, centre + by, Qt::LeftButton | Qt::RightButton,
                  Qt::RightButton);
             Send(QEvent::MouseMove, centre, Qt::LeftButton | Qt::RightButton);
             Send(QEvent::MouseButtonRelease, centre, Qt::NoButton);
         }},
        {"Flip", key('H'), drag(centre, {})},
        {"Turn photo", {}, click("bRotateR")},
        {"Add tattoo", key('M'),
         [&] {
             Drop(Write("d.png", {90, 60}, Qt::blue), OnCanvas(centre));
         }},
        {"Delete", [&] { PointAt(centre); }, [&] { Key(Qt::Key_Delete); }},
        {"Paint", key('B'), drag({100, 100}, {200, 150})},
        {"Erase", key('E'), drag({150, 120}, {100, 100})},
        {"Clear paint", click("Image17"), [&] { SecondClick("Image17"); }},
        {"Selection",
         [&] {
             Key('L');
             for (QPoint p : {QPoint{80, 80}, QPoint{300, 90}, QPoint{200, 350}})
                 Drag(p, {});
         },
         [&] {
             Send(QEvent::MouseButtonDblClick, {200, 350}, Qt::LeftButton);
         }},
        {"Fill", {}, click("Image19")},
        // A new outline drops the selection the tattoos were clipped to; its
        // points are steps too.
        {"Selection", key('K'), key('L')},
        {"Selection",
         [&] {
             PointAt({120, 200});
         },
         drag({120, 200}, {})},
        {"Select all", click("Image18"), [&] { SecondClick("Image18"); }},
        {"Clear", {}, click("bfdelete")},
        {"Open photo", addTattoo,
         [&] {
             Drop(Write("p.jpg", {300, 200}, Qt::darkGreen), {60, 400});
         }},
        // Undone before the button is let go.
        {"Move",
         [&] {
             addTattoo();
             Key('M');
         },
         [&] { Drag(centre, by, false); }, true},
    };
    for (size_t row = 0; row < cases.size(); ++row) {
        const StepCase& step = cases[row];
        SCOPED_TRACE(testing::Message() << "row " << row << ": " << step.Name);
        if (step.Prepare) step.Prepare();
        const SceneState before = Now();
        const int undoable = UndoableSteps();
        step.Act();
        const SceneState after = Now();
        EXPECT_NE(before, after);
        EXPECT_EQ(UndoableSteps(), undoable + (step.HeldAtUndo ? 0 : 1));
        Key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Now(), before) << "undone";
        EXPECT_EQ(form_.HistoryNotice, std::string("Undone: ") + step.Name) << "named as done";
        // Both redo keys, turn about.
        if (row % 2 == 0)
            Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        else
            Key(Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(Now(), after) << "redone";
        if (step.HeldAtUndo) Send(QEvent::MouseButtonRelease, centre, Qt::NoButton);
    }
    while (UndoableSteps() > 0)
        Key(Qt::Key_Z, Qt::ControlModifier);
    const int redoable = RedoableSteps();
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(RedoableSteps(), redoable) << "nothing left to undo is a quiet no-op";
    std::copy(kept.begin(), kept.end(), LangStrings);
}

TEST_F(History, ADroppedDesignsTextureLivesWhileAStepCanBringItBack) {
    const QPoint centre = form_.Panel1->rect().center();
    Drop(Write("a.png", {80, 80}, Qt::red), OnCanvas(centre));
    ASSERT_EQ(LastLayer, 0);
    const TextureName kept = Layers[0].Texture;
    ClickControl(Button("bfdelete"));
    Drop(Write("b.png", {80, 80}, Qt::green), OnCanvas(centre));
    const int textures = DroppedDesignTextureCount();
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(LastLayer, 0);
    EXPECT_EQ(Layers[0].Texture, kept) << "the cleared layer came back with its texture";
    Drop(Write("c.png", {80, 80}, Qt::blue), OnCanvas(centre));
    EXPECT_EQ(DroppedDesignTextureCount(), textures) << "b's texture went with its dropped step";
}

TEST_F(History, AnOldPhotoThatCannotBeShownIsReportedAndTheLaterStepsStay) {
    ClickControl(form_.Image2);
    Drop(Write("p.jpg", {300, 200}, Qt::darkGreen), {60, 400});
    ClickControl(form_.Image2);
    std::vector<std::string> reported;
    ContentMessageBox = [&](const std::string& text, auto&&...) {
        reported.push_back(text);
        return MessageAnswer::Ok;
    };
    const auto show = ShowHistoryPhoto;
    ShowHistoryPhoto = [](Picture&&) { return false; };
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier);
    ShowHistoryPhoto = show;
    EXPECT_EQ(reported.size(), 1u);
    EXPECT_EQ(ImageWidth, 300) << "the photo shown stays";
    EXPECT_EQ(UndoableSteps(), 0) << "the steps over the lost photo went with it";
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(LastLayer, 0) << "the tattoo added on the new photo comes back";
}

} // namespace
