#include <GL/gl.h>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>

#include "content/catalog.h"
#include "content/content_messages.h"
#include "platform/form_controls.h"
#include "platform/language.h"
#include "platform/picture_control.h"
#include "render/layer_mesh.h"
#include "scene/scene_state.h"
#include "tests/support/gl_fixture.h"

namespace {

// Builds catalogs under a temporary program folder. The miniature of design
// k is (k + 1) * 20 red, so a shown miniature tells which design it is.
class CatalogFiles {
  public:
    CatalogFiles() {
        ProgramFolder = dir_.path().toStdString() + "/";
        QDir(dir_.path()).mkdir("data");
    }
    ~CatalogFiles() { ProgramFolder.clear(); }

    std::string Index() const { return Data("data.ini"); }
    std::string Data(const std::string& rest) const { return ProgramFolder + "data/" + rest; }
    void Write(const std::string& path, const std::string& text) const {
        std::ofstream(path) << text;
    }
    void Groups(const std::vector<std::string>& names, const std::string& count = "") const {
        std::string text =
            "[data]\nNbGroups=" + (count.empty() ? std::to_string(names.size()) : count);
        text += "\n[groups]\n";
        for (size_t n = 0; n < names.size(); ++n)
            text += "group" + std::to_string(n + 1) + "=" + names[n] + "\n";
        Write(Index(), text);
    }
    // A group of `count` designs d0, d1, ... with miniatures; `extra` adds keys.
    void Group(const std::string& name, int count, const std::string& extra = "") const {
        QDir(QString::fromStdString(Data(""))).mkdir(QString::fromStdString(name));
        std::string text = "[data]\nNbPics=" + std::to_string(count) + "\n[pics]\n" + extra;
        for (int k = 0; k < count; ++k) {
            text += "pic" + std::to_string(k + 1) + "=d" + std::to_string(k) + "\n";
            QImage miniature(30, 40, QImage::Format_RGB888);
            miniature.fill(QColor((k + 1) * 20, 0, 0));
            miniature.save(QString::fromStdString(Data(name + "/d" + std::to_string(k) + ".jpg")),
                           "JPG", 95);
        }
        Write(Data(name + "/data.ini"), text);
    }
    void Design(const std::string& group, int k) const {
        QImage design(512, 512, QImage::Format_RGBA8888);
        design.fill(QColor(0, 0, 0, 0));
        design.save(QString::fromStdString(DesignPath(group, k)), "PNG");
    }
    // Red in its upper half, blue in its lower half.
    void TwoColourDesign(const std::string& group, int k, QImage::Format format) const {
        QImage design(512, 512, format);
        design.fill(Qt::blue);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 512; ++x)
                design.setPixelColor(x, y, Qt::red);
        design.save(QString::fromStdString(DesignPath(group, k)), "PNG");
    }
    std::string DesignPath(const std::string& group, int k) const {
        return Data(group + "/d" + std::to_string(k) + ".png");
    }

  private:
    QTemporaryDir dir_;
};

int ShownDesign(const PictureControl& image) {
    if (!image.HasPicture()) return -1;
    return (image.Picture().pixelColor(5, 5).red() + 10) / 20 - 1;
}

class CatalogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        MainControls.GroupName = &label_;
        MainControls.Image2 = &image_;
    }
    void TearDown() override {
        ResetCatalog();
        ResetSceneState();
        MainControls.GroupName = nullptr;
        MainControls.Image2 = nullptr;
    }
    CatalogFiles files_;
    QLabel label_;
    PictureControl image_{nullptr, PictureControl::Fit::Proportional};
};

} // namespace

TEST_F(CatalogTest, ReadsGroupsDesignsAndDefaultSizes) {
    files_.Groups({"animals", "flowers"});
    files_.Group("animals", 3, "pic1w=256\npic1h=128\npic3w=abc\n");
    files_.Group("flowers", 1);
    ReadCatalog(files_.Index());
    ASSERT_EQ(GroupCount, 2);
    ASSERT_EQ(Groups[0].ItemCount, 3);
    const CatalogItem& first = Groups[0].Items[0];
    EXPECT_EQ(first.Name, "d0");
    EXPECT_EQ(first.Width, 256);
    EXPECT_EQ(first.Height, 128);
    EXPECT_EQ(Groups[0].Items[1].Width, 512);
    EXPECT_EQ(Groups[0].Items[2].Width, 512);
    EXPECT_EQ(first.Miniature.size(), QSize(30, 40));
    EXPECT_FALSE(first.Loaded);
    EXPECT_EQ(Groups[1].Name, "flowers");
    EXPECT_FALSE(Groups[1].Items[0].Miniature.isNull());
}

