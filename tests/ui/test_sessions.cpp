#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QThread>
#include <csignal>

#include "content/autosave.h"
#include "content/dropped_design.h"
#include "content/picture_writer.h"
#include "content/session_json.h"
#include "content/session_open.h"
#include "content/zip_archive.h"
#include "render/layer_capture.h"
#include "scene/frame_request.h"
#include "scene/history.h"
#include "tests/ui/picture_commands_fixture.h"
#include "ui/canvas_widget.h"

namespace {

// The picture fixture's scene, with the tattoo made the way a placed design
// is (so a session keeps its picture), a second one faded and hidden, a
// quarter turn and an open selection outline.
class Sessions : public PictureCommands {
  protected:
    void SetUp() override {
        PictureCommands::SetUp();
        // The crash test's child autosaves where its parent looks.
        if (qEnvironmentVariableIsEmpty("VELMORA_CRASH_PICTURE"))
            qputenv("XDG_STATE_HOME", dir_.filePath("state").toUtf8());
        for (int n : {60, 61, 62, 63})
            LangStrings[n - 1] = "text " + std::to_string(n) + "|part 2|part 3|part 4";
        // The fixture's texture was made outside the design paths: the session
        // reads it back from the GL.
        const TextureName madeElsewhere = Layers[0].Texture;
        const Picture stripes{2, 1, 4, {0, 220, 0, 255, 200, 0, 200, 128}};
        Layers[0].Texture = AddDesignTexture(stripes);
        Layers[0].Group = Layers[0].Item = DroppedDesignGroup;
        const int k = AddLayer();
        Layers[k] = Layers[0];
        Layers[k].Corners[1].X = 420;
        Layers[k].Alpha = 90;
        const int hidden = AddLayer();
        Layers[hidden] = Layers[k];
        Layers[hidden].Visible = false;
        Layers[hidden].Texture = madeElsewhere;
        ClickControl(form_.ImageButton("bRotateR"));
        SelectionClosed = false;
        SelectionPoints[0] = {5, 5};
        SelectionPoints[1] = {300, 40};
        SelectionPoints[2] = {250, 250};
        SelectionLast = 2;
    }
    void TearDown() override {
        for (int n : {60, 61, 62, 63})
            LangStrings[n - 1].clear();
        PictureCommands::TearDown();
    }
    static std::vector<uint8_t> Composed() {
        Picture picture;
        EXPECT_TRUE(ComposePicture(picture));
        return picture.Pixels;
    }
    void OpenThroughDialog(const QString& path) {
        WhenDialogOpens("OpenPictureDialog1",
                        [path](QDialog* dialog) { TypeFileName(dialog, path); });
        ClickControl(form_.ImageButton("bfopen"));
    }
};

std::vector<uint8_t> Entry(const std::vector<uint8_t>& zip, const std::string& name) {
    ZipReader reader;
    std::vector<uint8_t> bytes;
    EXPECT_EQ(reader.Open(zip), ZipProblem::None);
    EXPECT_EQ(reader.Read(name, bytes), ZipProblem::None) << name;
    return bytes;
}

std::vector<uint8_t> FileBytes(const QString& path) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadSessionBytes(path.toStdString(), bytes));
    return bytes;
}

