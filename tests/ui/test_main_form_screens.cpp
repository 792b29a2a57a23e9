#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

#include "platform/language.h"
#include "platform/picture_control.h"
#include "scene/scene_state.h"
#include "tests/ui/main_form_fixture.h"
#include "ui/about_form.h"
#include "ui/button_skins.h"
#include "ui/canvas_widget.h"
#include "ui/drag_surface.h"
#include "ui/help_window.h"

namespace {

using InformationScreens = MainFormTest;

TEST_F(InformationScreens, AScreenCoversTheWindowAndAClickAnywhereClosesIt) {
    for (const char* opener : {"Bhistory", "bHygiene"}) {
        ClickControl(form_.ImageButton(opener));
        ASSERT_TRUE(form_.TextScreen->isVisible()) << opener;
        EXPECT_EQ(form_.TextScreen->geometry(), QRect(0, 0, 850, 650));
        EXPECT_FALSE(form_.Panel1->isVisible());
        EXPECT_FALSE(form_.Edit1->isVisible());
        // The close button lies under the screen: the click only closes it.
        EXPECT_EQ(form_.childAt(830, 18), form_.TextScreen);
        QTest::mouseClick(form_.TextScreen, Qt::LeftButton, {}, QPoint(830, 18));
        EXPECT_FALSE(form_.TextScreen->isVisible());
        EXPECT_TRUE(form_.Panel1->isVisible());
        EXPECT_TRUE(form_.Edit1->isVisible());
        EXPECT_EQ(terminations_, 0);
    }
}

// The editor's keys would act on the hidden canvas; a dialog any of them
// opened is counted and closed.
TEST_F(InformationScreens, BehindAScreenOnlyEscapeWorksAndClosesIt) {
    int dialogs = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&dialogs] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            ++dialogs;
            modal->reject();
        }
    });
    watch.start(10);
    ClickControl(form_.ImageButton("Bhistory"));
    ASSERT_TRUE(form_.TextScreen->isVisible());
    const int32_t layers = LastLayer;
    const QKeySequence keys[] = {QKeySequence::Open,          QKeySequence::Save,
                                 QKeySequence::Print,         QKeySequence::Quit,
                                 QKeySequence(Qt::Key_X),     QKeySequence(Qt::Key_L),
                                 QKeySequence(Qt::Key_Delete)};
    for (const QKeySequence& key : keys) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keySequence(focus ? focus : &form_, key);
        EXPECT_EQ(ToolMode, Tool::Move) << key.toString().toStdString();
        EXPECT_TRUE(form_.TextScreen->isVisible()) << key.toString().toStdString();
    }
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(LastLayer, layers);
    EXPECT_EQ(terminations_, 0);
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &form_, Qt::Key_Escape);
    EXPECT_FALSE(form_.TextScreen->isVisible());
    EXPECT_TRUE(form_.Panel1->isVisible());
}

using Logo = MainFormTest;

TEST_F(Logo, BlinksThreeTimesThenStopsAndIgnoresThePointerMeanwhile) {
    form_.Timer2->start();
    form_.LogoBlinkCount = 0;
    form_.Image7->hide();
    const bool expected[] = {true, false, true, false, true, false};
    for (bool visible : expected) {
        form_.Image7MouseMove();
        FormMouseMove();
        form_.Timer2Timer();
        EXPECT_EQ(!form_.Image7->isHidden(), visible);
        EXPECT_TRUE(form_.Timer2->isActive());
    }
    form_.Timer2Timer();
    EXPECT_FALSE(form_.Timer2->isActive());
    EXPECT_TRUE(form_.Image7->isHidden());
}

TEST_F(Logo, AfterBlinkingItLightsUnderThePointerUntilTheBackgroundIsReached) {
    form_.Timer2->stop();
    form_.Image7->hide();
    HoverControl(form_.Label2);
    EXPECT_TRUE(form_.Image7->isVisible());
    HoverControl(form_.ImageButton("bhelp")); // straight onto a button: stays lit
    EXPECT_TRUE(form_.Image7->isVisible());
    MovePointer(form_.Label1, QPoint(5, 640));
    EXPECT_FALSE(form_.Image7->isVisible());
    HoverControl(form_.Label2);
    HoverControl(form_.Image2); // the catalog miniature counts as background
    EXPECT_FALSE(form_.Image7->isVisible());
}

