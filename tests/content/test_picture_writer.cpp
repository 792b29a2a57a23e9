#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>

#include "content/gallery_file.h"
#include "content/picture_writer.h"
#include "content/png_codec.h"

namespace {

Picture Gradient(int width, int height, int channels) {
    Picture picture{width, height, channels, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            picture.Pixels.insert(picture.Pixels.end(), {uint8_t(x * 7), uint8_t(y * 5), 99});
            if (channels == 4) picture.Pixels.push_back(uint8_t(x + y));
        }
    return picture;
}

TEST(SaveTarget, AKnownExtensionDecidesTheTypeOtherwiseTheFilterAddsItsOwn) {
    using T = PictureFileType;
    const struct {
        const char* typed;
        T filter;
        const char* path;
        T type;
    } cases[] = {
        {"/p/look", T::Jpeg, "/p/look.jpg", T::Jpeg},
        {"/p/look", T::Bmp, "/p/look.bmp", T::Bmp},
        {"/p/look", T::Png, "/p/look.png", T::Png},
        {"/p/look.PNG", T::Jpeg, "/p/look.PNG", T::Png},
        {"/p/a.jpeg", T::Bmp, "/p/a.jpeg", T::Jpeg},
        {"/p/a.bmp", T::Png, "/p/a.bmp", T::Bmp},
        {"/p/v1.2", T::Jpeg, "/p/v1.2.jpg", T::Jpeg},
        {"/p.d/look", T::Png, "/p.d/look.png", T::Png},
    };
    for (const auto& c : cases) {
        const SaveTarget target = ChooseSaveTarget(c.typed, c.filter);
        EXPECT_EQ(target.Path, c.path) << c.typed;
        EXPECT_EQ(target.Type, c.type) << c.typed;
    }
}

// The save of each type is checked through the save dialog; PNG is the one
// that keeps alpha, losslessly.
TEST(PictureWriting, PngKeepsAlphaLosslessly) {
    std::vector<unsigned char> bytes;
    const Picture rgba = Gradient(9, 4, 4);
    ASSERT_TRUE(EncodePngMemory(rgba, bytes));
    Picture decoded;
    ASSERT_TRUE(DecodePngMemory(bytes.data(), bytes.size(), decoded));
    EXPECT_EQ(decoded.Channels, 4);
    EXPECT_EQ(decoded.Pixels, rgba.Pixels);
}

TEST(PictureWriting, AFailureKeepsTheOldFileAndLeavesNoTemporaryFile) {
    QTemporaryDir folder;
    const std::string target = folder.filePath("kept.png").toStdString();
    ASSERT_TRUE(WritePictureFile(target, Gradient(8, 8, 3), PictureFileType::Png));
    const QByteArray before = [&] {
        QFile file(QString::fromStdString(target));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    std::string error;
    EXPECT_FALSE(WritePictureFile(target, Picture{}, PictureFileType::Png, &error));
    QDir(folder.path()).mkdir("taken.bmp");
    for (PictureFileType type : {PictureFileType::Jpeg, PictureFileType::Bmp, PictureFileType::Png})
        EXPECT_FALSE(WritePictureFile(folder.filePath("taken.bmp").toStdString(), Gradient(8, 8, 3),
                                      type, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(QFileInfo(folder.filePath("taken.bmp")).isDir());
    QFile file(QString::fromStdString(target));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.png"});
}

TEST(GalleryFile, OnlyReadablePicturesOfTheirOwnTypeAreUsable) {
    QTemporaryDir folder;
    QImage image(4, 4, QImage::Format_RGB888);
    image.fill(Qt::red);
    image.save(folder.filePath("good.png"), "PNG");
    image.save(folder.filePath("png-named.jpg"), "PNG");
    std::ofstream(folder.filePath("broken.bmp").toStdString()) << "not a bitmap";
    image.save(folder.filePath("other.gif.txt"), "PNG");
    EXPECT_TRUE(UsableGalleryPicture(folder.filePath("good.png").toStdString()));
    EXPECT_FALSE(UsableGalleryPicture(folder.filePath("png-named.jpg").toStdString()));
    EXPECT_FALSE(UsableGalleryPicture(folder.filePath("broken.bmp").toStdString()));
    EXPECT_FALSE(UsableGalleryPicture(folder.filePath("other.gif.txt").toStdString()));
    EXPECT_FALSE(UsableGalleryPicture(folder.filePath("missing.png").toStdString()));
}

} // namespace
