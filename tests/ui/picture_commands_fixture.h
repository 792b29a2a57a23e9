#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "content/content_messages.h"
#include "content/photo_gallery.h"
#include "content/photo_loader.h"
#include "content/picture_commands.h"
#include "platform/canvas_context.h"
#include "platform/language.h"
#include "platform/picture_control.h"
#include "render/gl_canvas.h"
#include "scene/scene_state.h"
#include "tests/ui/main_form_fixture.h"

// The picture commands' tests: the dialogs answered as a user would, and a
// scene of known colours to compose.

// Picks a filter with the keyboard, as a user would.
inline void ChooseFilter(QDialog* dialog, int index) {
    auto* combo = dialog->findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(combo, nullptr);
    combo->setFocus();
    while (combo->currentIndex() < index)
        QTest::keyClick(combo, Qt::Key_Down);
}

// Answers the question that comes up over a dialog by clicking its button,
// then hands the dialog under it to `after`.
inline void AnswerQuestion(QMessageBox::StandardButton answer, QString& text,
                           std::function<void()> after = {}) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, answer, &text, after] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        text = box->text();
        QTest::mouseClick(box->button(answer), Qt::LeftButton);
        if (after) QTimer::singleShot(0, after);
    });
    timer->start(10);
}

// Clicks the file in the dialog's list once its folder has been read.
inline void ClickListedFile(QDialog* dialog, const QString& path) {
    auto* view = dialog->findChild<QAbstractItemView*>("treeView");
    if (!view || !view->isVisible()) view = dialog->findChild<QAbstractItemView*>("listView");
    ASSERT_TRUE(view && qobject_cast<QFileSystemModel*>(view->model()));
    auto* files = static_cast<QFileSystemModel*>(view->model());
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return files->index(path).isValid() && !view->visualRect(files->index(path)).isEmpty();
    })) << path.toStdString();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(files->index(path)).center());
}

inline constexpr QRgb PhotoLeft = qRgb(200, 30, 30);
inline constexpr QRgb PhotoRight = qRgb(30, 30, 200);
inline constexpr QRgb Tattoo = qRgb(0, 220, 0);
inline constexpr QRgb Paint = qRgb(250, 250, 0);

inline bool Near(QRgb pixel, QRgb expected, int tolerance) {
    return std::abs(qRed(pixel) - qRed(expected)) <= tolerance &&
           std::abs(qGreen(pixel) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(pixel) - qBlue(expected)) <= tolerance;
}

// A 600 x 400 photo, red on the left and blue on the right, with a green
// tattoo over (100..200, 100..200) and a yellow dab of paint at (10..20, 10..20).
class PictureCommands : public MainFormTest {
  protected:
    void SetUp() override {
        MainFormTest::SetUp();
        LangStrings[81] = "save failed";
        LangStrings[83] = "clear?";
        LangStrings[84] = "no usable picture";
        LangStrings[93] = "replace %1?";
        LangStrings[97] = "no preview";
        ContentMessageBox = [this](const std::string& text, const std::string&, MessageButtons,
                                   MessageIcon) {
            messages_.push_back(text);
            return answer_;
        };
        qputenv("XDG_DATA_HOME", dir_.filePath("data").toUtf8());
        QImage photo(600, 400, QImage::Format_RGB888);
        photo.fill(PhotoRight);
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 300; ++x)
                photo.setPixel(x, y, PhotoLeft);
        photoPath_ = dir_.filePath("photo.png");
        photo.save(photoPath_, "PNG");
        OpenFoto(photoPath_.toStdString());
        ASSERT_EQ(PhotoWidth, 600);
        AddTattooAndPaint();
    }
    void TearDown() override {
        for (int n : {82, 84, 85, 94, 98})
            LangStrings[n - 1].clear();
        ContentMessageBox = [](const std::string&, const std::string&, MessageButtons,
                               MessageIcon) { return MessageAnswer::Ok; };
        ResetPhotoGallery();
        OpenFoto(StockPhotoSource);
        MainFormTest::TearDown();
    }
    static void AddTattooAndPaint() {
        MakeCanvasCurrent();
        const int k = AddLayer();
        Layers[k].Visible = true;
        Layers[k].Alpha = 255;
        const Picture green{
            2, 2, 4, {0, 220, 0, 255, 0, 220, 0, 255, 0, 220, 0, 255, 0, 220, 0, 255}};
        Layers[k].Texture = UploadTexture(1, green, false);
        const float place[4][2] = {{100, 100}, {200, 100}, {200, 200}, {100, 200}};
        for (int c = 0; c < 4; ++c)
            Layers[k].Corners[c] = {place[c][0], place[c][1], c == 1 || c == 2 ? 1.0f : 0.0f,
                                    c >= 2 ? 1.0f : 0.0f};
        for (int y = 10; y < 20; ++y)
            for (int x = 10; x < 20; ++x) {
                uint8_t* pixel = PaintPixels[1][1].Data + (y * PaintTileSize + x) * 4;
                pixel[0] = 250, pixel[1] = 250, pixel[2] = 0, pixel[3] = 255;
            }
        PaintTiles[1][1].Dirty = true;
    }
    // Checks a saved picture: the photo's size and what lies where.
    static void ExpectComposed(const QString& path, int tolerance) {
        const QImage saved(path);
        ASSERT_EQ(saved.size(), QSize(600, 400)) << path.toStdString();
        EXPECT_TRUE(Near(saved.pixel(150, 150), Tattoo, tolerance)) << path.toStdString();
        EXPECT_TRUE(Near(saved.pixel(15, 15), Paint, tolerance)) << path.toStdString();
        EXPECT_TRUE(Near(saved.pixel(250, 300), PhotoLeft, tolerance)) << path.toStdString();
        EXPECT_TRUE(Near(saved.pixel(450, 300), PhotoRight, tolerance)) << path.toStdString();
    }
    void SaveAs(const QString& typed, int filter = 0) {
        WhenDialogOpens("SaveDialog1", [typed, filter](QDialog* dialog) {
            if (filter) ChooseFilter(dialog, filter);
            TypeFileName(dialog, typed);
        });
        ClickControl(form_.ImageButton("bfsave"));
    }
    QStringList FilesIn(const QString& folder) const {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir dir_;
    QString photoPath_;
    std::vector<std::string> messages_;
    MessageAnswer answer_ = MessageAnswer::Ok;
};
