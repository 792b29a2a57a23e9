#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>

#include "content/content_messages.h"
#include "content/gallery_file.h"
#include "content/photo_gallery.h"
#include "content/photo_loader.h"
#include "platform/form_controls.h"
#include "platform/language.h"
#include "platform/picture_control.h"
#include "scene/scene_state.h"
#include "tests/support/gl_fixture.h"

namespace {

// Gallery pictures are PNGs whose red value tells them apart: picture k is
// (k + 1) * 20 red, and (10 + k) x (20 + k) pixels large.
int PictureNumber(const PictureControl* slot) {
    if (!slot->HasPicture()) return -1;
    return slot->Picture().pixelColor(0, 0).red() / 20 - 1;
}

class GalleryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int slot = 0; slot < GallerySlotCount; ++slot) {
            slots_[slot] =
                std::make_unique<PictureControl>(nullptr, PictureControl::Fit::Proportional);
            MainControls.GallerySlots[slot] = slots_[slot].get();
        }
        LangStrings[39] = "Question";
        LangStrings[52] = "Replace the photo?";
    }
    void TearDown() override {
        ResetPhotoGallery();
        ContentMessageBox = ShowMessageBox;
        for (auto& slot : MainControls.GallerySlots)
            slot = nullptr;
    }
    // A gallery of `count` pictures; its file lists them.
    std::string MakeGallery(int count) {
        std::ofstream ini(dir_.filePath("gallery.ini").toStdString());
        ini << "[gallery]\nCount=" << count << "\n[files]\n";
        for (int k = 0; k < count; ++k) {
            QImage image(10 + k, 20 + k, QImage::Format_RGB888);
            image.fill(QColor((k + 1) * 20, 0, 0));
            QString name = QString("photo%1.png").arg(k);
            image.save(dir_.filePath(name), "PNG");
            ini << "file" << k + 1 << "=" << name.toStdString() << "\n";
        }
        return dir_.filePath("gallery.ini").toStdString();
    }
    // Slot k must show picture (First + k) mod Count.
    void ExpectSlotsInOrder() {
        for (int k = 0; k < GallerySlotCount; ++k)
            EXPECT_EQ(PictureNumber(slots_[k].get()), (PhotoGallery.First + k) % PhotoGallery.Count)
                << "slot " << k;
    }
    // Answers the replace question and counts how often it was asked.
    void Answer(MessageAnswer answer) {
        ContentMessageBox = [this, answer](const std::string& text, const std::string& caption,
                                           MessageButtons buttons, MessageIcon icon) {
            EXPECT_EQ(text, "Replace the photo?");
            EXPECT_EQ(caption, "Question");
            EXPECT_EQ(buttons, MessageButtons::YesNo);
            EXPECT_EQ(icon, MessageIcon::Question);
            ++questions_;
            return answer;
        };
    }

    QTemporaryDir dir_;
    std::unique_ptr<PictureControl> slots_[GallerySlotCount];
    int questions_ = 0;
};

} // namespace

TEST_F(GalleryTest, OpenFillsTheStrip) {
    EXPECT_FALSE(OpenGalleryFile(dir_.filePath("missing.ini").toStdString()));
    ASSERT_TRUE(OpenGalleryFile(MakeGallery(7)));
    EXPECT_EQ(PhotoGallery.Count, 7);
    EXPECT_EQ(PhotoGallery.First, 0);
    EXPECT_EQ(PhotoGallery.Folder, QDir(dir_.path()).absolutePath().toStdString());
    ExpectSlotsInOrder();
}

TEST_F(GalleryTest, ThreePicturesOnlyThreeSlotsReact) {
    ASSERT_TRUE(OpenGalleryFile(MakeGallery(3)));
    EXPECT_FALSE(slots_[3]->HasPicture());
    GalleryStepNext();
    GalleryStepPrevious();
    EXPECT_EQ(PhotoGallery.First, 0);
    EXPECT_EQ(PictureNumber(slots_[0].get()), 0);
    Answer(MessageAnswer::No);
    ChooseGalleryMiniature(3);
    ChooseGalleryMiniature(4);
    EXPECT_EQ(questions_, 0);
    ChooseGalleryMiniature(2);
    EXPECT_EQ(questions_, 1);
    EXPECT_EQ(PhotoWidth, 0); // "No" loads nothing
}

TEST_F(GalleryTest, FiveStepsComeBackToTheStart) {
    ASSERT_TRUE(OpenGalleryFile(MakeGallery(5)));
    for (int press = 1; press <= 5; ++press) {
        // Only the entering picture is read: the others move between slots.
        qint64 moved = slots_[1]->Picture().cacheKey();
        GalleryStepNext();
        EXPECT_EQ(slots_[0]->Picture().cacheKey(), moved);
        EXPECT_EQ(PhotoGallery.First, press % 5);
        ExpectSlotsInOrder();
    }
}