TEST_F(CatalogTest, BrokenDesignCostsOnlyItself) {
    files_.Group("a", 2);
    files_.Group("b", 4);
    files_.Group("c", 1);
    std::filesystem::resize_file(files_.Data("a/d0.jpg"), 100);
    files_.Write(files_.Data("b/data.ini"),
                 "[data]\nNbPics=6\n[pics]\npic1=d0\npic2=\npic3=d2\npic4=nowhere\npic6=d3\n");
    // The fifth group has no name; the index's own keys must not make one.
    files_.Write(files_.Index(), "[data]\nNbGroups=5\nNbPics=1\n[groups]\ngroup1=a\ngroup2=b\n"
                                 "group3=missing\ngroup4=c\n[pics]\npic1=a/d1\n");
    ReadCatalog(files_.Index());
    ASSERT_EQ(GroupCount, 5);
    EXPECT_EQ(Groups[4].ItemCount, 0) << "a nameless group reads nothing";
    EXPECT_TRUE(Groups[0].Items[0].Miniature.isNull());
    EXPECT_FALSE(Groups[0].Items[1].Miniature.isNull());
    ASSERT_EQ(Groups[1].ItemCount, 6);
    for (int k : {0, 2, 5})
        EXPECT_FALSE(Groups[1].Items[k].Miniature.isNull()) << k;
    for (int k : {1, 3, 4})
        EXPECT_TRUE(Groups[1].Items[k].Miniature.isNull()) << k;
    EXPECT_EQ(Groups[2].ItemCount, 0);
    EXPECT_EQ(Groups[3].Name, "c");
    EXPECT_FALSE(Groups[3].Items[0].Miniature.isNull());
    ShowMiniatures();
    EXPECT_FALSE(image_.HasPicture());
    NextCatalogItem();
    EXPECT_EQ(ShownDesign(image_), 1);
}

TEST_F(CatalogTest, BrokenIndexReadsSafely) {
    ReadCatalog(files_.Index());
    EXPECT_EQ(GroupCount, 0);
    for (const char* count : {"abc", "-4"}) {
        files_.Groups({"a"}, count);
        ReadCatalog(files_.Index());
        EXPECT_EQ(GroupCount, 0) << count;
    }
    files_.Groups({"a"}, "2000000000");
    files_.Group("a", 1);
    ReadCatalog(files_.Index());
    EXPECT_GE(GroupCount, 1);
    EXPECT_EQ(Groups[0].ItemCount, 1);
}

TEST_F(CatalogTest, ArrowsAndGroupButtonsWrap) {
    files_.Groups({"g0", "g1", "g2", "g3"});
    files_.Group("g0", 3);
    for (const char* name : {"g1", "g2", "g3"})
        files_.Group(name, 2);
    ReadCatalog(files_.Index());
    ShowMiniatures();
    EXPECT_EQ(label_.text(), "g0");
    EXPECT_EQ(ShownDesign(image_), 0);
    for (int expected : {1, 2, 0}) {
        NextCatalogItem();
        EXPECT_EQ(CurrentItem, expected);
        EXPECT_EQ(ShownDesign(image_), expected);
    }
    PrevCatalogItem();
    EXPECT_EQ(CurrentItem, 2);
    PrevCatalogGroup();
    EXPECT_EQ(CurrentGroup, 3);
    NextCatalogItem();
    NextCatalogGroup();
    EXPECT_EQ(CurrentGroup, 0);
    EXPECT_EQ(CurrentItem, 0);
    EXPECT_EQ(label_.text(), "g0");
}

