// My designs in the window: imported with Ctrl+I and its file dialog, by a
// drop on the catalog and by a PNG dropped on the canvas; placed like any
// catalog design; removed with Delete over the miniature after a question.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include "content/catalog.h"
#include "content/content_messages.h"
#include "content/own_designs.h"
#include "platform/language.h"
#include "platform/picture_control.h"
#include "scene/scene_state.h"
#include "tests/ui/main_form_fixture.h"
#include "ui/canvas_widget.h"

namespace {

constexpr int ImportWaitMs = 30000;

class OwnDesignsWindow : public MainFormTest {
  protected:
    void SetUp() override {
        MainFormTest::SetUp();
        qputenv("XDG_DATA_HOME", dir_.filePath("data").toUtf8());
        LangStrings[41] = "My designs";
        LangStrings[43] = "Remove %1?";
        ContentMessageBox = [this](const std::string& text, const std::string&,
                                   MessageButtons buttons, MessageIcon) {
            messages_.push_back(text);
            return buttons == MessageButtons::YesNo ? answer_ : MessageAnswer::Ok;
        };
        LastLayer = -1;
    }
    void TearDown() override {
        MainFormTest::TearDown();
        ContentMessageBox = [](auto&&...) { return MessageAnswer::Ok; };
        LangStrings[41].clear();
        LangStrings[43].clear();
        LastLayer = -1;
    }
    // A black ring drawn on grey-white paper.
    QString Drawing(const char* name) const {
        QImage image(400, 300, QImage::Format_RGB888);
        image.fill(QColor(235, 232, 225));
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x)
                if (std::abs(std::hypot(x - 200, y - 150) - 100) < 5)
                    image.setPixel(x, y, qRgb(10, 10, 10));
        image.save(dir_.filePath(name));
        return dir_.filePath(name);
    }
    int OwnCount() const {
        const int group = OwnDesignsGroup();
        return group < 0 ? 0 : Groups[size_t(group)].ItemCount;
    }
    bool Imported(int count) const {
        return QTest::qWaitFor([&] { return !form_.ImportingDesign() && OwnCount() == count; },
                               ImportWaitMs);
    }

    QTemporaryDir dir_;
    std::vector<std::string> messages_;
    MessageAnswer answer_ = MessageAnswer::No;
};

} // namespace

TEST_F(OwnDesignsWindow, ImportedPlacedAndRemoved) {
    const int shipped = GroupCount;
    const QString drawing = Drawing("ring drawing.jpg");
    WhenDialogOpens("ImportDesignDialog", [&](QDialog* dialog) { TypeFileName(dialog, drawing); });
    QTest::keyClick(&form_, Qt::Key_I, Qt::ControlModifier);
    ASSERT_TRUE(Imported(1));
    EXPECT_EQ(GroupCount, shipped + 1);
    EXPECT_EQ(CurrentGroup, shipped) << "the new design is shown";
    EXPECT_EQ(form_.GroupName->text(), "My designs");
    EXPECT_TRUE(form_.Image2->HasPicture());

    // Placed like a shipped design, from its own picture.
    ClickControl(form_.Image2);
    ASSERT_EQ(LastLayer, 0);
    EXPECT_EQ(Layers[0].Group, shipped);
    EXPECT_NE(Layers[0].Texture, 0u);

    // A picture dropped on the catalog and a PNG dropped on the canvas are kept too.
    Drop(Drawing("second.bmp"), form_.Image2->geometry().center());
    ASSERT_TRUE(Imported(2));
    QImage design(60, 40, QImage::Format_ARGB32);
    design.fill(QColor(200, 0, 0, 160));
    design.save(dir_.filePath("design.png"));
    Drop(dir_.filePath("design.png"), form_.Panel1->geometry().center());
    ASSERT_TRUE(Imported(3));
    EXPECT_EQ(LastLayer, 1) << "the PNG is placed at once";
    Drop(dir_.filePath("design.png"), form_.Panel1->geometry().center());
    ASSERT_TRUE(Imported(3)) << "the same picture is kept once";
    EXPECT_EQ(LastLayer, 2);
    EXPECT_EQ(Groups[size_t(shipped)].Items[2].Name, "design");
    EXPECT_TRUE(messages_.empty());

    // The group as kept is read again at the next start, names made safe.
    ForgetOwnDesigns();
    ReadOwnDesigns(OwnDesignsFolder());
    ASSERT_EQ(OwnCount(), 3);
    EXPECT_EQ(Groups[size_t(shipped)].Items[0].Name, "ring_drawing");
    EXPECT_FALSE(Groups[size_t(shipped)].Items[2].Miniature.isNull());

    // Delete over the miniature asks (through the window's own input, not the
    // display's pointer, which tests side by side on one display share);
    // No keeps the design, Yes removes it, and the last one takes the group.
    CurrentGroup = shipped;
    ItemStep = 2;
    ShowMiniatures();
    QTest::mouseMove(form_.windowHandle(), form_.Image2->geometry().center());
    ASSERT_TRUE(form_.PointerOnMiniature());
    QTest::keyClick(&form_, Qt::Key_Delete);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "Remove design?");
    EXPECT_EQ(OwnCount(), 3);
    answer_ = MessageAnswer::Yes;
    QTest::keyClick(&form_, Qt::Key_Delete);
    EXPECT_EQ(OwnCount(), 2);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(OwnDesignsFolder()) + "/design.png"));
    EXPECT_EQ(LastLayer, 2) << "the tattoos made from it stay";
    QTest::keyClick(&form_, Qt::Key_Delete);
    QTest::keyClick(&form_, Qt::Key_Delete);
    EXPECT_EQ(GroupCount, shipped) << "an empty My designs leaves the catalog";
    QTest::keyClick(&form_, Qt::Key_Delete);
    EXPECT_EQ(messages_.size(), 4u) << "shipped designs are not removed";
    QTest::mouseMove(form_.windowHandle(), QPoint(5, 5));
}
