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
#include <sys/stat.h>
#include <unistd.h>

#include "content/bmp_codec.h"
#include "content/catalog.h"
#include "content/content_messages.h"
#include "content/photo_gallery.h"
#include "content/photo_loader.h"
#include "platform/language.h"
#include "scene/scene_state.h"
#include "tests/support/gl_fixture.h"
#include "tests/support/hostile_pictures.h"
#include "tests/support/process_memory.h"

namespace {

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

// The texts the photo loader shows, one per cause.
constexpr const char* TooLarge = "too large";
constexpr const char* Empty = "empty";
constexpr const char* NotAPicture = "not a picture";
constexpr const char* Damaged = "damaged";
constexpr const char* Unreadable = "unreadable";

class BadPhoto : public GlFixture {
  protected:
    void SetUp() override {
        GlFixture::SetUp();
        const char* causes[] = {TooLarge, Empty, NotAPicture, Damaged, Unreadable};
        for (int n = 0; n < 5; ++n)
            LangStrings[71 + n] = causes[n];
        LangStrings[76] = "%1 x %2 to %3 x %4?";
        ContentMessageBox = [this](const std::string& text, const std::string&,
                                   MessageButtons buttons, MessageIcon) {
            shown_.push_back(text);
            return buttons == MessageButtons::YesNo ? answer_ : MessageAnswer::Ok;
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
    // Opens the file and expects the cause's message with the user's work intact.
    void ExpectRefused(const std::string& path, const char* cause) { ExpectShown(path, {cause}); }
    void ExpectShown(const std::string& path, const std::vector<std::string>& texts) {
        shown_.clear();
        OpenFoto(path);
        EXPECT_EQ(shown_, texts) << path;
        EXPECT_EQ(ImageWidth, 600) << path;
        EXPECT_EQ(LastLayer, 0) << path;
        EXPECT_EQ(PaintPixels[1][1].Data[0], 77) << path;
    }
    Files files_;
    std::vector<std::string> shown_;
    MessageAnswer answer_ = MessageAnswer::Yes;
};

} // namespace

TEST_F(BadPhoto, EmptyTruncatedCorruptOrHugeFilesOfEachFormat) {
    for (const char* format : {"PNG", "JPG", "BMP"}) {
        const QString extension = QString(".") + QString(format).toLower();
        const QByteArray whole = Encoded(format);
        QByteArray corrupt = whole;
        corrupt.replace(8, 40, RandomBytes(40, 3));
        ExpectRefused(files_.Write("empty" + extension, {}), Empty);
        ExpectRefused(files_.Write("cut" + extension, whole.left(whole.size() / 3)), Damaged);
        // A bitmap's header is all sizes: broken, it claims an impossible one.
        ExpectRefused(files_.Write("corrupt" + extension, corrupt),
                      extension == ".bmp" ? TooLarge : Damaged);
        ExpectRefused(files_.Write("random" + extension, RandomBytes(5000, 9)), NotAPicture);
        ExpectRefused(files_.Write("huge" + extension, HugeHeader(format)), TooLarge);
    }
}

// A small file claiming 8000 x 8000 is within the decoders' limits: the
// question comes first, and on Yes the picture is decoded at a quarter of its
// size, so finding its data missing costs little memory.
TEST_F(BadPhoto, SmallFileClaimingALargePhotoAsksFirstAndDecodesScaled) {
    const std::string path = files_.Write("claims.jpg", ClaimingSize(Encoded("JPG"), 8000, 8000));
    const std::string question = "8000 x 8000 to 2000 x 2000?";
    answer_ = MessageAnswer::No;
    ExpectShown(path, {question});
    answer_ = MessageAnswer::Yes;
    if (!ResetPeakMemory() || PeakMemoryKb() < 0) GTEST_SKIP() << "no peak memory to read";
    const long before = PeakMemoryKb();
    ExpectShown(path, {question, Damaged});
    EXPECT_LT(PeakMemoryKb() - before, 40 * 1024);
}

// However many text chunks a PNG carries, it costs its pixels and a margin.
TEST_F(BadPhoto, InflatingTextChunksCostNoMemory) {
    const std::string path =
        files_.Write("texts.png", WithInflatingTextChunks(Encoded("PNG"), 500));
    if (!ResetPeakMemory() || PeakMemoryKb() < 0) GTEST_SKIP() << "no peak memory to read";
    const long before = PeakMemoryKb();
    shown_.clear();
    EXPECT_TRUE(OpenFoto(path));
    EXPECT_TRUE(shown_.empty());
    EXPECT_EQ(ImageWidth, 40);
    constexpr long MarginKb = 16 * 1024;
    EXPECT_LT(PeakMemoryKb() - before, MarginKb);
}

TEST_F(BadPhoto, HeadersClaimingTenGigapixelsTakeNoPixelMemory) {
    const std::string files[] = {files_.Write("claims.png", HugeHeader("PNG")),
                                 files_.Write("claims.jpg", HugeHeader("JPG")),
                                 files_.Write("claims.bmp", HugeHeader("BMP"))};
    if (!ResetPeakMemory() || PeakMemoryKb() < 0) GTEST_SKIP() << "no peak memory to read";
    const long before = PeakMemoryKb();
    for (const std::string& path : files)
        ExpectRefused(path, TooLarge);
    EXPECT_LT(PeakMemoryKb() - before, 100 * 1024);
}

// A file's type is taken from its extension; content of another type is
// refused with the message rather than guessed at.
TEST_F(BadPhoto, LyingExtensionFolderOrUnreadableFile) {
    ExpectRefused(files_.Write("png-inside.jpg", Encoded("PNG")), NotAPicture);
    ExpectRefused(files_.Write("jpeg-inside.png", Encoded("JPG")), NotAPicture);
    ExpectRefused(files_.Write("jpeg-inside.bmp", Encoded("JPG")), NotAPicture);
    ExpectRefused(files_.Write("notes.gif", Encoded("PNG")), NotAPicture);
    QDir().mkpath(QString::fromStdString(files_.Path("folder.jpg")));
    ExpectRefused(files_.Path("folder.jpg"), Unreadable);
    ExpectRefused(files_.Path("missing.jpg"), Unreadable);
    // Opening a FIFO would wait for a writer for ever.
    const std::string fifo = files_.Path("pipe.png");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ExpectRefused(fifo, Unreadable);
}

// A link to itself is listed like a file but opens for no one, root
// included; a file without read rights opens for everyone but root.
TEST_F(BadPhoto, UnreadableFile) {
    const std::string loop = files_.Path("loop.jpg");
    ASSERT_EQ(symlink("loop.jpg", loop.c_str()), 0);
    ExpectRefused(loop, Unreadable);
    const std::string locked = files_.Write("locked.jpg", Encoded("JPG"));
    QFile::setPermissions(QString::fromStdString(locked), QFileDevice::Permissions());
    if (access(locked.c_str(), R_OK) != 0) ExpectRefused(locked, Unreadable);
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
