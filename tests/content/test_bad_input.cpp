// Broken, hostile and misplaced files given to every reader of the program:
// each is answered with the reader's message or its quiet behaviour, and
// nothing the user made is lost.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <unistd.h>

#include "content/bmp_codec.h"
#include "content/catalog.h"
#include "content/content_messages.h"
#include "content/photo_gallery.h"
#include "content/photo_loader.h"
#include "platform/language.h"
#include "scene/scene_state.h"
#include "tests/support/gl_fixture.h"

namespace {

QByteArray Encoded(const char* format, int width = 40, int height = 30) {
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(QColor(200, 120, 40));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// The same file with its stated size replaced by 100,000 x 100,000.
QByteArray HugeHeader(const char* format) {
    QByteArray bytes = Encoded(format);
    const auto put = [&](int at, QByteArray value) { bytes.replace(at, value.size(), value); };
    if (QByteArray(format) == "PNG") {
        put(16, QByteArray::fromHex("000186a0000186a0")); // IHDR width, height
    } else if (QByteArray(format) == "BMP") {
        put(18, QByteArray::fromHex("a0860100a0860100"));
    } else {
        const int frame = bytes.indexOf(QByteArray::fromHex("ffc0"));
        put(frame + 5, QByteArray::fromHex("86a086a0")); // the frame's height, width
    }
    return bytes;
}

QByteArray RandomBytes(size_t size, unsigned seed) {
    QByteArray bytes(qsizetype(size), '\0');
    std::minstd_rand random(seed);
    for (char& c : bytes)
        c = char(random() >> 7);
    return bytes;
}

class Files {
  public:
    std::string Path(const QString& name) const { return dir_.filePath(name).toStdString(); }
    std::string Write(const QString& name, const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(dir_.filePath(name)).path());
        QFile file(dir_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return Path(name);
    }

  private:
    QTemporaryDir dir_;
};

class BadPhoto : public GlFixture {
  protected:
    void SetUp() override {
        GlFixture::SetUp();
        LangStrings[71] = "Unusable photo";
        ContentMessageBox = [this](const std::string& text, const std::string&, MessageButtons,
                                   MessageIcon) {
            shown_.push_back(text);
            return MessageAnswer::Ok;
        };
        OpenFoto(files_.Write("kept.bmp", Encoded("BMP", 600, 500)));
        AddLayer();
        PaintPixels[1][1].Data[0] = 77;
    }
    void TearDown() override {
        ContentMessageBox = ShowMessageBox;
        DeletePhotoTiles();
        ResetSceneState();
        ResetLanguage();
        GlFixture::TearDown();
    }
    // Opens the file and expects the photo message with the user's work intact.
    void ExpectRefused(const std::string& path) {
        shown_.clear();
        OpenFoto(path);
        ASSERT_EQ(shown_.size(), 1u) << path;
        EXPECT_EQ(shown_[0], "Unusable photo") << path;
        EXPECT_EQ(ImageWidth, 600) << path;
        EXPECT_EQ(LastLayer, 0) << path;
        EXPECT_EQ(PaintPixels[1][1].Data[0], 77) << path;
    }
    Files files_;
    std::vector<std::string> shown_;
};

} // namespace

TEST_F(BadPhoto, EmptyTruncatedCorruptOrHugeFilesOfEachFormat) {
    for (const char* format : {"PNG", "JPG", "BMP"}) {
        const QString extension = QString(".") + QString(format).toLower();
        const QByteArray whole = Encoded(format);
        QByteArray corrupt = whole;
        corrupt.replace(8, 40, RandomBytes(40, 3));
        ExpectRefused(files_.Write("empty" + extension, {}));
        ExpectRefused(files_.Write("cut" + extension, whole.left(whole.size() / 3)));
        ExpectRefused(files_.Write("corrupt" + extension, corrupt));
        ExpectRefused(files_.Write("random" + extension, RandomBytes(5000, 9)));
        ExpectRefused(files_.Write("huge" + extension, HugeHeader(format)));
    }
}

// The process's peak resident memory in kilobytes; ResetPeakMemory starts a
// new peak at what is resident now.
long PeakMemoryKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}
bool ResetPeakMemory() {
    std::ofstream clear("/proc/self/clear_refs");
    return bool(clear << "5" << std::flush);
}

TEST_F(BadPhoto, HeadersClaimingTenGigapixelsTakeNoPixelMemory) {
    const std::string files[] = {files_.Write("claims.png", HugeHeader("PNG")),
                                 files_.Write("claims.jpg", HugeHeader("JPG")),
                                 files_.Write("claims.bmp", HugeHeader("BMP"))};
    if (!ResetPeakMemory() || PeakMemoryKb() < 0) GTEST_SKIP() << "no peak memory to read";
    const long before = PeakMemoryKb();
    for (const std::string& path : files)
        ExpectRefused(path);
    EXPECT_LT(PeakMemoryKb() - before, 100 * 1024);
}

// A file's type is taken from its extension; content of another type is
// refused with the message rather than guessed at.
TEST_F(BadPhoto, LyingExtensionFolderOrUnreadableFile) {
    ExpectRefused(files_.Write("png-inside.jpg", Encoded("PNG")));
    ExpectRefused(files_.Write("jpeg-inside.png", Encoded("JPG")));
    ExpectRefused(files_.Write("jpeg-inside.bmp", Encoded("JPG")));
    QDir().mkpath(QString::fromStdString(files_.Path("folder.jpg")));
    ExpectRefused(files_.Path("folder.jpg"));
}

