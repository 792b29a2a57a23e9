#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <functional>
#include <iterator>

#include "app/welcome_screen.h"
#include "content/catalog.h"
#include "content/content_messages.h"
#include "content/dropped_design.h"
#include "content/photo_loader.h"
#include "platform/language.h"
#include "platform/picture_control.h"
#include "render/canvas_widget.h"
#include "scene/scene_state.h"
#include "tests/ui/main_form_fixture.h"
#include "ui/button_table.h"
#include "ui/dialog_folders.h"

namespace {

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
        ContentMessageBox = [](const std::string&, const std::string&, MessageButtons,
                               MessageIcon) { return MessageAnswer::Ok; };
        MainFormTest::TearDown();
    }

    // A layer over the whole photo; the pointer on the canvas's middle, over
    // it, and a frame that has found the first such layer there.
    void PointAtNewLayer() {
        TTattooLayer& layer = Layers[AddLayer()];
        layer.Visible = true;
        layer.Alpha = 255;
        layer.Corners[0] = {0, float(PhotoHeight), 0, 0};
        layer.Corners[1] = {float(PhotoWidth), float(PhotoHeight), 1, 0};
        layer.Corners[2] = {float(PhotoWidth), 0, 1, 1};
        layer.Corners[3] = {0, 0, 0, 1};
        MovePointer(form_.Panel1, form_.Panel1->rect().center());
        form_.Panel1->grabFramebuffer();
        EXPECT_EQ(HoverLayer, 0);
    }

    // Drops the file at a point of the window, as a file manager would.
    void Drop(const QString& file, QPoint at) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&form_, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&form_, &drop);
        QCoreApplication::processEvents();
    }
    QString Picture(const char* name, QSize size, QImage::Format format = QImage::Format_RGB32) {
        QImage image(size, format);
        image.fill(Qt::darkRed);
        const QString path = dir_.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    QPoint CanvasPoint(QPoint canvas) const { return form_.Panel1->geometry().topLeft() + canvas; }

    QTemporaryDir dir_;
    std::vector<std::string> messages_;
};

TEST_F(Conveniences, EachToolHasItsKeyNamedInItsHint) {
    std::string kept[std::size(LangStrings)];
    std::copy(std::begin(LangStrings), std::end(LangStrings), kept);
    LoadLanguage(VELMORA_SOURCE_DIR "/lang.ini");
    AssignMainFormTexts(form_);
    int tools = 0;
    for (const ImageButtonInfo& button : ImageButtons) {
        const char key = TMainForm::ToolKey(button.Control);
        if (button.LitTool == NeverLit) continue;
        ASSERT_NE(key, 0) << button.Control;
        ToolMode = Tool::SelectionDone;
        QTest::keyClick(form_.Panel1, key);
        EXPECT_EQ(ToolMode, button.LitTool) << key;
        EXPECT_EQ(Shown(button.Control), PressedSkin);
        EXPECT_TRUE(form_.ImageButton(button.Control)->toolTip().contains(QString("(%1)").arg(key)))
            << button.Control;
        ++tools;
    }
    EXPECT_EQ(tools, 13);
    QTest::keyClick(form_.Panel1, 'M', Qt::ControlModifier);
    EXPECT_EQ(ToolMode, Tool::Select) << "a letter with Ctrl selects no tool";
    form_.Edit1->setFocus();
    QTest::keyClick(form_.Edit1, 'M');
    EXPECT_EQ(ToolMode, Tool::Select) << "a letter typed into the brush size stays there";
    form_.Panel1->setFocus();
    std::copy(std::begin(kept), std::end(kept), LangStrings);
}

TEST_F(Conveniences, DeleteRemovesTheTattooUnderThePointer) {
    PointAtNewLayer();
    PointAtNewLayer();
    Layers[1].Alpha = 100;
    QTest::keyClick(form_.Panel1, Qt::Key_Delete);
    ASSERT_EQ(LastLayer, 0);
    EXPECT_EQ(Layers[0].Alpha, 100) << "the outlined one went";
    form_.Panel1->grabFramebuffer();
    ASSERT_EQ(HoverLayer, 0);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(form_.Panel1, &leave);
    QTest::keyClick(form_.Panel1, Qt::Key_Delete);
    EXPECT_EQ(LastLayer, 0) << "with the pointer off the canvas nothing goes";
    LastLayer = -1;
}

TEST_F(Conveniences, TheQuitShortcutAsksFirst) {
    for (auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        QTimer::singleShot(50, [answer] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(answer)->click();
        });
        QTest::keySequence(form_.Panel1, QKeySequence::Quit);
    }
    EXPECT_EQ(terminations_, 1);
}