TEST_F(CatalogTest, EmptyCatalogAndEmptyGroupShowNothing) {
    PhotoWidth = PhotoHeight = 100;
    ToolMode = Tool::Paint;
    ShowMiniatures();
    NextCatalogGroup();
    PrevCatalogItem();
    Image2Click();
    EXPECT_EQ(label_.text(), "");
    EXPECT_FALSE(image_.HasPicture());
    files_.Groups({"empty", "full"});
    files_.Group("empty", 0);
    files_.Group("full", 1);
    ReadCatalog(files_.Index());
    NextCatalogGroup();
    EXPECT_TRUE(image_.HasPicture());
    NextCatalogGroup();
    NextCatalogItem();
    Image2Click();
    EXPECT_EQ(label_.text(), "empty");
    EXPECT_FALSE(image_.HasPicture());
    EXPECT_EQ(LastLayer, -1);
    EXPECT_EQ(ToolMode, Tool::Move) << "a click on the miniature selects Move even so";
}

TEST(TattooCorners, CentredAtHalfSizeWhateverTheZoom) {
    TLayerCorner c[4];
    PlaceTattooCorners(512, 512, {0, 0, CanvasWidth, CanvasHeight, 0, 0, 1.0f}, c);
    const float expected[4][4] = {
        {85.5f, 386, 0, 0}, {341.5f, 386, 1, 0}, {341.5f, 130, 1, 1}, {85.5f, 130, 0, 1}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(c[k].X, expected[k][0]);
        EXPECT_FLOAT_EQ(c[k].Y, expected[k][1]);
        EXPECT_FLOAT_EQ(c[k].U, expected[k][2]);
        EXPECT_FLOAT_EQ(c[k].V, expected[k][3]);
    }
    PlaceTattooCorners(256, 128, {0, 0, CanvasWidth, CanvasHeight, 0, 0, 1.0f}, c);
    EXPECT_FLOAT_EQ(c[0].U, 0.25f);
    EXPECT_FLOAT_EQ(c[1].U, 0.75f);
    EXPECT_FLOAT_EQ(c[0].V, 0.375f);
    EXPECT_FLOAT_EQ(c[2].V, 0.625f);
    PlaceTattooCorners(512, 512, {40, 10, CanvasWidth, CanvasHeight, 0, 0, 0.5f}, c);
    EXPECT_FLOAT_EQ(c[1].X - c[0].X, 512);
    EXPECT_FLOAT_EQ(c[0].Y - c[3].Y, 512);
    EXPECT_FLOAT_EQ((c[0].X + c[1].X) / 2, (40 + 213.5f) / 0.5f);
    // A photo smaller than the canvas: the canvas transform adds the centring
    // offsets back, so the tattoo's middle lands in the canvas's middle.
    PlaceTattooCorners(200, 200, {0, 0, CanvasWidth, CanvasHeight, 63.5f, 156, 0.8f}, c);
    EXPECT_FLOAT_EQ((c[0].X + c[1].X) / 2 * 0.8f + 63.5f, 213.5f);
    EXPECT_FLOAT_EQ((c[0].Y + c[3].Y) / 2 * 0.8f + 156, 258);
}

class CatalogGl : public GlFixture {
  protected:
    void SetUp() override {
        GlFixture::SetUp();
        PhotoWidth = PhotoHeight = 300;
        ToolMode = Tool::Blend;
        LangStrings[40] = "Error";
        LangStrings[80] = "Design unreadable";
        files_.Groups({"g"});
        files_.Group("g", 2);
        ReadCatalog(files_.Index());
    }
    void TearDown() override {
        ResetCatalog();
        ResetSceneState();
        ContentMessageBox = ShowMessageBox;
        GlFixture::TearDown();
    }
    CatalogFiles files_;
};

TEST_F(CatalogGl, SameDesignTwiceReadsItsPictureOnce) {
    files_.Design("g", 0);
    Image2Click();
    ASSERT_EQ(LastLayer, 0);
    EXPECT_EQ(ToolMode, Tool::Move);
    const TTattooLayer& layer = Layers[0];
    EXPECT_TRUE(layer.Visible);
    EXPECT_EQ(layer.Alpha, 255);
    EXPECT_EQ(layer.Item, 0);
    // On the canvas, where the 300-pixel photo is centred 63.5 pixels in.
    EXPECT_FLOAT_EQ(layer.Corners[0].X + 63.5f, 85.5f);
    EXPECT_TRUE(glIsTexture(layer.Texture));
    std::remove(files_.DesignPath("g", 0).c_str());
    Image2Click();
    ASSERT_EQ(LastLayer, 1);
    EXPECT_EQ(Layers[1].Texture, Layers[0].Texture);
}