// Saved through the Save dialog's session filter and opened through the Open
// dialog over another photo, the scene composes to the very same picture,
// and the file is a plain OpenRaster stack too.
TEST_F(Sessions, ASessionSavedAndOpenedThroughTheDialogsComposesTheSamePicture) {
    const std::vector<uint8_t> before = Composed();
    const std::vector<TTattooLayer> layers(Layers.begin(), Layers.begin() + LastLayer + 1);
    SaveAs(dir_.filePath("arm"), 3);
    const std::vector<uint8_t> file = FileBytes(dir_.filePath("arm.ora"));
    ZipReader reader;
    ASSERT_EQ(reader.Open(file), ZipProblem::None);
    const std::vector<std::string> names = reader.Names();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "mimetype");
    for (const char* name : {"stack.xml", "data/photo.png", "data/tattoo-0.png", "data/paint.png",
                             "Thumbnails/thumbnail.png", "mergedimage.png", SessionJsonEntry,
                             "velmora/photo.png", "velmora/design-0.png", "velmora/paint.png"})
        EXPECT_TRUE(reader.Has(name)) << name;
    EXPECT_EQ(Entry(file, "mimetype"), std::vector<uint8_t>(SessionMimeType, SessionMimeType + 16));
    Picture merged;
    ASSERT_TRUE(ComposePicture(merged));
    std::vector<unsigned char> png;
    ASSERT_TRUE(EncodePngMemory(merged, png));
    EXPECT_EQ(Entry(file, "mergedimage.png"), png) << "the same PNG as Save writes";
    const std::string stack =
        QString::fromUtf8(
            QByteArray(reinterpret_cast<const char*>(Entry(file, "stack.xml").data()), 2000))
            .toStdString();
    EXPECT_NE(stack.find("visibility=\"hidden\""), std::string::npos);
    EXPECT_FALSE(SceneUnsaved());

    OpenFoto(StockPhotoSource);
    OpenThroughDialog(dir_.filePath("arm.ora"));
    EXPECT_TRUE(messages_.empty());
    ASSERT_EQ(LastLayer + 1, int(layers.size()));
    Picture design;
    ASSERT_TRUE(ReadDesignTexture(Layers[2].Texture, design));
    const std::vector<uint8_t> green = {0, 220, 0, 255};
    EXPECT_EQ(design.Width * design.Height, 4);
    EXPECT_TRUE(std::equal(green.begin(), green.end(), design.Pixels.begin() + 12))
        << "the design read back from the GL came back";
    for (size_t i = 0; i < layers.size(); ++i) {
        EXPECT_EQ(Layers[i].Alpha, layers[i].Alpha);
        EXPECT_EQ(Layers[i].Visible, layers[i].Visible);
        EXPECT_EQ(std::memcmp(Layers[i].Corners, layers[i].Corners, sizeof layers[i].Corners), 0);
    }
    EXPECT_EQ(QuarterTurns, 1);
    EXPECT_EQ(SelectionLast, 2);
    EXPECT_FALSE(SelectionClosed);
    EXPECT_TRUE(Composed() == before) << "the composed picture is byte-identical";
    EXPECT_FALSE(SceneUnsaved()) << "the session just opened is saved work";
}

