// My designs: pictures laid out as catalog designs, and every kind of bad
// input answered with a message that leaves the group as it was.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

#include "content/catalog.h"
#include "content/content_messages.h"
#include "content/own_designs.h"
#include "content/png_codec.h"
#include "platform/language.h"
#include "tests/support/hostile_pictures.h"

namespace {

class OwnDesigns : public ::testing::Test {
  protected:
    void SetUp() override {
        qputenv("XDG_DATA_HOME", dir_.filePath("data").toUtf8());
        LoadLanguage(VELMORA_SOURCE_DIR "/lang.ini");
        ResetCatalog();
        GroupCount = 1; // a shipped group, which must stay as it is
        Groups.assign(1, CatalogGroup{"Roses", 0, {}, {}});
        ContentMessageBox = [this](const std::string& text, const std::string&, MessageButtons,
                                   MessageIcon) {
            messages_.push_back(text);
            return MessageAnswer::Ok;
        };
    }
    void TearDown() override {
        ContentMessageBox = nullptr;
        ResetCatalog();
        ResetLanguage();
    }
    std::string Write(const QString& name, const QByteArray& bytes) const {
        QFile file(dir_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return dir_.filePath(name).toStdString();
    }
    // A drawing on paper: a dark ring on off-white, w x h.
    std::string Drawing(const QString& name, int w, int h, const char* format = "JPG") const {
        QImage image(w, h, QImage::Format_RGB888);
        image.fill(QColor(240, 236, 225));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const double r = std::hypot(x - w / 2.0, y - h / 2.0) / std::min(w, h);
                if (r > 0.2 && r < 0.25) image.setPixel(x, y, qRgb(20, 20, 20));
            }
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format);
        return Write(name, bytes);
    }
    bool Import(const std::string& path) { return StoreOwnDesign(PrepareDesign(path)); }
    QString Folder() const { return QString::fromStdString(OwnDesignsFolder()); }

    QTemporaryDir dir_;
    std::vector<std::string> messages_;
};

} // namespace

// A drawing on paper is cropped to its ring (150 pixels across) with a
// margin; a transparent picture keeps its alpha and is scaled to the limit.
TEST_F(OwnDesigns, PicturesAreLaidOutAsCatalogDesigns) {
    QImage wide(3000, 1000, QImage::Format_RGBA8888);
    wide.fill(QColor(200, 30, 30, 128));
    wide.save(dir_.filePath("wide.png"), "PNG");
    const struct {
        std::string Path;
        int Width, Height, MinSide, MaxSide, Alpha; // alpha in the middle
    } cases[] = {{Drawing("ring.jpg", 600, 300), 512, 512, 150, 180, 0},
                 {dir_.filePath("wide.png").toStdString(), 512, 171, 2048, 2048, 128}};
    for (const auto& good : cases) {
        SCOPED_TRACE(good.Path);
        const PreparedDesign prepared = PrepareDesign(good.Path);
        ASSERT_EQ(prepared.Problem, DesignProblem::None);
        EXPECT_NEAR(prepared.Width, good.Width, 4);
        EXPECT_NEAR(prepared.Height, good.Height, 4);
        Picture square;
        ASSERT_TRUE(DecodePngMemory(prepared.Png.data(), prepared.Png.size(), square));
        EXPECT_EQ(square.Width, square.Height);
        EXPECT_TRUE(square.Width >= good.MinSide && square.Width <= good.MaxSide) << square.Width;
        EXPECT_EQ(
            square.Pixels[(size_t(square.Height / 2) * square.Width + square.Width / 2) * 4 + 3],
            good.Alpha);
    }
}

TEST_F(OwnDesigns, BadInputIsReportedAndLosesNothing) {
    ASSERT_TRUE(Import(Drawing("kept.png", 200, 200, "PNG")));
    const auto groupFile = [&] {
        QFile file(Folder() + "/data.ini");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = groupFile();
    QImage empty(40, 30, QImage::Format_RGB888);
    empty.fill(QColor(240, 240, 240));
    QByteArray blank;
    QBuffer buffer(&blank);
    buffer.open(QIODevice::WriteOnly);
    empty.save(&buffer, "PNG");
    QByteArray noPixels = Encoded("PNG");
    noPixels.replace(16, 4, QByteArray(4, '\0'));
    QByteArray enormous = Encoded("PNG");
    enormous.replace(16, 8, QByteArray::fromHex("000186a0000186a0"));
    const struct {
        const char* Name;
        std::string Path;
        const char* Cause;
    } cases[] = {
        {"empty file", Write("empty.jpg", {}), "empty"},
        {"not a picture", Write("notes.png", "just some text"), "not a JPEG"},
        {"broken", Write("broken.jpg", Encoded("JPG").left(200)), "damaged"},
        {"no pixels", Write("none.png", noPixels), "damaged"},
        {"enormous", Write("huge.png", enormous), "too large"},
        {"missing", dir_.filePath("missing.bmp").toStdString(), "cannot be read"},
        {"blank paper", Write("blank.png", blank), "no drawing"},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.Name);
        messages_.clear();
        EXPECT_FALSE(Import(bad.Path));
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_NE(messages_[0].find("can't be imported"), std::string::npos) << messages_[0];
        EXPECT_NE(messages_[0].find(bad.Cause), std::string::npos) << messages_[0];
        EXPECT_EQ(Groups[1].ItemCount, 1);
        EXPECT_EQ(groupFile(), before);
    }

    // A full group takes no more.
    messages_.clear();
    Groups[1].Items.resize(MaxOwnDesigns, Groups[1].Items[0]);
    Groups[1].ItemCount = MaxOwnDesigns;
    EXPECT_FALSE(Import(Drawing("one more.jpg", 100, 100)));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find("full"), std::string::npos);
    EXPECT_EQ(groupFile(), before);

    // A data folder that cannot be made (a file stands in its place).
    Groups.resize(1);
    GroupCount = 1;
    messages_.clear();
    qputenv("XDG_DATA_HOME", dir_.filePath("blocked").toUtf8());
    Write("blocked", "a file, not a folder");
    EXPECT_FALSE(Import(Drawing("anew.jpg", 100, 100)));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find("cannot be written"), std::string::npos);
    EXPECT_EQ(GroupCount, 1);
}

TEST(OwnDesignNames, AreMadeSafeForFilesAndTheGroupFile) {
    const std::pair<std::string, std::string> names[] = {
        {"my rose (final)", "my_rose_final"},
        {"róża-2", "róża-2"},
        {"../../.config/x", "config_x"},
        {"...", "design"},
        {"a=b;c|d\t", "a_b_c_d"},
        {std::string(60, 'k'), std::string(40, 'k')}};
    for (const auto& [base, safe] : names)
        EXPECT_EQ(SafeDesignName(base), safe) << base;
}
