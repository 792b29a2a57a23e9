#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "app/welcome_screen.h"
#include "content/catalog.h"
#include "content/content_messages.h"
#include "content/dropped_design.h"
#include "content/photo_loader.h"
#include "platform/language.h"
#include "platform/picture_control.h"
#include "scene/history.h"
#include "scene/scene_state.h"
#include "tests/ui/main_form_fixture.h"
#include "ui/button_table.h"
#include "ui/canvas_widget.h"
#include "ui/dialog_folders.h"

namespace {

// Hands the next modal window to `act` once it shows, then closes it if
// `act` left it open.
void WhenModalShows(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        poll->deleteLater();
        poll->stop();
        act(modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible())
            dialog->reject();
    });
    poll->start(10);
}

class Conveniences : public MainFormTest {
  protected:
    void SetUp() override {
        MainFormTest::SetUp();
        ContentMessageBox = [this](const std::string& text, const std::string&, MessageButtons,
                                   MessageIcon) {
            messages_.push_back(text);
            return MessageAnswer::Ok;
        };
    }
    void TearDown() override {
        ContentMessageBox = [](auto&&...) { return MessageAnswer::Ok; };
        OpenFoto(StockPhotoSource);
        MainFormTest::TearDown();
    }
    // A layer over the whole photo, and the pointer on it in the canvas.
    void PointAtNewLayer() {
        TTattooLayer& layer = Layers[AddLayer()];
        const float w = PhotoWidth, h = PhotoHeight;
        layer = {true, 0, 0, 0, 255, {{0, h, 0, 0}, {w, h, 1, 0}, {w, 0, 1, 1}, {}}};
        MovePointer(form_.Panel1, form_.Panel1->rect().center());
        form_.Panel1->grabFramebuffer();
        EXPECT_EQ(HoverLayer, LastLayer) << "the uppermost tattoo is the one under the pointer";
    }
    QString Write(const char* name, QSize size, QByteArray bytes = {}) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        if (bytes.isEmpty()) QImage(size, QImage::Format_ARGB32).save(path);
        if (!bytes.isEmpty() && file.open(QIODevice::WriteOnly)) file.write(bytes);
        return path;
    }
    QPoint OnCanvas(QPoint canvas) const { return form_.Panel1->geometry().topLeft() + canvas; }

    QTemporaryDir dir_;
    std::vector<std::string> messages_;
};

TEST_F(Conveniences, EachToolHasItsKeyNamedInItsHint) {
    const std::vector<std::string> kept(std::begin(LangStrings), std::end(LangStrings));
    LoadLanguage(VELMORA_SOURCE_DIR "/lang.ini");
    AssignMainFormTexts(form_);
    for (const ImageButtonInfo& button : ImageButtons) {
        if (button.LitTool == NeverLit) continue;
        const char key = TMainForm::ToolKey(button.Control);
        ToolMode = Tool::SelectionDone;
        QTest::keyClick(form_.Panel1, key);
        EXPECT_EQ(ToolMode, button.LitTool) << key;
        EXPECT_EQ(Shown(button.Control), PressedSkin) << "lit at once";
        EXPECT_TRUE(form_.ImageButton(button.Control)->toolTip().contains(QString("(%1)").arg(key)))
            << button.Control;
    }
    form_.Edit1->setFocus();
    QTest::keyClick(form_.Edit1, 'M');
    EXPECT_EQ(ToolMode, Tool::Select) << "a letter typed into the brush size stays there";
    form_.Panel1->setFocus();
    std::copy(kept.begin(), kept.end(), LangStrings);
}

TEST_F(Conveniences, DeleteRemovesTheTattooUnderThePointer) {
    PointAtNewLayer();
    PointAtNewLayer();
    Layers[0].Alpha = 100;
    QTest::keyClick(form_.Panel1, Qt::Key_Delete);
    ASSERT_EQ(LastLayer, 0);
    EXPECT_EQ(Layers[0].Alpha, 100) << "the upper, outlined one went";
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(form_.Panel1, &leave);
    QTest::keyClick(form_.Panel1, Qt::Key_Delete);
    EXPECT_EQ(LastLayer, 0) << "with the pointer off the canvas nothing goes";
}