// A photo brought back by undo is the one the ink bends over and the one a
// session saves, even when the photo it replaced had the same size.
TEST_F(Sessions, ThePhotoAnUndoBringsBackIsDrawnAndSaved) {
    Layers[1].InkLook = true;
    const std::vector<uint8_t> before = Composed();
    Picture plain = CurrentPhoto;
    std::fill(plain.Pixels.begin(), plain.Pixels.end(), uint8_t(90));
    ReplacePhoto(plain);
    QTest::keyClick(form_.Panel1, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(LastLayer, 2);
    EXPECT_TRUE(Composed() == before) << "the ink follows the photo brought back";
    SaveAs(dir_.filePath("undone"), 3);
    OpenFoto(StockPhotoSource);
    OpenThroughDialog(dir_.filePath("undone.ora"));
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(Composed() == before) << "the session holds the photo shown";
}

// Another program's file opens as a photo of its composed picture.
TEST_F(Sessions, AForeignOpenRasterFileOpensAsItsComposedPicture) {
    ZipWriter zip;
    zip.Add("mimetype", {SessionMimeType, SessionMimeType + 16}, ZipWriter::Method::Stored);
    zip.Add("stack.xml", {'<', 'i', 'm', 'a', 'g', 'e', '/', '>'}, ZipWriter::Method::Deflated);
    const Picture picture{3, 2, 4, std::vector<uint8_t>(24, 77)};
    std::vector<unsigned char> png;
    ASSERT_TRUE(EncodePngMemory(picture, png));
    zip.Add("mergedimage.png", png, ZipWriter::Method::Stored);
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(zip.Finish(bytes, error)) << error;
    QFile file(dir_.filePath("other.ora"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    file.close();
    OpenPhotoOrSession(file.fileName().toStdString());
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(PhotoWidth, 3);
    EXPECT_EQ(PhotoHeight, 2);
    EXPECT_EQ(LastLayer, -1);
}

// A good session's entries with one of them changed.
std::vector<uint8_t> Repacked(const std::vector<uint8_t>& good, const std::string& name,
                              const std::vector<uint8_t>& replacement) {
    ZipReader reader;
    EXPECT_EQ(reader.Open(good), ZipProblem::None);
    ZipWriter zip;
    for (const std::string& entry : reader.Names()) {
        std::vector<uint8_t> bytes;
        reader.Read(entry, bytes);
        if (entry == name) bytes = replacement;
        zip.Add(entry, bytes, ZipWriter::Method::Stored);
    }
    if (!reader.Has(name)) zip.Add(name, replacement, ZipWriter::Method::Deflated);
    std::vector<uint8_t> out;
    std::string error;
    EXPECT_TRUE(zip.Finish(out, error));
    return out;
}

std::vector<uint8_t> Text(const std::string& text) {
    return {text.begin(), text.end()};
}

// Sets the central directory's stated size of the first entry.
std::vector<uint8_t> ClaimingSize(std::vector<uint8_t> zip, uint32_t size) {
    const uint8_t central[] = {'P', 'K', 1, 2};
    auto at = std::search(zip.begin(), zip.end(), central, central + 4);
    std::memcpy(&*at + 24, &size, 4);
    return zip;
}

// The session's JSON with texts replaced, pair by pair.
std::vector<uint8_t> JsonWith(const std::vector<uint8_t>& good,
                              std::initializer_list<std::pair<QString, QString>> changes) {
    const std::vector<uint8_t> json = Entry(good, SessionJsonEntry);
    QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(json.data()), qsizetype(json.size()));
    for (const auto& [from, to] : changes)
        text.replace(from, to);
    return Text(text.toStdString());
}

// Each broken file gets its message, and the scene stays as it was.
TEST_F(Sessions, ABadFileGetsItsMessageAndLeavesTheScene) {
    SessionScene scene;
    ASSERT_TRUE(TakeSessionScene(scene));
    std::vector<uint8_t> good;
    std::string error;
    ASSERT_TRUE(EncodeSession(scene, good, error));
    Picture wide{MaxPhotoSide + 1, 1, 3, std::vector<uint8_t>((MaxPhotoSide + 1) * 3)};
    std::vector<unsigned char> widePng;
    ASSERT_TRUE(EncodePngMemory(wide, widePng));
    ZipWriter bomb;
    bomb.Add("mimetype", Text(SessionMimeType), ZipWriter::Method::Stored);
    bomb.Add("mergedimage.png", std::vector<uint8_t>(64 << 20), ZipWriter::Method::Deflated);
    std::vector<uint8_t> bombBytes;
    ASSERT_TRUE(bomb.Finish(bombBytes, error));
    const struct {
        const char* Name;
        std::vector<uint8_t> Bytes;
        const char* Message;
    } cases[] = {
        {"not a zip", Text("just some text, no archive"), "text 62"},
        {"truncated", {good.begin(), good.begin() + long(good.size() / 2)}, "part 2"},
        {"claims a huge size", ClaimingSize(good, 0xF0000000u), "part 3"},
        {"inflates too far", bombBytes, "part 3"},
        {"climbs out", Repacked(good, "../escape.png", Text("x")), "part 2"},
        {"absolute name", Repacked(good, "/tmp/escape.png", Text("x")), "part 2"},
        {"broken XML", Repacked(good, "stack.xml", Text("<image><stack>")), "part 2"},
        {"broken JSON", Repacked(good, SessionJsonEntry, Text("{\"format\": 1,")), "part 2"},
        {"missing design", Repacked(good, "velmora/design-0.png", {}), "part 2"},
        {"layer too large",
         Repacked(Repacked(good, "velmora/photo.png", widePng), SessionJsonEntry,
                  JsonWith(good, {{"\"suffix\": \".png\"", "\"suffix\": \"\""},
                                  {"\"width\": 600", "\"width\": 2049"},
                                  {"\"height\": 400", "\"height\": 1"}})),
         "part 3"},
        {"newer version",
         Repacked(good, SessionJsonEntry, JsonWith(good, {{"\"format\": 1", "\"format\": 2"}})),
         "part 4"},
    };
    const std::vector<uint8_t> before = Composed();
    for (const auto& bad : cases) {
        QFile file(dir_.filePath("bad.ora"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char*>(bad.Bytes.data()), qint64(bad.Bytes.size()));
        file.close();
        messages_.clear();
        EXPECT_FALSE(OpenSessionFile(file.fileName().toStdString())) << bad.Name;
        ASSERT_EQ(messages_.size(), 1u) << bad.Name;
        EXPECT_EQ(messages_[0], bad.Message) << bad.Name;
        EXPECT_EQ(LastLayer, 2) << bad.Name;
        EXPECT_TRUE(Composed() == before) << bad.Name;
    }
}

// Answers the quit question once it shows: with No, or with its saving
// button and then Cancel in the save dialog. Counts the question's buttons.
void AnswerQuit(bool saveFirst, int& buttons) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, saveFirst, &buttons] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        buttons = int(box->buttons().size());
        auto* save = box->findChild<QPushButton*>("SaveSessionButton");
        if (!saveFirst || !save)
            return QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
        WhenDialogOpens("SaveDialog1", [](QDialog* dialog) { dialog->reject(); });
        QTest::mouseClick(save, Qt::LeftButton);
    });
    timer->start(10);
}