// Help and About, with a folder of our own standing for the program's.
class HelpAndAbout : public MainFormTest {
  protected:
    void SetUp() override {
        MainFormTest::SetUp();
        savedFolder_ = ProgramFolder;
        ProgramFolder = folder_.path().toStdString() + "/";
        savedWidth_ = PhotoWidth;
        savedHeight_ = PhotoHeight;
    }
    void TearDown() override {
        if (form_.AboutForm()) form_.AboutForm()->close();
        if (form_.HelpForm()) form_.HelpForm()->hide();
        ProgramFolder = savedFolder_;
        HelpFileName.clear();
        PhotoWidth = savedWidth_;
        PhotoHeight = savedHeight_;
        MainFormTest::TearDown();
    }
    // A help of two pages, linked to each other and to the web.
    void WriteHelpFile() {
        Write("guide.html", "<p><a href=\"more.html#end\">more</a> <a "
                            "href=\"https://example.org/\">web</a></p><h2 id=\"about\">About</h2>");
        Write("more.html", "<p>second</p><p id=\"end\">end</p>");
    }
    void Write(const char* name, const char* text) {
        QFile file(folder_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    // The page and place the help window shows; empty while it is hidden.
    QString HelpShown() const {
        const HelpWindow* help = form_.HelpForm();
        if (!help || !help->isVisible()) return {};
        return help->Browser()->source().toString();
    }
    QString HelpPage(const char* page) const {
        return QUrl::fromLocalFile(folder_.filePath(page)).toString();
    }
    // Clicks the link in the help window, where it is drawn.
    void ClickHelpLink(const QString& href) {
        QTextBrowser* browser = form_.HelpForm()->Browser();
        for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
            for (auto part = block.begin(); !part.atEnd(); ++part) {
                const QTextFragment fragment = part.fragment();
                if (fragment.charFormat().anchorHref() != href) continue;
                QTextCursor cursor(browser->document());
                cursor.setPosition(fragment.position() + 1);
                const QPoint at = browser->cursorRect(cursor).center();
                QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
                return;
            }
        ADD_FAILURE() << "no link to " << href.toStdString();
    }
    // The state in which a double click may open the About window.
    void AboutState() {
        ToolMode = Tool::Blend;
        PhotoWidth = 0;
        PhotoHeight = 0;
    }

    QTemporaryDir folder_;
    std::string savedFolder_;
    int32_t savedWidth_ = 0, savedHeight_ = 0;
};

// The help shows in the program's own window, so that it shows on a desktop
// without a browser too; only web links leave the program.
TEST_F(HelpAndAbout, HelpShowsAnExistingHelpFileInItsOwnWindowWithWorkingLinks) {
    ClickControl(form_.ImageButton("bhelp"));
    HelpFileName = "guide.html";
    ClickControl(form_.ImageButton("bhelp"));
    EXPECT_EQ(HelpShown(), "");
    WriteHelpFile();
    ClickControl(form_.ImageButton("bhelp"));
    ASSERT_EQ(HelpShown(), HelpPage("guide.html"));
    ClickHelpLink("more.html#end");
    EXPECT_EQ(HelpShown(), HelpPage("more.html") + "#end");
    QTest::mouseClick(form_.HelpForm()->findChild<QPushButton*>("HelpBack"), Qt::LeftButton);
    EXPECT_EQ(HelpShown(), HelpPage("guide.html"));
    ClickHelpLink("https://example.org/");
    EXPECT_EQ(opened_, std::vector<std::string>{"https://example.org/"});
    EXPECT_EQ(HelpShown(), HelpPage("guide.html"));
    QTest::keyClick(form_.HelpForm()->Browser(), Qt::Key_Escape);
    EXPECT_EQ(HelpShown(), "");
}

TEST_F(HelpAndAbout, TheLogoOpensTheHelpAtItsAboutSection) {
    HelpFileName = "guide.html";
    ClickControl(form_.Label2);
    EXPECT_EQ(HelpShown(), "");
    WriteHelpFile();
    ClickControl(form_.Label2);
    EXPECT_EQ(HelpShown(), HelpPage("guide.html") + "#about");
}

TEST_F(HelpAndAbout, ADoubleClickOpensTheHelpOnceAndNeverAboutWhileHelpExists) {
    HelpFileName = "guide.html";
    WriteHelpFile();
    AboutState();
    form_.ShowHelpWindow("");
    form_.HelpForm()->hide();
    int shown = 0;
    const auto count = QObject::connect(form_.HelpForm()->Browser(), &QTextBrowser::sourceChanged,
                                        [&shown] { ++shown; });
    form_.HelpForm()->Browser()->clear();
    PictureControl* bhelp = form_.ImageButton("bhelp");
    HoverControl(bhelp);
    // A double click as the window system delivers it: press, release, the
    // second press as a double click, release.
    const QPoint centre = bhelp->rect().center();
    QTest::mousePress(bhelp, Qt::LeftButton, {}, centre);
    QTest::mouseRelease(bhelp, Qt::LeftButton, {}, centre);
    QTest::mouseDClick(bhelp, Qt::LeftButton, {}, centre);
    QTest::mouseRelease(bhelp, Qt::LeftButton, {}, centre);
    QObject::disconnect(count);
    EXPECT_EQ(shown, 1); // the double click's first click only
    EXPECT_EQ(HelpShown(), HelpPage("guide.html"));
    EXPECT_EQ(form_.AboutForm(), nullptr);
}

TEST_F(HelpAndAbout, AboutNeedsBlendNoPhotoAndNoHelp) {
    AboutState();
    ToolMode = Tool::Move;
    form_.bhelpDblClick();
    EXPECT_EQ(form_.AboutForm(), nullptr);
    AboutState();
    PhotoWidth = 10;
    form_.bhelpDblClick();
    EXPECT_EQ(form_.AboutForm(), nullptr);
}

TEST_F(HelpAndAbout, AboutDisablesTheEditorUntilItCloses) {
    AboutState();
    form_.bhelpDblClick();
    TAboutForm* about = form_.AboutForm();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->size(), QSize(350, 81));
    EXPECT_EQ(about->pos(), QPoint((ScreenWidth - 350) / 2, (ScreenHeight - 81) / 2));
    EXPECT_FALSE(form_.isEnabled());
    EXPECT_TRUE(about->isEnabled());
    for (QLabel* label : {about->Label3, about->Label4, about->Label5})
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
            << label->text().toStdString();
    // The link and the logo take their own clicks and lead to the help's
    // credits once there is a help file; the texts close the window.
    QTest::mouseClick(about->Label4, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(HelpShown(), "");
    HelpFileName = "guide.html";
    WriteHelpFile();
    QTest::mouseClick(about->Label4, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(HelpShown(), HelpPage("guide.html") + "#about");
    form_.HelpForm()->hide();
    QTest::mouseClick(about->Image1, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(HelpShown(), HelpPage("guide.html") + "#about");
    EXPECT_TRUE(about->isVisible());
    QWidget* hit = about->childAt(about->Label3->geometry().center());
    ASSERT_EQ(hit, about->Label6);
    QTest::mouseClick(about->Label6, Qt::LeftButton, {}, about->Label3->geometry().center());
    EXPECT_FALSE(about->isVisible());
    EXPECT_TRUE(form_.isEnabled());
}

} // namespace

namespace {

// The logo and the About window lead to the help's About section, and the
// help speaks to users, not to the developers of the source tree.
TEST(ShippedHelp, HasAnAboutSectionAndNamesNoSourceFiles) {
    QFile help(VELMORA_SOURCE_DIR "/help/velmora-help.html");
    ASSERT_TRUE(help.open(QIODevice::ReadOnly));
    const QByteArray text = help.readAll();
    EXPECT_TRUE(text.contains("id=\"about\""));
    for (const char* source : {"artwork/", "resources/", "make-artwork", "make-content"})
        EXPECT_FALSE(text.contains(source)) << source;
}

} // namespace
