#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/welcome_screen.h"
#include "content/content_messages.h"
#include "platform/language.h"
#include "platform/picture_control.h"
#include "ui/main_form.h"

namespace {

const QString BinFolder = QStringLiteral(VELMORA_BIN_DIR);

// A stand-in launcher: it notes the folder it was started in.
class LauncherRun : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        launcher_ = folder_.filePath("launcher.sh");
        marker_ = folder_.filePath("started");
        QFile script(launcher_);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        // Written aside and renamed, so the marker never exists half written.
        script.write("#!/bin/sh\npwd > \"$VELMORA_MARKER.part\"\nmv \"$VELMORA_MARKER.part\" "
                     "\"$VELMORA_MARKER\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Starts the program with these arguments; true when it ended by itself
    // within the time allowed.
    bool Run(const QStringList& arguments, int waitMs, const QString& launcher = {}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VELMORA_LAUNCHER", launcher.isEmpty() ? launcher_ : launcher);
        environment.insert("VELMORA_MARKER", marker_);
        // The editor's autosaves stay in the test's folder.
        environment.insert("XDG_STATE_HOME", folder_.filePath("state"));
        process_.setProcessEnvironment(environment);
        process_.start(BinFolder + "/velmora", arguments);
        if (!process_.waitForStarted(5000)) return false;
        const bool ended = process_.waitForFinished(waitMs);
        if (!ended) {
            process_.kill();
            process_.waitForFinished(5000);
        }
        return ended;
    }

    bool LauncherStarted() {
        return QTest::qWaitFor([this] { return QFile::exists(marker_); }, 5000);
    }

    QString LauncherFolder() {
        QFile file(marker_);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : "";
    }

    QTemporaryDir folder_;
    QString launcher_, marker_;
    QProcess process_;
};

TEST_F(LauncherRun, WithoutTheExactFirstArgumentOnlyTheLauncherStarts) {
    const QStringList cases[] = {{},
                                 {"-NOSPLASH"},
                                 {"-nosplash "},
                                 {"nosplash"},
                                 {"--nosplash"},
                                 {"", "-nosplash"},
                                 {"x", "-nosplash"}};
    for (const QStringList& arguments : cases) {
        QFile::remove(marker_);
        ASSERT_TRUE(Run(arguments, 10000)) << arguments.join('|').toStdString();
        EXPECT_EQ(process_.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process_.exitCode(), 0);
        ASSERT_TRUE(LauncherStarted()) << arguments.join('|').toStdString();
        // The launcher runs in the program's own folder.
        EXPECT_EQ(QDir(LauncherFolder()).canonicalPath(), QDir(BinFolder).canonicalPath());
    }
}

TEST_F(LauncherRun, AMissingLauncherIsNamedAndFailsTheStart) {
    const QString missing = folder_.filePath("no-such-launcher");
    ASSERT_TRUE(Run({}, 10000, missing));
    EXPECT_EQ(process_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process_.exitCode(), 1);
    const QString said = QString::fromUtf8(process_.readAllStandardError());
    EXPECT_TRUE(said.contains(missing)) << said.toStdString();
    EXPECT_TRUE(said.contains("-nosplash")) << said.toStdString();
}

TEST_F(LauncherRun, NosplashRunsTheEditorWithOrWithoutAPhoto) {
    for (const QStringList& arguments : {QStringList{"-nosplash"}, QStringList{"-nosplash", "x"}}) {
        EXPECT_FALSE(Run(arguments, 2500)) << "the editor should still be running";
        EXPECT_FALSE(QFile::exists(marker_));
    }
}

TEST(Launcher, StartsTheEditorBesideItselfWithNosplashAndEveryFile) {
    QTemporaryDir folder;
    ASSERT_TRUE(QFile::copy(BinFolder + "/splash", folder.filePath("splash")));
    QFile::setPermissions(folder.filePath("splash"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile editor(folder.filePath("velmora"));
    ASSERT_TRUE(editor.open(QIODevice::WriteOnly));
    editor.write("#!/bin/sh\nranfile=\"$(dirname \"$0\")/ran\"\n"
                 "echo \"$*|$(pwd)\" > \"$ranfile.part\" && mv \"$ranfile.part\" \"$ranfile\"\n");
    editor.close();
    editor.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // The files are handed on as absolute paths: the editor runs in the
    // program's folder, not in the caller's.
    QProcess splash;
    splash.setWorkingDirectory(QDir::tempPath());
    splash.start(folder.filePath("splash"), {"arm.jpg", "/photos/leg.png"});
    ASSERT_TRUE(splash.waitForFinished(10000));
    EXPECT_EQ(splash.exitCode(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(folder.filePath("ran")); }, 5000));
    QFile ran(folder.filePath("ran"));
    ASSERT_TRUE(ran.open(QIODevice::ReadOnly));
    const QStringList parts = QString::fromUtf8(ran.readAll()).trimmed().split('|');
    ASSERT_EQ(parts.size(), 2);
    EXPECT_EQ(parts[0],
              "-nosplash " + QDir::temp().absoluteFilePath("arm.jpg") + " /photos/leg.png");
    EXPECT_EQ(QDir(parts[1]).canonicalPath(), QDir(folder.path()).canonicalPath());
}

TEST(WelcomeUnrolling, GrowsBySevenAndStopsBelowTheFullHeight) {
    int32_t height = 1;
    int steps = 1;
    while (const int32_t next = NextWelcomeHeight(height, 283)) {
        EXPECT_EQ(next, height + 7);
        height = next;
        ++steps;
    }
    EXPECT_EQ(height, 281);
    EXPECT_EQ(steps, 41);
    EXPECT_EQ(NextWelcomeHeight(275, 283), 282);
    EXPECT_EQ(NextWelcomeHeight(276, 283), 0);
}

class WelcomeScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetLanguage();
        ContentMessageBox = [](const std::string&, const std::string&, MessageButtons,
                               MessageIcon) { return MessageAnswer::Ok; };
        TerminateApplication = [] {};
    }
    void TearDown() override { ResetLanguage(); }
};

