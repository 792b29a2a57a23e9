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
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <unistd.h>

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
#include "ui/photo_preview.h"

namespace {

// Picks a filter with the keyboard, as a user would.
void ChooseFilter(QDialog* dialog, int index) {
    auto* combo = dialog->findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(combo, nullptr);
    combo->setFocus();
    while (combo->currentIndex() < index)
        QTest::keyClick(combo, Qt::Key_Down);
}

// Answers the question that comes up over a dialog by clicking its button,
// then hands the dialog under it to `after`.
void AnswerQuestion(QMessageBox::StandardButton answer, QString& text,
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
void ClickListedFile(QDialog* dialog, const QString& path) {
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

constexpr QRgb PhotoLeft = qRgb(200, 30, 30);
constexpr QRgb PhotoRight = qRgb(30, 30, 200);
constexpr QRgb Tattoo = qRgb(0, 220, 0);
constexpr QRgb Paint = qRgb(250, 250, 0);

bool Near(QRgb pixel, QRgb expected, int tolerance) {
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

TEST_F(PictureCommands, SaveWritesEachTypeAtThePhotosSizeAndLeavesTheViewAlone) {
    const float zoom = Zoom;
    QStringList filters;
    WhenDialogOpens("SaveDialog1", [&filters, this](QDialog* dialog) {
        auto* files = static_cast<QFileDialog*>(dialog);
        filters = files->nameFilters();
        EXPECT_EQ(files->selectedNameFilter(), filters.value(0));
        TypeFileName(dialog, dir_.filePath("look"));
    });
    ClickControl(form_.ImageButton("bfsave"));
    EXPECT_EQ(filters, (QStringList{"JPEG Image File (*.jpg)", "Bitmaps (*.bmp)",
                                    "PNG Image File (*.png)"}));
    ExpectComposed(dir_.filePath("look.jpg"), 12);
    SaveAs(dir_.filePath("look.bmp"));
    ExpectComposed(dir_.filePath("look.bmp"), 0);
    SaveAs(dir_.filePath("look2"), 2);
    ExpectComposed(dir_.filePath("look2.png"), 0);
    EXPECT_EQ(FilesIn(dir_.path()),
              (QStringList{"look.bmp", "look.jpg", "look2.png", "photo.png"}));
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(Zoom, zoom);
    EXPECT_EQ(ViewWidth, CanvasWidth);
    EXPECT_FALSE(Capturing);
    EXPECT_TRUE(form_.PrintBitmap.Empty());
}

TEST_F(PictureCommands, TheSavedPictureIsThePhotoAsShownAfterAQuarterTurn) {
    QuarterTurns = 1;
    std::swap(PhotoWidth, PhotoHeight);
    form_.PrintToBMP();
    const QImage shown = QImageFromPicture(form_.PrintBitmap);
    ASSERT_EQ(shown.size(), QSize(400, 600));
    // A clockwise turn puts the photo's left half at the top.
    EXPECT_EQ(shown.pixel(300, 100), PhotoLeft);
    EXPECT_EQ(shown.pixel(300, 500), PhotoRight);
    EXPECT_EQ(shown.pixel(150, 150), Tattoo); // layers live in the turned space
}

TEST_F(PictureCommands, OpenPictureStartsInTheSampleFolderAndLoadsTheTypedFile) {
    QString folder;
    QStringList filters;
    WhenDialogOpens("OpenPictureDialog1", [&](QDialog* dialog) {
        auto* files = static_cast<QFileDialog*>(dialog);
        folder = files->directory().absolutePath();
        filters = files->nameFilters();
        EXPECT_EQ(files->selectedNameFilter(), filters.value(0));
        TypeFileName(dialog, dir_.filePath("small.bmp"));
    });
    QImage(90, 70, QImage::Format_RGB888).save(dir_.filePath("small.bmp"), "BMP");
    ClickControl(form_.ImageButton("bfopen"));
    EXPECT_EQ(folder, QDir(QString::fromStdString(ProgramFolder + "sample")).absolutePath());
    EXPECT_EQ(filters.value(0), "All (*.jpg *.jpeg *.bmp *.png)");
    EXPECT_EQ(filters.size(), 4);
    EXPECT_EQ(PhotoWidth, 90);
    EXPECT_EQ(LastLayer, -1);
}

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

TEST_F(PictureCommands, CancellingAnyDialogChangesNothing) {
    const std::string galleryBefore = PhotoGallery.Folder;
    for (const char* button : {"bfopen", "bfsave", "bprint", "bGallery"}) {
        const QString name = QString(button) == "bfopen"   ? "OpenPictureDialog1"
                             : QString(button) == "bfsave" ? "SaveDialog1"
                             : QString(button) == "bprint" ? "PrintDialog1"
                                                           : "OpenGalleryDialog";
        bool shown = false;
        WhenDialogOpens(name, [&shown](QDialog* dialog) {
            shown = true;
            dialog->reject();
        });
        ClickControl(form_.ImageButton(button));
        EXPECT_TRUE(shown) << button;
        EXPECT_EQ(PhotoWidth, 600) << button;
        EXPECT_EQ(LastLayer, 0) << button;
    }
    EXPECT_EQ(PhotoGallery.Count, 0);
    EXPECT_EQ(FilesIn(dir_.path()), QStringList{"photo.png"});
    EXPECT_TRUE(messages_.empty());
}

TEST_F(PictureCommands, AFailedSaveIsReportedAndLeavesNoFileBehind) {
    form_.PrintToBMP();
    // Root may write anywhere but in /proc.
    const QString locked = geteuid() == 0 ? "/proc" : dir_.filePath("locked");
    if (geteuid() != 0) {
        QDir(dir_.path()).mkdir("locked");
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    }
    EXPECT_EQ(
        SavePicture(form_.PrintBitmap, (locked + "/look").toStdString(), PictureFileType::Jpeg),
        "");
    EXPECT_FALSE(QFile::exists(locked + "/look.jpg"));
    QDir(dir_.path()).mkdir("taken.png");
    EXPECT_EQ(SavePicture(form_.PrintBitmap, dir_.filePath("taken.png").toStdString(),
                          PictureFileType::Jpeg),
              "");
    EXPECT_EQ(messages_, (std::vector<std::string>{"save failed", "save failed"}));
    if (geteuid() != 0) {
        EXPECT_TRUE(FilesIn(locked).isEmpty());
    }
    EXPECT_EQ(FilesIn(dir_.path()), QStringList{"photo.png"});
}

TEST_F(PictureCommands, PrintingFillsOnePageWithThePictureFittedAndCentred) {
    EXPECT_EQ(FittedPictureRect({600, 400}, {10, 20, 300, 300}), QRect(10, 70, 300, 200));
    EXPECT_EQ(FittedPictureRect({400, 600}, {0, 0, 300, 300}), QRect(50, 0, 200, 300));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir_.filePath("print.pdf"));
    form_.PrintToBMP();
    ASSERT_TRUE(PrintPicture(printer, form_.PrintBitmap));
    QFile pdf(dir_.filePath("print.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_EQ(bytes.count("/Type /Page\n"), 1);
    EXPECT_TRUE(bytes.contains("/Width 600") && bytes.contains("/Height 400"));
}

TEST_F(PictureCommands, ClearAsksThenRemovesTattoosPaintAndSelectionButKeepsThePhoto) {
    ToolMode = Tool::Select;
    SelectionLast = 3;
    SelectionClosed = false;
    answer_ = MessageAnswer::No;
    ClickControl(form_.ImageButton("bfdelete"));
    EXPECT_EQ(messages_, std::vector<std::string>{"clear?"});
    EXPECT_EQ(LastLayer, 0);
    EXPECT_EQ(SelectionLast, 3);
    answer_ = MessageAnswer::Yes;
    ClickControl(form_.ImageButton("bfdelete"));
    EXPECT_EQ(LastLayer, -1);
    EXPECT_EQ(SelectionLast, 0);
    EXPECT_TRUE(SelectionClosed);
    EXPECT_EQ(ToolMode, Tool::SelectionDone);
    EXPECT_EQ(SelectionMask[3][2].Data[100], 255);
    EXPECT_EQ(PhotoWidth, 600);
    form_.PrintToBMP();
    const QImage shown = QImageFromPicture(form_.PrintBitmap);
    EXPECT_EQ(shown.pixel(150, 150), PhotoLeft);
    EXPECT_EQ(shown.pixel(15, 15), PhotoLeft);
}

TEST_F(PictureCommands, AddedPicturesGoToTheUsersGalleryAndComeBackThroughOpen) {
    ClickControl(form_.ImageButton("baddG"));
    ClickControl(form_.ImageButton("baddG"));
    const QString own = QString::fromStdString(UserGalleryFolder());
    EXPECT_TRUE(own.startsWith(dir_.filePath("data")));
    ASSERT_EQ(PhotoGallery.Count, 2);
    EXPECT_EQ(PhotoGallery.Folder, own.toStdString());
    EXPECT_TRUE(form_.GallerySlots[1]->HasPicture());
    EXPECT_FALSE(form_.GallerySlots[2]->HasPicture());
    ExpectComposed(QString::fromStdString(GalleryFilePath(1)), 12);

    ResetPhotoGallery();
    QString folder;
    WhenDialogOpens("OpenGalleryDialog", [&folder, own](QDialog* dialog) {
        folder = static_cast<QFileDialog*>(dialog)->directory().absolutePath();
        EXPECT_EQ(static_cast<QFileDialog*>(dialog)->nameFilters(),
                  QStringList{"Gallery File (gallery.ini)"});
        TypeFileName(dialog, own + "/gallery.ini");
    });
    ClickControl(form_.ImageButton("bGallery"));
    EXPECT_EQ(folder, QDir(QString::fromStdString(ProgramFolder + "gallery")).absolutePath());
    EXPECT_EQ(PhotoGallery.Count, 2);
    EXPECT_TRUE(messages_.empty());
}

// What the gallery does not read (other keys and sections, comments, names
// past its count) is a person's and stays where it was, in the file's CR LF.
TEST_F(PictureCommands, AddingToAnOpenGalleryAppendsToItsFileAndShowsTheNewPicture) {
    QDir(dir_.path()).mkdir("mine");
    const QString ini = dir_.filePath("mine/gallery.ini");
    QByteArray names;
    for (int n = 1; n <= 6; ++n) {
        QFile::copy(photoPath_, dir_.filePath(QString("mine/p%1.png").arg(n)));
        names += QString("file%1=p%1.png\r\n").arg(n).toUtf8();
    }
    const QByteArray head =
        "; kept\r\n[Gallery]\r\nTitle=Arms\r\nCount=6\r\n\r\n[files]\r\n; first\r\n";
    const QByteArray tail = "file9=old.png\r\nCaption1=Left\r\n\r\n[notes]\r\nby=me\r\n; end\r\n";
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(head + names + tail);
    file.close();
    ASSERT_TRUE(OpenGallery(ini.toStdString()));
    ASSERT_TRUE(AddPictureToGallery(Picture{4, 4, 3, std::vector<uint8_t>(48, 255)}));
    EXPECT_EQ(PhotoGallery.Count, 7);
    EXPECT_EQ(PhotoGallery.Folder, dir_.filePath("mine").toStdString());
    // The new picture is the last, and the strip ends with it.
    EXPECT_EQ(PhotoGallery.First, 2);
    EXPECT_EQ(form_.GallerySlots[4]->Picture().pixel(0, 0), qRgb(255, 255, 255));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray expected = head + names +
                          "file7=" + QByteArray::fromStdString(PhotoGallery.Files.back()) + "\r\n" +
                          tail;
    expected.replace("Count=6", "Count=7");
    EXPECT_EQ(file.readAll(), expected);
    file.close();
    if (geteuid() == 0) return; // root writes to any folder
    QFile::setPermissions(dir_.filePath("mine"), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(GalleryFileForAdding(), UserGalleryFolder() + "/gallery.ini");
    QFile::setPermissions(dir_.filePath("mine"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(PictureCommands, AGalleryWithoutAUsablePictureIsReportedAndTheOldOneStays) {
    QFile file(dir_.filePath("gallery.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[gallery]\nCount=1\n[files]\nfile1=photo.png\n");
    file.close();
    ASSERT_TRUE(OpenGallery(file.fileName().toStdString()));
    QFile::remove(photoPath_);
    EXPECT_FALSE(OpenGallery(file.fileName().toStdString()));
    EXPECT_EQ(messages_, std::vector<std::string>{"no usable picture"});
    EXPECT_EQ(PhotoGallery.Count, 1);
    EXPECT_TRUE(form_.GallerySlots[0]->HasPicture());
}

} // namespace
