#include <QFile>
#include <QFileDialog>
#include <QPixmap>
#include <cstring>

#include "content/photo_loader.h"
#include "content/picture_commands.h"
#include "scene/scene_state.h"
#include "tests/ui/picture_commands_fixture.h"
#include "ui/photo_preview.h"

namespace {

// A name with an extension the program does not write gets the chosen
// type's added; the question is about that file, and No goes back to the
// dialog with nothing written.
TEST_F(PictureCommands, SaveAsksBeforeReplacingTheFileItWillWrite) {
    QFile taken(dir_.filePath("arm.v2.jpg"));
    ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    taken.write("mine");
    taken.close();
    QString question;
    AnswerQuestion(QMessageBox::No, question, [] {
        WhenDialogOpens("SaveDialog1", [](QDialog* dialog) { dialog->reject(); });
    });
    SaveAs(dir_.filePath("arm.v2"));
    EXPECT_EQ(question, "replace arm.v2.jpg?");
    ASSERT_TRUE(taken.open(QIODevice::ReadOnly));
    EXPECT_EQ(taken.readAll(), "mine");
    taken.close();
    AnswerQuestion(QMessageBox::Yes, question);
    SaveAs(dir_.filePath("arm.v2"));
    ExpectComposed(dir_.filePath("arm.v2.jpg"), 12);
    EXPECT_EQ(FilesIn(dir_.path()), (QStringList{"arm.v2.jpg", "photo.png"}));
}

// The highlighted file shows beside the list as it would open; a file too
// large to decode at once, or not a picture, shows a word instead.
TEST_F(PictureCommands, TheOpenDialogPreviewsTheHighlightedPicture) {
    QFile huge(dir_.filePath("huge.bmp"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    QByteArray header(54, '\0');
    header[0] = 'B', header[1] = 'M', header[10] = 54, header[14] = 40, header[26] = 1,
    header[28] = 24;
    const int32_t side = 30000;
    memcpy(header.data() + 18, &side, 4);
    memcpy(header.data() + 22, &side, 4);
    huge.write(header);
    huge.close();
    QImage shown;
    QString word;
    WhenDialogOpens("OpenPictureDialog1", [&](QDialog* dialog) {
        // Closed however the checks end.
        const std::unique_ptr<QDialog, void (*)(QDialog*)> closer(
            dialog, [](QDialog* open) { open->reject(); });
        auto* preview = dialog->findChild<PhotoPreview*>("PhotoPreview");
        ASSERT_NE(preview, nullptr);
        static_cast<QFileDialog*>(dialog)->setDirectory(dir_.path());
        ClickListedFile(dialog, photoPath_);
        EXPECT_TRUE(QTest::qWaitFor([&] { return preview->ShownFile() == photoPath_; }));
        shown = preview->pixmap().toImage();
        ClickListedFile(dialog, huge.fileName());
        EXPECT_TRUE(QTest::qWaitFor([&] { return preview->ShownFile() == huge.fileName(); }));
        word = preview->text();
    });
    ClickControl(form_.ImageButton("bfopen"));
    ASSERT_FALSE(shown.isNull());
    EXPECT_LE(std::max(shown.width(), shown.height()), 220);
    EXPECT_TRUE(Near(shown.pixel(5, shown.height() / 2), PhotoLeft, 8));
    EXPECT_TRUE(Near(shown.pixel(shown.width() - 5, shown.height() / 2), PhotoRight, 8));
    EXPECT_EQ(word, "no preview");
    EXPECT_EQ(PhotoWidth, 600) << "the preview leaves the photo alone";
}

// A photo load ends an outline being drawn; the Select button goes dark
// however the photo came.
TEST_F(PictureCommands, LoadingAPhotoDuringAnOutlineLetsTheSelectButtonGoDark) {
    QFile::copy(photoPath_, dir_.filePath("other.png"));
    QFile ini(dir_.filePath("gallery.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[gallery]\nCount=1\n[files]\nfile1=other.png\n");
    ini.close();
    ASSERT_TRUE(OpenGallery(ini.fileName().toStdString()));
    answer_ = MessageAnswer::Yes;
    const std::function<void()> loads[] = {
        [this] {
            WhenDialogOpens("OpenPictureDialog1", [this](QDialog* dialog) {
                TypeFileName(dialog, dir_.filePath("other.png"));
            });
            ClickControl(form_.ImageButton("bfopen"));
        },
        [this] { ClickControl(form_.GallerySlots[0]); },
    };
    for (const auto& load : loads) {
        ClickControl(form_.ImageButton("Image18"));
        ASSERT_EQ(Shown("Image18"), PressedSkin);
        LastLayer = 0;
        load();
        EXPECT_EQ(LastLayer, -1) << "the photo was loaded";
        EXPECT_EQ(ToolMode, Tool::SelectionDone);
        EXPECT_NE(Shown("Image18"), PressedSkin);
    }
}

} // namespace