TEST_F(WelcomeScreen, CreationSetsTheProgramValuesAndRollsUp) {
    TWScreen welcome;
    EXPECT_EQ(QDir(QString::fromStdString(ProgramFolder)).canonicalPath(),
              QDir(BinFolder).canonicalPath());
    EXPECT_EQ(ProgramFolder.back(), '/');
    EXPECT_GT(ScreenWidth, 0);
    EXPECT_GT(ScreenHeight, 0);
    EXPECT_EQ(WelcomeFullHeight, 283);
    EXPECT_EQ(welcome.size(), QSize(400, 1));
    // Centred with the full height, so it unrolls downward from there.
    EXPECT_EQ(welcome.pos(), QPoint((ScreenWidth - 400) / 2, (ScreenHeight - 283) / 2));
    EXPECT_EQ(welcome.Label2->geometry(), QRect(8, 263, 68, 13));
    EXPECT_FALSE(welcome.Label2->wordWrap());
    EXPECT_EQ(welcome.Label2->text().toStdString(), Lang(80));
    EXPECT_EQ(welcome.windowTitle().toStdString(), Lang(1));
    EXPECT_TRUE(welcome.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(welcome.Timer1->isActive());
}

TEST_F(WelcomeScreen, UnrollsThenBuildsAndShowsTheEditor) {
    TWScreen welcome;
    welcome.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return welcome.Timer1->isActive(); }, 10000));
    EXPECT_EQ(welcome.height(), 281);
    EXPECT_EQ(welcome.MainWindow(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return welcome.MainWindow() != nullptr; }, 3000));
    TMainForm* editor = welcome.MainWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor->isVisible() && welcome.isHidden(); }, 3000));
    EXPECT_EQ(editor->windowTitle().toStdString(), Lang(1));
    EXPECT_EQ(editor->ImageButton("bclose")->toolTip().toStdString(), Lang(10));
    // Later paints must not build a second editor.
    QTest::qWait(1200);
    EXPECT_EQ(welcome.MainWindow(), editor);
    EXPECT_FALSE(welcome.Timer1->isActive());
}

} // namespace
