#include "tests/ui/main_form_fixture.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "content/content_messages.h"
#include "content/own_designs.h"
#include "platform/language.h"
#include "platform/picture_control.h"
#include "platform/shell_open.h"
#include "scene/scene_state.h"
#include "ui/button_skins.h"
#include "ui/button_table.h"

namespace {

QImage Solid(QRgb colour) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

std::unique_ptr<TMainForm> Form;

// The window goes before the application object does.
class CloseSharedForm : public ::testing::Environment {
  public:
    void TearDown() override { Form.reset(); }
};
const auto* const Closer = ::testing::AddGlobalTestEnvironment(new CloseSharedForm);

} // namespace

const QImage PressedSkin = Solid(qRgb(220, 10, 10));
const QImage NormalSkin = Solid(qRgb(10, 220, 10));
const QImage HoverSkin = Solid(qRgb(10, 10, 220));

TMainForm& SharedMainForm() {
    if (!Form) {
        ProgramFolder = VELMORA_BIN_DIR "/";
        ScreenWidth = 1280;
        ScreenHeight = 1024;
        // A photo or catalog problem must not wait for someone to press OK.
        ContentMessageBox = [](const std::string&, const std::string&, MessageButtons,
                               MessageIcon) { return MessageAnswer::Ok; };
        Form = std::make_unique<TMainForm>();
        Form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    }
    return *Form;
}

void MainFormTest::SetUp() {
    ASSERT_EQ(MainForm, &form_);
    for (int index = 1; index < ButtonSkinPlaces; ++index)
        if (FindImageButton(index)) ButtonSkins[index] = {PressedSkin, NormalSkin, HoverSkin};
    ToolMode = Tool::Move;
    SelectionClosed = true;
    SelectionLast = 0;
    HoverButton = 0;
    LastHoverId = -1;
    ButtonsImages(0, true);
    TerminateApplication = [this] { ++terminations_; };
    ShellOpenInterceptor = [this](const std::string& target) {
        opened_.push_back(target);
        return true;
    };
}

void MainFormTest::TearDown() {
    // A design still being imported would land in the next test's catalog.
    constexpr int ImportWaitMs = 30000;
    EXPECT_TRUE(QTest::qWaitFor([this] { return !form_.ImportingDesign(); }, ImportWaitMs));
    ForgetOwnDesigns();
    TerminateApplication = [] {};
    ShellOpenInterceptor = nullptr;
    form_.WindowDragging = false;
}

const QImage& MainFormTest::Shown(const char* control) {
    return SharedMainForm().ImageButton(control)->Picture();
}

void MainFormTest::HoverControl(QWidget* control) {
    MovePointer(control, control->rect().center());
}

bool MainFormTest::Drop(const QString& file, QPoint at) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&form_, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&form_, &drop);
    QCoreApplication::processEvents();
    return enter.isAccepted();
}

void MainFormTest::MovePointer(QWidget* control, QPoint point) {
    // Sent straight to the control rather than by moving the display's real
    // pointer, which tests running side by side on one display would share.
    QMouseEvent move(QEvent::MouseMove, QPointF(point), QPointF(control->mapToGlobal(point)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(control, &move);
}

void MainFormTest::ClickControl(QWidget* control, Qt::MouseButton button) {
    HoverControl(control);
    QTest::mouseClick(control, button, {}, control->rect().center());
    QCoreApplication::processEvents();
}

void WhenDialogOpens(const QString& name, std::function<void(QDialog*)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, name, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != name || !dialog->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        act(dialog);
    });
    timer->start(10);
}

namespace {

constexpr int ActivationWaitMs = 1000;
// How long a typed name may take to confirm the dialog before it is
// confirmed the way a click on its button would.
constexpr int ConfirmWaitMs = 3000;
constexpr const char* TypingProperty = "velmoraTyping";

// With tests in parallel on one display, another window may hold the
// keyboard while the keys are sent, and the dialog would wait for ever. A
// dialog still open and on top, with no later typing into it, is confirmed
// with the name as a click on its button would.
void ConfirmIfKeysWereLost(QFileDialog* dialog, QLineEdit* edit, const QString& name) {
    const int typing = dialog->property(TypingProperty).toInt() + 1;
    dialog->setProperty(TypingProperty, typing);
    QTimer::singleShot(ConfirmWaitMs, dialog, [dialog, edit, name, typing] {
        if (!dialog->isVisible() || QApplication::activeModalWidget() != dialog ||
            dialog->property(TypingProperty).toInt() != typing)
            return;
        edit->setText(name);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

} // namespace

// The name box's completer is taken away first: it completes from a folder
// listing that arrives later and may change the text or take the Return
// meanwhile. The dialog is made the active window, since it takes a name
// typed into its box only then.
void TypeFileName(QDialog* fileDialog, const QString& path) {
    auto* dialog = qobject_cast<QFileDialog*>(fileDialog);
    ASSERT_NE(dialog, nullptr);
    auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(edit, nullptr);
    dialog->setDirectory(QFileInfo(path).absolutePath());
    edit->setCompleter(nullptr);
    dialog->activateWindow();
    // Another program's window on a shared display may keep the activation;
    // the name then usually still arrives, and the caller sees whether.
    [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(dialog, ActivationWaitMs);
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, QFileInfo(path).fileName());
    QTest::keyClick(edit, Qt::Key_Return);
    ConfirmIfKeysWereLost(dialog, edit, QFileInfo(path).fileName());
}
