#include <GL/gl.h>
#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <utility>
#include <vector>

#include "content/content_messages.h"
#include "content/photo_loader.h"
#include "platform/language.h"
#include "platform/resources.h"
#include "render/tile_drawing.h"
#include "scene/scene_state.h"
#include "tests/support/gl_fixture.h"

namespace {

struct ShownMessage {
    std::string Text, Caption;
    MessageButtons Buttons;
    MessageIcon Icon;
};

// Answers every message box while it lives and remembers what was shown.
struct MessageRecorder {
    std::vector<ShownMessage> Shown;
    MessageAnswer Answer = MessageAnswer::No; // to the questions
    MessageRecorder() {
        ContentMessageBox = [this](const std::string& text, const std::string& caption,
                                   MessageButtons buttons, MessageIcon icon) {
            Shown.push_back({text, caption, buttons, icon});
            return buttons == MessageButtons::YesNo ? Answer : MessageAnswer::Ok;
        };
    }
    ~MessageRecorder() { ContentMessageBox = ShowMessageBox; }
};

class PhotoFiles {
  public:
    std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }
    std::string Save(const char* name, const QImage& image, const char* format) const {
        EXPECT_TRUE(image.save(QString::fromStdString(Path(name)), format));
        return Path(name);
    }
    std::string Plain(const char* name, int w, int h) const {
        QImage image(w, h, QImage::Format_RGB888);
        image.fill(QColor(40, 80, 120));
        return Save(name, image, "BMP");
    }
    std::string Bytes(const char* name, const QByteArray& bytes) const {
        std::ofstream(Path(name), std::ios::binary).write(bytes.data(), bytes.size());
        return Path(name);
    }

  private:
    QTemporaryDir dir_;
};

// Puts an EXIF block holding only the orientation right after the SOI marker.
QByteArray WithExifOrientation(QByteArray jpeg, int orientation) {
    QByteArray app1 = QByteArray::fromHex("ffe10022"         // APP1, 34 bytes
                                          "457869660000"     // "Exif"
                                          "4d4d002a00000008" // big-endian TIFF
                                          "000101120003000000010000000000000000");
    app1[29] = char(orientation); // the short value of the one entry
    jpeg.insert(2, app1);
    return jpeg;
}

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes;
}

// A 64 x 32 blue JPEG with a red 16 x 16 block in its top-left corner.
QByteArray MarkedJpeg() {
    QImage image(64, 32, QImage::Format_RGB888);
    image.fill(Qt::blue);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixelColor(x, y, Qt::red);
    return Encoded(image, "JPG");
}

const uint8_t* PixelOf(const Picture& picture, int x, int y) {
    return picture.Pixels.data() + (size_t(y) * picture.Width + x) * picture.Channels;
}

bool IsRed(const uint8_t* p) {
    return p[0] > 200 && p[1] < 60 && p[2] < 60;
}

} // namespace

TEST(PhotoFitting, ZoomShowsTheWholePhoto) {
    EXPECT_FLOAT_EQ(FitPhoto(100, 100, CanvasWidth, CanvasHeight).Zoom, CanvasWidth / 100.0f);
    PhotoFit sample = FitPhoto(1200, 574, CanvasWidth, CanvasHeight);
    EXPECT_FLOAT_EQ(sample.Zoom, 0.3558333f);
    EXPECT_EQ(sample.OverflowX, 0);
    EXPECT_EQ(sample.OverflowY, 0);
    EXPECT_FLOAT_EQ(FitPhoto(CanvasWidth, 2 * CanvasHeight, CanvasWidth, CanvasHeight).Zoom, 0.5f);
}

TEST(PhotoTiling, GridSpan) {
    EXPECT_EQ(PhotoTileSpan(2048), 5);
    EXPECT_EQ(PhotoTileSpan(2047), 4);
    EXPECT_EQ(PhotoTileSpan(511), 1);
}

TEST(PhotoReading, DecodesEachFormatToRgb) {
    EXPECT_EQ(LowerExtension("/a/b/Photo.JPeG"), ".jpeg");
    EXPECT_EQ(LowerExtension("/a/dir.d/photo"), "");
    PhotoFiles files;
    QImage rgba(4, 2, QImage::Format_RGBA8888);
    rgba.fill(QColor(200, 100, 50, 255));
    rgba.setPixelColor(1, 0, QColor(200, 100, 50, 0));
    Picture picture;
    ASSERT_TRUE(ReadPhotoPicture(files.Save("t.PNG", rgba, "PNG"), picture));
    EXPECT_EQ(picture.Channels, 3);
    EXPECT_EQ(PixelOf(picture, 0, 0)[0], 200);
    EXPECT_EQ(PixelOf(picture, 1, 0)[0], 0); // transparent shows black
    ASSERT_TRUE(ReadPhotoPicture(files.Plain("b.bmp", 5, 3), picture));
    EXPECT_EQ(picture.Width, 5);
    EXPECT_EQ(PixelOf(picture, 4, 2)[2], 120);
    ASSERT_TRUE(ReadPhotoPicture(files.Bytes("j.jpg", MarkedJpeg()), picture));
    EXPECT_EQ(picture.Width, 64);
}