// The quit question gains its saving button once the scene has changed;
// cancelling that button's dialog cancels the quit.
TEST_F(Sessions, TheQuitQuestionOffersToSaveChangedWork) {
    NoteSceneSaved();
    int buttons = 0;
    AnswerQuit(false, buttons);
    ClickControl(form_.ImageButton("bclose"));
    EXPECT_EQ(buttons, 2) << "nothing changed since the save";
    Layers[0].Alpha = 10;
    AnswerQuit(true, buttons);
    ClickControl(form_.ImageButton("bclose"));
    EXPECT_EQ(buttons, 3);
    EXPECT_EQ(terminations_, 0);
}

// The child half of the crash test: changes the scene, lets the autosave
// write it, leaves the picture it composed and waits to be killed.
TEST_F(Sessions, CrashChild) {
    const QString picture = qEnvironmentVariable("VELMORA_CRASH_PICTURE");
    if (picture.isEmpty()) GTEST_SKIP() << "run by CrashedWorkIsOfferedAndRestored";
    StartAutosave(&form_, 50);
    // A change as a tool makes it: the next frame shows it.
    Layers[1].Alpha = 200;
    RequestFrame();
    ASSERT_TRUE(QTest::qWaitFor(
        [] { return QFile::exists(QString::fromStdString(OwnAutosavePath())); }, 20000));
    WaitForAutosave();
    QImage(QImageFromPicture(Picture{PhotoWidth, PhotoHeight, 3, Composed()})).save(picture, "PNG");
    QThread::sleep(120);
}

// A copy killed with SIGKILL leaves its autosave; the next start offers it
// and restores the same picture.
TEST_F(Sessions, CrashedWorkIsOfferedAndRestored) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString picture = dir_.filePath("child.png");
    environment.insert("VELMORA_CRASH_PICTURE", picture);
    environment.insert("XDG_STATE_HOME", dir_.filePath("state"));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=Sessions.CrashChild"});
    ASSERT_TRUE(child.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(picture); }, 60000));
    QTest::qWait(200);
    child.kill();
    ASSERT_TRUE(child.waitForFinished());
    ASSERT_EQ(FindStaleAutosaves().size(), 1u);
    OpenFoto(StockPhotoSource);
    QString question;
    AnswerQuestion(QMessageBox::Yes, question);
    form_.OfferRecovery();
    EXPECT_TRUE(question.startsWith("text 60"));
    Picture restored;
    ASSERT_TRUE(ComposePicture(restored));
    Picture expected;
    ASSERT_TRUE(PictureFromQImage(QImage(picture), expected));
    EXPECT_TRUE(restored.Pixels == expected.Pixels) << "the child's picture, restored";
    EXPECT_TRUE(FindStaleAutosaves().empty());
    EXPECT_TRUE(QFile::exists(QString::fromStdString(OwnAutosavePath()))) << "now this copy's own";
    EndAutosave();
}

} // namespace
