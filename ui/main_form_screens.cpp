#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>
#include <QWindow>

#include "platform/language.h"
#include "platform/picture_control.h"
#include "platform/resources.h"
#include "scene/scene_state.h"
#include "ui/about_form.h"
#include "ui/canvas_widget.h"
#include "ui/help_window.h"
#include "ui/main_form.h"

namespace {

constexpr int LogoBlinkTicks = 6;

// The help file beside the program, or an empty text when there is none.
std::string AvailableHelpFile() {
    if (HelpFileName.empty()) return {};
    const std::string path = ProgramFolder + HelpFileName;
    return QFileInfo(QString::fromStdString(path)).isFile() ? path : std::string();
}

} // namespace

// The screen covers every picture control of the window; the canvas and the
// edit are windowed and would stay above it, so they are hidden meanwhile.
void TMainForm::OpenInformationScreen(const char* resource) {
    const QImage page = ResourceBitmap(resource);
    TextScreen->SetPicture(page);
    // Without its page the screen still covers the window, so it can be closed.
    TextScreen->resize(page.isNull() ? size() : page.size());
    TextScreen->show();
    Panel1->hide();
    Edit1->hide();
}

void TMainForm::BhistoryClick() {
    OpenInformationScreen("SCREEN_HISTORY");
}

void TMainForm::bHygieneClick() {
    OpenInformationScreen("SCREEN_HIGIENA");
}

void TMainForm::TextScreenClick() {
    TextScreen->hide();
    Panel1->show();
    Edit1->show();
}

void TMainForm::Button11Click() {
    ShowHelpWindow("");
}

// The help is shown in the program's own window rather than handed to the
// desktop, which may have no browser for it. The window is made on first use
// and kept, centred on the editor.
void TMainForm::ShowHelpWindow(const std::string& place) {
    const std::string help = AvailableHelpFile();
    if (help.empty()) return;
    if (!helpWindow_) {
        helpWindow_ = std::make_unique<HelpWindow>();
        helpWindow_->move(geometry().center() - helpWindow_->rect().center());
    }
    helpWindow_->ShowHelp(help, place);
}

// The About window is reached only with the Blend tool, no photo and no help
// file: otherwise the double click's first click has opened the help.
void TMainForm::bhelpDblClick() {
    if (ToolMode != Tool::Blend || PhotoWidth != 0 || PhotoHeight != 0) return;
    if (!AvailableHelpFile().empty()) return;
    aboutForm_ = std::make_unique<TAboutForm>();
    aboutForm_->winId();
    if (QWindow* window = aboutForm_->windowHandle()) window->setTransientParent(windowHandle());
    aboutForm_->show();
    setEnabled(false);
    AboutCloseHandler = [this] { EnabledTrue(); };
}

void TMainForm::EnabledTrue() {
    setEnabled(true);
}

void TMainForm::Timer2Timer() {
    if (LogoBlinkCount >= LogoBlinkTicks) {
        Timer2->stop();
        return;
    }
    ++LogoBlinkCount;
    Image7->setVisible(Image7->isHidden());
}

// After the blinking the logo lights under the pointer; while it blinks the
// pointer leaves it alone.
void TMainForm::Image7MouseMove() {
    if (!Timer2->isActive() && Image7->isHidden()) Image7->show();
}

void TMainForm::HideLogoHighlight() {
    if (!Timer2->isActive() && !Image7->isHidden()) Image7->hide();
}

void TMainForm::Label2Click() {
    OpenHelpAbout();
}

void OpenHelpAbout() {
    if (MainForm) MainForm->ShowHelpWindow("about");
}
