#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include "content/autosave.h"
#include "content/session_open.h"
#include "platform/language.h"
#include "platform/message_box.h"
#include "tools/brush_size.h"
#include "ui/button_skins.h"
#include "ui/dialog_folders.h"
#include "ui/main_form.h"
#include "ui/save_picture_dialog.h"
#include "ui/swatch_colours.h"

namespace {

constexpr int TextQuestionCaption = 40;
constexpr int TextQuitQuestion = 50;
constexpr int TextRestoreQuestion = 60;
constexpr int TextSaveSessionButton = 61;

enum class QuitAnswer { Quit, Stay, SaveFirst };

// The quit question as it always is, with the saving button beside its own.
QuitAnswer AskQuit(bool offerSave) {
    QMessageBox box;
    box.setObjectName("QuitQuestion");
    box.setWindowTitle(QString::fromStdString(Lang(TextQuestionCaption)));
    box.setText(QString::fromStdString(Lang(TextQuitQuestion)).replace(QChar('\r'), QChar('\n')));
    box.setIcon(QMessageBox::Question);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    QPushButton* save = nullptr;
    if (offerSave) {
        save = box.addButton(QString::fromStdString(Lang(TextSaveSessionButton)),
                             QMessageBox::AcceptRole);
        save->setObjectName("SaveSessionButton");
    }
    const int answer = box.exec();
    if (save && box.clickedButton() == save) return QuitAnswer::SaveFirst;
    return answer == QMessageBox::Yes ? QuitAnswer::Quit : QuitAnswer::Stay;
}

std::string RestoreQuestion(const QDateTime& written) {
    const QString when = QLocale().toString(written, QLocale::ShortFormat);
    return QString::fromStdString(Lang(TextRestoreQuestion)).replace("%1", when).toStdString();
}

} // namespace

void TMainForm::ShowSessionTools() {
    Edit1->setText(QString::fromStdString(BrushSizeText));
    Edit1Exit();
    int chosen = 0;
    for (int n = 1; n <= SwatchCount && chosen == 0; ++n) {
        const TPaintColor swatch = SwatchColour(n);
        if (swatch.R == PaintColor.R && swatch.G == PaintColor.G && swatch.B == PaintColor.B)
            chosen = n;
    }
    ShowSwatches(chosen);
}

bool TMainForm::QuitConfirmed() {
    switch (AskQuit(SceneUnsaved())) {
    case QuitAnswer::Quit:
        return true;
    case QuitAnswer::Stay:
        return false;
    case QuitAnswer::SaveFirst:
        break;
    }
    SavePictureDialog dialog(this, DialogStartFolder(PictureDialog::Save, QString()));
    dialog.SelectSessionFilter();
    if (dialog.exec() != QDialog::Accepted) return false;
    const SaveTarget target = dialog.Target();
    return !target.Path.empty() && SaveTo(target);
}

// A yes opens the work as the scene and keeps the file as this copy's own
// autosave until the next one; a no removes it, and the next older one is
// offered.
void TMainForm::OfferRecovery() {
    for (const StaleAutosave& stale : FindStaleAutosaves()) {
        const MessageAnswer answer =
            ShowOwnedMessageBox(this, RestoreQuestion(stale.Written), Lang(TextQuestionCaption),
                                MessageButtons::YesNo, MessageIcon::Question);
        if (answer == MessageAnswer::Yes && OpenSessionFile(stale.Path)) {
            AdoptAutosave(stale.Path);
            ShowSessionTools();
            ShowButtonsImages();
            return;
        }
        if (answer == MessageAnswer::No) QFile::remove(QString::fromStdString(stale.Path));
    }
}