TEST_F(CatalogGl, UnreadableDesignAddsNoLayerUntilRepaired) {
    std::vector<std::string> shown;
    ContentMessageBox = [&](const std::string& text, const std::string& caption,
                            MessageButtons buttons, MessageIcon icon) {
        EXPECT_EQ(buttons, MessageButtons::Ok);
        EXPECT_EQ(icon, MessageIcon::Error);
        shown.push_back(caption + ": " + text);
        return MessageAnswer::Ok;
    };
    AddTattoo(1);
    EXPECT_EQ(LastLayer, -1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Error: Design unreadable");
    EXPECT_FALSE(Groups[0].Items[1].Loaded);
    files_.Design("g", 1);
    AddTattoo(1);
    EXPECT_EQ(LastLayer, 0);
    EXPECT_TRUE(Groups[0].Items[1].Loaded);
    PhotoWidth = 0;
    AddTattoo(1);
    EXPECT_EQ(LastLayer, 0);
}

TEST_F(CatalogGl, BrokenMiniatureSlotDoesNothing) {
    int messages = 0;
    ContentMessageBox = [&](const std::string&, const std::string&, MessageButtons, MessageIcon) {
        ++messages;
        return MessageAnswer::Ok;
    };
    files_.Design("g", 0);
    std::filesystem::resize_file(files_.Data("g/d0.jpg"), 100);
    ReadCatalog(files_.Index());
    Image2Click();
    EXPECT_EQ(LastLayer, -1);
    EXPECT_EQ(messages, 0);
}

TEST_F(CatalogGl, DesignsWithoutAUsableSizeAreRefused) {
    std::vector<std::string> shown;
    ContentMessageBox = [&](const std::string& text, const std::string&, MessageButtons,
                            MessageIcon) {
        shown.push_back(text);
        return MessageAnswer::Ok;
    };
    files_.Group("g", 2, "pic1w=0\npic2h=-5\n");
    ReadCatalog(files_.Index());
    files_.Design("g", 0);
    files_.Design("g", 1);
    AddTattoo(0);
    AddTattoo(1);
    files_.Group("g", 2, "pic1w=2049\n");
    ReadCatalog(files_.Index());
    AddTattoo(0);
    QImage wide(2049, 2, QImage::Format_RGBA8888);
    wide.fill(Qt::red);
    wide.save(QString::fromStdString(files_.DesignPath("g", 1)), "PNG");
    AddTattoo(1);
    EXPECT_EQ(LastLayer, -1);
    ASSERT_EQ(shown.size(), 4u);
    for (const std::string& text : shown)
        EXPECT_EQ(text, "Design unreadable");
    files_.Group("g", 2, "pic1w=2048\npic1h=1\n");
    ReadCatalog(files_.Index());
    AddTattoo(0);
    EXPECT_EQ(LastLayer, 0);
}

TEST_F(CatalogGl, DesignsShowUprightWithOrWithoutAlpha) {
    files_.TwoColourDesign("g", 0, QImage::Format_RGB888);
    files_.TwoColourDesign("g", 1, QImage::Format_RGBA8888);
    for (int k = 0; k < 2; ++k) {
        SCOPED_TRACE(k == 0 ? "RGB" : "RGBA");
        AddTattoo(k);
        ASSERT_EQ(LastLayer, k);
        glClear(GL_COLOR_BUFFER_BIT);
        const TattooPlace view = CurrentTattooPlace();
        ASSERT_TRUE(DrawLayerMesh(Layers[k].Texture, Layers[k].Corners, 255, 255, 255, 255,
                                  view.CenterX - PanX, view.CenterY - PanY));
        // Shown 256 pixels large about the canvas's middle, (213.5, 258).
        EXPECT_EQ(Pixel(213, 180)[0], 255);
        EXPECT_EQ(Pixel(213, 180)[2], 0);
        EXPECT_EQ(Pixel(213, 340)[0], 0);
        EXPECT_EQ(Pixel(213, 340)[2], 255);
    }
}
