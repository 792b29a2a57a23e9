#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPrinter>
#include <unistd.h>

#include "content/photo_gallery.h"
#include "content/picture_commands.h"
#include "scene/scene_state.h"
#include "tests/ui/picture_commands_fixture.h"

namespace {

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
                                    "PNG Image File (*.png)", "Velmora session (*.ora)"}));
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
    EXPECT_EQ(filters.value(0), "All (*.jpg *.jpeg *.bmp *.png *.ora)");
    EXPECT_EQ(filters.size(), 5);
    EXPECT_EQ(PhotoWidth, 90);
    EXPECT_EQ(LastLayer, -1);
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