class ExifPhoto : public ::testing::TestWithParam<int> {};

// Where the stored top-left block ends up once the photo is upright.
TEST_P(ExifPhoto, TurnsUpright) {
    int orientation = GetParam();
    PhotoFiles files;
    Picture picture;
    std::string path = files.Bytes("turned.jpg", WithExifOrientation(MarkedJpeg(), orientation));
    ASSERT_TRUE(ReadPhotoPicture(path, picture));
    bool swapped = orientation >= 5;
    ASSERT_EQ(picture.Width, swapped ? 32 : 64);
    ASSERT_EQ(picture.Height, swapped ? 64 : 32);
    int right = picture.Width - 8, bottom = picture.Height - 8;
    const int expected[9][2] = {{},     {8, 8},     {right, 8},      {right, bottom}, {8, bottom},
                                {8, 8}, {right, 8}, {right, bottom}, {8, bottom}};
    EXPECT_TRUE(IsRed(PixelOf(picture, expected[orientation][0], expected[orientation][1])));
}

INSTANTIATE_TEST_SUITE_P(AllOrientations, ExifPhoto, ::testing::Range(1, 9));

class PhotoLoaderGl : public GlFixture {
  protected:
    void SetUp() override {
        GlFixture::SetUp();
        LangStrings[40] = "Photo";
        LangStrings[74] = "Damaged photo";
        LangStrings[76] = "%1 x %2 to %3 x %4?";
    }
    void TearDown() override {
        DeletePhotoTiles();
        ResetSceneState();
        GlFixture::TearDown();
    }
    static std::set<TextureName> LiveTiles() {
        std::set<TextureName> names;
        for (auto& column : PhotoTiles)
            for (TextureName name : column)
                if (name != 0) names.insert(name);
        return names;
    }
    static std::vector<uint8_t> TextureLevel0(TextureName name, GLenum format, int bytes) {
        std::vector<uint8_t> pixels(bytes);
        glBindTexture(GL_TEXTURE_2D, name);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
    // A paint tile texture showing red; its pixels are red too when `painted`.
    static void PaintTile(int column, int row, bool painted) {
        std::vector<uint8_t> red(PaintTileBytes, 255);
        glGenTextures(1, &PaintTiles[column][row].Texture);
        glBindTexture(GL_TEXTURE_2D, PaintTiles[column][row].Texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 128, 128, 0, GL_RGBA, GL_UNSIGNED_BYTE, red.data());
        if (painted)
            std::fill(std::begin(PaintPixels[column][row].Data),
                      std::end(PaintPixels[column][row].Data), uint8_t(255));
    }
    // Two layers, a painted pixel and an open selection, as the user left them.
    static void MakeWork() {
        AddLayer();
        AddLayer();
        PaintPixels[2][3].Data[0] = 99;
        SelectionMask[1][1].Data[5] = 0;
        SelectionClosed = false;
    }
    PhotoFiles files_;
};

TEST_F(PhotoLoaderGl, LargestPhotoFillsAllTiles) {
    OpenFoto(files_.Plain("big.bmp", 2048, 2048));
    EXPECT_EQ(LiveTiles().size(), 25u);
    EXPECT_EQ(ImageWidth, 2048);
    EXPECT_FLOAT_EQ(Zoom, float(CanvasWidth) / 2048);
    // Photo tiles are sampled nearest and carry no mipmap levels.
    GLint filter = 0, level1Width = -1;
    glBindTexture(GL_TEXTURE_2D, PhotoTiles[4][4]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &level1Width);
    EXPECT_EQ(filter, GL_NEAREST);
    EXPECT_EQ(level1Width, 0);
}

TEST_F(PhotoLoaderGl, TilesHoldTheirPartOfThePhoto) {
    QImage image(1024, 1024, QImage::Format_RGB888);
    image.fill(Qt::black);
    image.setPixelColor(600, 10, QColor(255, 0, 0));
    OpenFoto(files_.Save("grid.bmp", image, "BMP"));
    EXPECT_EQ(LiveTiles().size(), 9u);
    EXPECT_NE(PhotoTiles[2][2], 0u);
    EXPECT_EQ(PhotoTiles[3][0], 0u);
    std::vector<uint8_t> tile = TextureLevel0(PhotoTiles[1][0], GL_RGB, 512 * 512 * 3);
    EXPECT_EQ(tile[(10 * 512 + 88) * 3], 255);
}

// x and y in the red and green channels, their high bits in blue.
QColor PositionColour(int x, int y) {
    return QColor(x & 255, y & 255, (x >> 8) * 64 + (y >> 8) * 16 + 8);
}

// Draws the photo at zoom 1 with image pixel (x, y) at canvas (x - left, y - top).
void DrawPhotoFrom(int left, int top) {
    Zoom = 1;
    DrawPhoto(float(-left), float(-top));
}

TEST_F(PhotoLoaderGl, EdgeTilesShowTheRemainderOfTheirPhoto) {
    // The larger photo first, so that the edge tiles reuse textures full of it.
    OpenFoto(files_.Plain("before.bmp", 1100, 1100));
    QImage image(600, 520, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixelColor(x, y, PositionColour(x, y));
    OpenFoto(files_.Save("edges.bmp", image, "BMP"));
    ASSERT_EQ(LiveTiles().size(), 4u);
    DrawPhotoFrom(300, 100);
    // One point of the whole tile, of each edge tile and the far corner.
    for (auto [x, y] : {std::pair{310, 110},
                        {511, 300},
                        {512, 300},
                        {599, 110},
                        {310, 511},
                        {310, 512},
                        {450, 519},
                        {512, 512},
                        {599, 519}}) {
        QColor expected = PositionColour(x, y);
        std::array<uint8_t, 4> shown = Pixel(x - 300, y - 100);
        EXPECT_EQ(QColor(shown[0], shown[1], shown[2]), expected) << x << ", " << y;
    }
    // Past the photo's right and bottom edges nothing is drawn.
    EXPECT_EQ(Pixel(600 - 300, 200)[2], 0);
    EXPECT_EQ(Pixel(400, 520 - 100)[2], 0);
}

TEST_F(PhotoLoaderGl, ASmallerPhotoKeepsTheTilesItNeedsAndDeletesTheRest) {
    OpenFoto(files_.Plain("large.bmp", 1100, 1100));
    const TextureName kept = PhotoTiles[1][1];
    const TextureName dropped = PhotoTiles[2][0];
    OpenFoto(files_.Plain("small.bmp", 600, 520));
    EXPECT_EQ(PhotoTiles[1][1], kept);
    EXPECT_FALSE(glIsTexture(dropped));
    EXPECT_EQ(PhotoTiles[2][0], 0u);
    OpenFoto(files_.Plain("large.bmp", 1100, 1100));
    EXPECT_EQ(LiveTiles().size(), 9u);
}

TEST_F(PhotoLoaderGl, LoadLeavesAFreshScene) {
    // Paint erased from the pixels but not drawn since: the texture still
    // shows it.
    PaintTile(3, 4, false);
    PaintTiles[3][4].Dirty = true;
    // Paint drawn: pixels and texture agree.
    PaintTile(5, 6, true);
    MakeWork();
    QuarterTurns = 3;
    PanX = 50;
    PanY = 20;
    ToolMode = Tool::Paint;
    OpenFoto(files_.Plain("small.bmp", 100, 100));
    EXPECT_EQ(QuarterTurns, 0);
    EXPECT_EQ(LastLayer, -1);
    EXPECT_EQ(PanX, 0);
    EXPECT_EQ(PanY, 0);
    EXPECT_EQ(OverflowX, 0);
    EXPECT_FLOAT_EQ(Zoom, CanvasWidth / 100.0f);
    EXPECT_TRUE(SelectionClosed);
    EXPECT_EQ(ToolMode, Tool::Paint);
    EXPECT_EQ(PaintPixels[2][3].Data[0], 0);
    for (int i = 1; i <= PaintTileCount; ++i)
        for (int j = 1; j <= PaintTileCount; ++j)
            for (uint8_t value : SelectionMask[i][j].Data)
                ASSERT_EQ(value, 255);
    for (auto [i, j] : {std::pair{3, 4}, {5, 6}}) {
        std::vector<uint8_t> sent =
            TextureLevel0(PaintTiles[i][j].Texture, GL_RGBA, PaintTileBytes);
        EXPECT_EQ(std::count(sent.begin(), sent.end(), 0), PaintTileBytes) << i << ", " << j;
        EXPECT_EQ(std::count(PaintPixels[i][j].Data, std::end(PaintPixels[i][j].Data), 0),
                  PaintTileBytes);
        EXPECT_FALSE(PaintTiles[i][j].Dirty);
        glDeleteTextures(1, &PaintTiles[i][j].Texture);
    }
}

TEST_F(PhotoLoaderGl, RefusedOrUnreadablePhotoKeepsEverything) {
    OpenFoto(files_.Plain("kept.bmp", 1024, 1024));
    MakeWork();
    std::set<TextureName> tiles = LiveTiles();
    float zoom = Zoom;
    MessageRecorder messages;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImage(300, 300, QImage::Format_RGB888).save(&buffer, "PNG");
    const std::string refused[] = {files_.Bytes("corrupt.jpg", "\xFF\xD8\xFF garbage"),
                                   files_.Bytes("cut.jpg", MarkedJpeg().left(300)),
                                   files_.Bytes("half.png", png.left(png.size() / 2)),
                                   files_.Bytes("empty.bmp", ""),
                                   files_.Plain("photo.tif", 100, 100),
                                   files_.Path("none.png")};
    for (const std::string& path : refused)
        OpenFoto(path);
    ASSERT_EQ(messages.Shown.size(), std::size(refused));
    EXPECT_EQ(messages.Shown[0].Text, "Damaged photo");
    EXPECT_EQ(messages.Shown[0].Caption, "Photo");
    EXPECT_EQ(messages.Shown[0].Buttons, MessageButtons::Ok);
    EXPECT_EQ(messages.Shown[0].Icon, MessageIcon::Error);
    EXPECT_EQ(LastLayer, 1);
    EXPECT_EQ(ImageWidth, 1024);
    EXPECT_FLOAT_EQ(Zoom, zoom);
    EXPECT_EQ(LiveTiles(), tiles);
    EXPECT_TRUE(glIsTexture(*tiles.begin()));
    EXPECT_EQ(PaintPixels[2][3].Data[0], 99);
    EXPECT_EQ(SelectionMask[1][1].Data[5], 0);
    EXPECT_FALSE(SelectionClosed);
}

// A photo over 2048 a side is opened scaled down only when the user agrees;
// a turned camera JPEG is named and scaled by its upright size.
TEST_F(PhotoLoaderGl, LargePhotoIsScaledDownOnlyOnYes) {
    OpenFoto(files_.Plain("kept.bmp", 1024, 1024));
    MakeWork();
    QImage camera(4032, 3024, QImage::Format_RGB888);
    camera.fill(QColor(40, 80, 120));
    const QByteArray jpeg = Encoded(camera, "JPG");
    const struct {
        std::string Path;
        MessageAnswer Answer;
        const char* Question;
        int Width, Height;
    } cases[] = {{files_.Plain("wide.bmp", 2049, 100), MessageAnswer::No,
                  "2049 x 100 to 2048 x 100?", 1024, 1024},
                 {files_.Plain("tall.bmp", 100, 3000), MessageAnswer::Yes,
                  "100 x 3000 to 68 x 2048?", 68, 2048},
                 {files_.Bytes("camera.jpg", WithExifOrientation(jpeg, 6)), MessageAnswer::Yes,
                  "3024 x 4032 to 1512 x 2016?", 1512, 2016}};
    for (const auto& c : cases) {
        MessageRecorder messages;
        messages.Answer = c.Answer;
        EXPECT_EQ(OpenFoto(c.Path), c.Answer == MessageAnswer::Yes);
        ASSERT_EQ(messages.Shown.size(), 1u) << c.Path;
        EXPECT_EQ(messages.Shown[0].Text, c.Question);
        EXPECT_EQ(messages.Shown[0].Buttons, MessageButtons::YesNo);
        EXPECT_EQ(ImageWidth, c.Width) << c.Path;
        EXPECT_EQ(ImageHeight, c.Height) << c.Path;
        EXPECT_EQ(LastLayer, c.Answer == MessageAnswer::Yes ? -1 : 1) << c.Path;
    }
}

TEST_F(PhotoLoaderGl, NewPhotoDeletesTheOldTilesAndStandsUpright) {
    OpenFoto(files_.Plain("first.bmp", 1024, 1024));
    std::set<TextureName> old = LiveTiles();
    OpenFoto(files_.Bytes("portrait.jpg", WithExifOrientation(MarkedJpeg(), 6)));
    EXPECT_EQ(ImageWidth, 32);
    EXPECT_EQ(PhotoHeight, 64);
    std::set<TextureName> now = LiveTiles();
    ASSERT_EQ(now.size(), 1u);
    for (TextureName name : old)
        EXPECT_TRUE(now.count(name) || !glIsTexture(name)) << name;
}

TEST_F(PhotoLoaderGl, SamplePhotoFitsTheCanvas) {
    OpenFoto(StockPhotoSource);
    EXPECT_EQ(ImageWidth, 1200);
    EXPECT_EQ(ImageHeight, 574);
    EXPECT_FLOAT_EQ(Zoom, 0.3558333f);
    EXPECT_EQ(LiveTiles().size(), 6u);
    EXPECT_NE(PhotoTiles[2][1], 0u);
}