// A link to itself is listed like a file but opens for no one, root
// included; a file without read rights opens for everyone but root.
TEST_F(BadPhoto, UnreadableFile) {
    const std::string loop = files_.Path("loop.jpg");
    ASSERT_EQ(symlink("loop.jpg", loop.c_str()), 0);
    ExpectRefused(loop);
    const std::string locked = files_.Write("locked.jpg", Encoded("JPG"));
    QFile::setPermissions(QString::fromStdString(locked), QFileDevice::Permissions());
    if (access(locked.c_str(), R_OK) != 0) ExpectRefused(locked);
}

// The size check in front of Qt's reader refuses no complete bitmap: every
// stored layout of the fuzzing seeds (1 to 32 bits, bit fields, top-down,
// RLE) still reads.
TEST(BmpDecoding, EveryStoredLayoutStillReads) {
    const QDir seeds(VELMORA_SOURCE_DIR "/fuzz/corpus/bmp");
    const QStringList names = seeds.entryList({"bits*.bmp", "rle*.bmp"});
    ASSERT_GE(names.size(), 10);
    for (const QString& name : names) {
        QFile file(seeds.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        Picture picture;
        EXPECT_TRUE(DecodeBmpMemory(bytes.constData(), size_t(bytes.size()), picture))
            << name.toStdString();
        EXPECT_FALSE(DecodeBmpMemory(bytes.constData(), size_t(bytes.size()) - 1, picture) &&
                     name.startsWith("bits"))
            << name.toStdString() << " one byte short";
    }
}

// Found by fuzzing (the sanitizers reported the overflow): a header whose
// width, bit count and height multiply past 64 bits.
TEST(BmpDecoding, SizesBeyondAnyFileAreRefusedWithoutOverflow) {
    QByteArray header = Encoded("BMP");
    header.replace(18, 8, QByteArray::fromHex("ffffff7fffffff7f")); // width, height 2^31 - 1
    header.replace(28, 2, QByteArray::fromHex("2000"));             // 32 bits
    EXPECT_FALSE(BmpRowsComplete(reinterpret_cast<const unsigned char*>(header.constData()),
                                 size_t(header.size())));
}

class BadCatalogFiles : public ::testing::Test {
  protected:
    void TearDown() override { ResetCatalog(); }
    Files files_;
};

TEST_F(BadCatalogFiles, BinaryHugeOrMissingIndexAndGroupFilesReadAsEmpty) {
    const QByteArray huge = "[data]\nNbGroups=1\n[groups]\ngroup1=g\n" + RandomBytes(10u << 20, 5);
    const QByteArray broken[] = {RandomBytes(4096, 1), huge, "[data\nNbGroups\n=3\n"};
    for (const QByteArray& index : broken) {
        ReadCatalog(files_.Write("data/data.ini", index));
        EXPECT_EQ(GroupCount, int32_t(Groups.size()));
        EXPECT_LE(GroupCount, 1);
    }
    ReadCatalog(files_.Path("data/missing.ini"));
    EXPECT_EQ(GroupCount, 0);

    files_.Write("data/data.ini", "[data]\nNbGroups=3\n[groups]\ngroup1=a\ngroup2=b\ngroup3=c\n");
    files_.Write("data/a/data.ini", RandomBytes(4096, 2));
    files_.Write("data/b/data.ini",
                 "[data]\nNbPics=2\n[pics]\npic1=x\n" + RandomBytes(10u << 20, 6));
    ReadCatalog(files_.Path("data/data.ini"));
    ASSERT_EQ(GroupCount, 3);
    EXPECT_EQ(Groups[0].ItemCount, 0);
    ASSERT_EQ(Groups[1].ItemCount, 2);
    EXPECT_TRUE(Groups[1].Items[0].Miniature.isNull());
    EXPECT_EQ(Groups[2].ItemCount, 0);
    ShowMiniatures();
    NextCatalogGroup();
    NextCatalogItem();
}

TEST(BadGalleryFile, BrokenBinaryHugeOrMissingFilesOpenNothing) {
    Files files;
    ResetPhotoGallery();
    files.Write("p.jpg", Encoded("JPG"));
    ASSERT_TRUE(
        OpenGalleryFile(files.Write("good.ini", "[gallery]\nCount=1\n[files]\nfile1=p.jpg\n")));
    const QByteArray broken[] = {"", RandomBytes(4096, 4),
                                 "[gallery]\nCount=x\n[files]\nfile1=p.jpg\n",
                                 "[gallery]\nCount=3\n[files]\nfile9=p.jpg\n",
                                 "[gallery]\nCount=1\n" + RandomBytes(10u << 20, 8)};
    int n = 0;
    for (const QByteArray& text : broken)
        EXPECT_FALSE(OpenGalleryFile(files.Write(QString("broken%1.ini").arg(n++), text)));
    EXPECT_FALSE(OpenGalleryFile(files.Path("missing.ini")));
    EXPECT_EQ(PhotoGallery.Count, 1) << "the open gallery stays";
    EXPECT_EQ(PhotoGallery.Files, std::vector<std::string>{"p.jpg"});
    ResetPhotoGallery();
}