TEST_F(Conveniences, ADroppedPictureBecomesThePhotoAndADroppedPngOnTheCanvasATattoo) {
    PointAtNewLayer();
    ASSERT_TRUE(Drop(Write("photo.jpg", {300, 200}), {60, 400}));
    EXPECT_EQ(ImageWidth, 300);
    EXPECT_EQ(LastLayer, -1) << "a new photo starts with no tattoos";

    ToolMode = Tool::Paint;
    ASSERT_TRUE(Drop(Write("design.png", {200, 100}), OnCanvas({100, 150})));
    ASSERT_EQ(LastLayer, 0);
    EXPECT_EQ(ToolMode, Tool::Move);
    const TLayerCorner* c = Layers[0].Corners;
    const TattooPlace view = CurrentTattooPlace();
    EXPECT_NEAR((c[0].X + c[1].X) / 2 * Zoom + view.CenterX - PanX, 100, 0.01);
    EXPECT_NEAR((c[0].Y + c[3].Y) / 2 * Zoom + view.CenterY - PanY, 150, 0.01);
    EXPECT_NEAR((c[1].X - c[0].X) * Zoom, 100, 0.01) << "shown at half its size";
    ASSERT_TRUE(Drop(dir_.filePath("design.png"), OnCanvas({200, 150})));
    EXPECT_EQ(DroppedDesignTextureCount(), 2);
    OpenFoto(StockPhotoSource);
    ClearHistory();
    ASSERT_TRUE(Drop(dir_.filePath("design.png"), OnCanvas({100, 150})));
    EXPECT_EQ(DroppedDesignTextureCount(), 1) << "textures no layer or step uses are let go";

    ASSERT_TRUE(
        Drop(Write("broken.png", {}, "\x89PNG\r\n\x1a\n not really"), OnCanvas({100, 150})));
    EXPECT_EQ(LastLayer, 0);
    EXPECT_EQ(messages_.size(), 1u);
}

TEST_F(Conveniences, TheStandardShortcutsActAndOpenAndSaveKeepTheirFolders) {
    QDir(dir_.path()).mkpath("photos");
    QDir(dir_.path()).mkpath("saved");
    const QString photo = Write("photos/arm.png", {120, 80});
    WhenModalShows([&](QWidget* dialog) { TypeFileName(qobject_cast<QDialog*>(dialog), photo); });
    QTest::keySequence(form_.Panel1, QKeySequence::Open);
    EXPECT_EQ(ImageWidth, 120);
    QString started;
    WhenModalShows(
        [&](QWidget* dialog) { started = qobject_cast<QFileDialog*>(dialog)->directory().path(); });
    QTest::keySequence(form_.Panel1, QKeySequence::Open);
    EXPECT_EQ(started, dir_.filePath("photos"));
    WhenModalShows([&](QWidget* dialog) {
        TypeFileName(qobject_cast<QDialog*>(dialog), dir_.filePath("saved/look.jpg"));
    });
    QTest::keySequence(form_.Panel1, QKeySequence::Save);
    EXPECT_TRUE(QFile::exists(dir_.filePath("saved/look.jpg")));
    QString shown;
    WhenModalShows([&](QWidget* dialog) { shown = dialog->objectName(); });
    QTest::keySequence(form_.Panel1, QKeySequence::Print);
    EXPECT_EQ(shown, "PrintDialog1");
    WhenModalShows(
        [](QWidget* box) { qobject_cast<QMessageBox*>(box)->button(QMessageBox::No)->click(); });
    QTest::keySequence(form_.Panel1, QKeySequence::Quit);
    EXPECT_EQ(terminations_, 0) << "Quit asks first";

    // What a later run reads: the two folders, and nothing else of this run.
    QSettings kept(SettingsFilePath(), QSettings::IniFormat);
    EXPECT_EQ(kept.allKeys(), QStringList({"Folders/OpenPicture", "Folders/SavePicture"}));
    EXPECT_EQ(kept.value("Folders/SavePicture").toString(), dir_.filePath("saved"));
    QFile::remove(SettingsFilePath());
    QFile::copy(Write("broken", {}, "\xff[Folders\nOpenPicture=/no/such\n["), SettingsFilePath());
    EXPECT_EQ(DialogStartFolder(PictureDialog::Open, "initial"), "initial");
    QFile::remove(SettingsFilePath());
}

} // namespace