TEST_F(Conveniences, ADroppedPictureBecomesThePhotoAndADroppedPngOnTheCanvasATattoo) {
    PointAtNewLayer();
    Drop(Picture("photo.jpg", {300, 200}), {60, 400});
    EXPECT_EQ(ImageWidth, 300);
    EXPECT_EQ(LastLayer, -1) << "a new photo starts with no tattoos";
    Drop(Picture("wide.png", {2049, 10}), {60, 400});
    EXPECT_EQ(ImageWidth, 300) << "the same checks as Open";
    EXPECT_EQ(messages_.size(), 1u);

    ToolMode = Tool::Paint;
    Drop(Picture("design.png", {200, 100}, QImage::Format_ARGB32), CanvasPoint({100, 150}));
    ASSERT_EQ(LastLayer, 0);
    EXPECT_EQ(ToolMode, Tool::Move);
    const TLayerCorner* c = Layers[0].Corners;
    const TattooPlace view = CurrentTattooPlace();
    const float zoomedX = (c[0].X + c[1].X) / 2 * Zoom + view.CenterX - PanX;
    const float zoomedY = (c[0].Y + c[3].Y) / 2 * Zoom + view.CenterY - PanY;
    EXPECT_NEAR(zoomedX, 100, 0.01);
    EXPECT_NEAR(zoomedY, 150, 0.01);
    EXPECT_NEAR((c[1].X - c[0].X) * Zoom, 100, 0.01) << "shown at half its size";
    Drop(dir_.filePath("design.png"), CanvasPoint({200, 150}));
    EXPECT_EQ(DroppedDesignTextureCount(), 2);
    Drop(dir_.filePath("design.png"), CanvasPoint({200, 150}));
    EXPECT_EQ(DroppedDesignTextureCount(), 3);
    DeleteLayer(1);
    OpenFoto(StockPhotoSource);
    Drop(dir_.filePath("design.png"), CanvasPoint({100, 150}));
    EXPECT_EQ(DroppedDesignTextureCount(), 1) << "textures no layer uses are let go";
    ASSERT_EQ(LastLayer, 0);

    QFile broken(dir_.filePath("broken.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\x89PNG\r\n\x1a\n not really");
    broken.close();
    Drop(broken.fileName(), CanvasPoint({100, 150}));
    EXPECT_EQ(LastLayer, 0);
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ(messages_.back(), Lang(81));
    OpenFoto(StockPhotoSource);
}

// Answers the modal dialog of this name once it shows: `act` gets it and the
// folder it started in.
void WhenDialogOpens(const QString& name, std::function<void(QFileDialog*)> act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, name, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != name || !dialog->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        act(qobject_cast<QFileDialog*>(dialog));
        if (dialog->isVisible()) dialog->reject();
    });
    poll->start(10);
}

// Confirms the file in a file dialog.
void Choose(QFileDialog* dialog, const QString& path) {
    dialog->setDirectory(QFileInfo(path).absolutePath());
    dialog->selectFile(QFileInfo(path).fileName());
    static_cast<QDialog*>(dialog)->accept();
}

TEST_F(Conveniences, TheStandardShortcutsOpenSaveAndPrintAndTheFoldersAreKept) {
    QDir(dir_.path()).mkpath("photos");
    QDir(dir_.path()).mkpath("saved");
    const QString photo = Picture("photos/arm.png", {120, 80});
    QString started;
    WhenDialogOpens("OpenPictureDialog1", [&](QFileDialog* dialog) { Choose(dialog, photo); });
    QTest::keySequence(form_.Panel1, QKeySequence::Open);
    EXPECT_EQ(ImageWidth, 120);
    WhenDialogOpens("OpenPictureDialog1",
                    [&](QFileDialog* dialog) { started = dialog->directory().path(); });
    QTest::keySequence(form_.Panel1, QKeySequence::Open);
    EXPECT_EQ(started, dir_.filePath("photos"));

    WhenDialogOpens("SaveDialog1",
                    [&](QFileDialog* dialog) { Choose(dialog, dir_.filePath("saved/look.jpg")); });
    QTest::keySequence(form_.Panel1, QKeySequence::Save);
    EXPECT_TRUE(QFile::exists(dir_.filePath("saved/look.jpg")));
    bool printing = false;
    WhenDialogOpens("PrintDialog1", [&](QFileDialog*) { printing = true; });
    QTest::keySequence(form_.Panel1, QKeySequence::Print);
    EXPECT_TRUE(printing);

    // What a later run reads: the two folders, and nothing else of this run.
    QSettings kept(SettingsFilePath(), QSettings::IniFormat);
    EXPECT_EQ(kept.allKeys(), QStringList({"Folders/OpenPicture", "Folders/SavePicture"}));
    EXPECT_EQ(kept.value("Folders/SavePicture").toString(), dir_.filePath("saved"));
    QFile broken(SettingsFilePath());
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\xff\xfe[Folders\nOpenPicture=/no/such/folder\n[\n");
    broken.close();
    EXPECT_EQ(DialogStartFolder(PictureDialog::Open, "initial"), "initial");
    QFile::remove(SettingsFilePath());
    OpenFoto(StockPhotoSource);
}

} // namespace