TEST_F(GalleryTest, PreviousFromTheStartWraps) {
    ASSERT_TRUE(OpenGalleryFile(MakeGallery(7)));
    GalleryStepPrevious();
    EXPECT_EQ(PhotoGallery.First, 6);
    EXPECT_EQ(PictureNumber(slots_[0].get()), 6);
    ExpectSlotsInOrder();
}

TEST_F(GalleryTest, MissingAndBrokenPicturesAreSkippedWhenOpening) {
    std::string ini = MakeGallery(7);
    std::ofstream(dir_.filePath("photo1.png").toStdString()) << "broken";
    QFile::remove(dir_.filePath("photo3.png"));
    ASSERT_TRUE(OpenGalleryFile(ini));
    EXPECT_EQ(PhotoGallery.Files,
              (std::vector<std::string>{"photo0.png", "photo2.png", "photo4.png", "photo5.png",
                                        "photo6.png"}));
    EXPECT_EQ(PictureNumber(slots_[1].get()), 2);
    for (int k = 0; k < 7; ++k)
        QFile::remove(dir_.filePath(QString("photo%1.png").arg(k)));
    EXPECT_FALSE(OpenGalleryFile(ini));
    EXPECT_EQ(PhotoGallery.Count, 5);
}

TEST_F(GalleryTest, APictureBrokenAfterOpeningLeavesItsSlotEmpty) {
    std::string ini = MakeGallery(6);
    ASSERT_TRUE(OpenGalleryFile(ini));
    std::ofstream(dir_.filePath("photo5.png").toStdString()) << "broken";
    GalleryStepNext();
    EXPECT_EQ(PhotoGallery.First, 1);
    EXPECT_FALSE(slots_[4]->HasPicture());
    EXPECT_EQ(PictureNumber(slots_[3].get()), 4);
}

TEST(GalleryMiniature, TurnedUprightAndKeptSmall) {
    QTemporaryDir dir;
    QImage big(1000, 500, QImage::Format_RGB888);
    big.fill(Qt::green);
    ASSERT_TRUE(big.save(dir.filePath("big.bmp"), "BMP"));
    QImage miniature = ReadMiniature(dir.filePath("big.bmp").toStdString());
    EXPECT_EQ(miniature.width(), 136);
    EXPECT_EQ(miniature.height(), 68);
    EXPECT_TRUE(ReadMiniature(dir.filePath("none.jpg").toStdString()).isNull());
}

class GalleryChoiceGl : public GlFixture {
  protected:
    void TearDown() override {
        DeletePhotoTiles();
        ResetSceneState();
        ResetPhotoGallery();
        ContentMessageBox = ShowMessageBox;
        GlFixture::TearDown();
    }
};

TEST_F(GalleryChoiceGl, YesLoadsThePictureFromItsFile) {
    QTemporaryDir dir;
    for (int k = 0; k < 6; ++k) {
        QImage image(30 + k, 40, QImage::Format_RGB888);
        image.fill(Qt::gray);
        image.save(dir.filePath(QString("p%1.bmp").arg(k)), "BMP");
    }
    PhotoGallery.Folder = dir.path().toStdString();
    PhotoGallery.Files = {"p0.bmp", "p1.bmp", "p2.bmp", "p3.bmp", "p4.bmp", "p5.bmp"};
    PhotoGallery.Count = 6;
    PhotoGallery.First = 4;
    ViewWidth = CanvasWidth;
    ViewHeight = CanvasHeight;
    ContentMessageBox = [](auto&&...) { return MessageAnswer::Yes; };
    ChooseGalleryMiniature(3); // (4 + 3) mod 6 = picture 1
    EXPECT_EQ(ImageWidth, 31);
}

namespace {

// What the file lacks is added where the reader looks for it; the rest of it
// stays as written.
TEST(GalleryFileWriting, AddsOnlyWhatTheFileLacks) {
    struct Case {
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {"", nullptr}, // a new file: the standard comment, then both sections
        {"; mine\n", "; mine\n[gallery]\nCount=1\n\n[files]\nfile1=a.jpg\n"},
        {"[files]\nfile1=old.jpg\nx=1\n", "[gallery]\nCount=1\n\n[files]\nfile1=a.jpg\nx=1\n"},
        {"\xEF\xBB\xBF[Gallery]\nName=n\n[files]\n[files]\nfile1=b.jpg\n",
         "[Gallery]\nCount=1\nName=n\n[files]\nfile1=a.jpg\n[files]\nfile1=b.jpg\n"},
    };
    QTemporaryDir dir;
    const std::string path = dir.filePath("gallery.ini").toStdString();
    for (const Case& c : cases) {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.before);
        file.close();
        ASSERT_TRUE(WriteGalleryNames(path, {"a.jpg"}));
        EXPECT_EQ(ReadGalleryNames(path), std::vector<std::string>{"a.jpg"}) << c.before;
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        if (c.after)
            EXPECT_EQ(written.toStdString(), c.after) << c.before;
        else
            EXPECT_TRUE(written.startsWith(";") && written.endsWith("[files]\nfile1=a.jpg\n"));
    }
}

} // namespace
