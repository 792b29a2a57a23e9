#include "ui/save_picture_dialog.h"

#include <QFileInfo>

#include "content/session_file.h"
#include "platform/language.h"
#include "platform/message_box.h"

namespace {

constexpr int TextQuestionCaption = 40;
constexpr int TextReplaceFile = 94;

// In the order of PictureFileType; the first is selected when it opens.
// The session comes last, after the picture types.
const QStringList SavePictureFilters = {"JPEG Image File (*.jpg)", "Bitmaps (*.bmp)",
                                        "PNG Image File (*.png)", "Velmora session (*.ora)"};
constexpr int SessionFilter = 3;

PictureFileType FilterType(int index) {
    return index == 1   ? PictureFileType::Bmp
           : index == 2 ? PictureFileType::Png
                        : PictureFileType::Jpeg;
}

QString DefaultSuffix(PictureFileType type) {
    return QString(ExtensionOf(type)).mid(1);
}

bool ReplaceConfirmed(QWidget* owner, const QString& path) {
    const QString text =
        QString::fromStdString(Lang(TextReplaceFile)).replace("%1", QFileInfo(path).fileName());
    return ShowOwnedMessageBox(owner, text.toStdString(), Lang(TextQuestionCaption),
                               MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::Yes;
}

} // namespace

SavePictureDialog::SavePictureDialog(QWidget* parent, const QString& folder) : QFileDialog(parent) {
    setObjectName("SaveDialog1");
    setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    setNameFilters(SavePictureFilters);
    selectNameFilter(SavePictureFilters.first());
    if (!folder.isEmpty()) setDirectory(folder);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setDefaultSuffix(DefaultSuffix(PictureFileType::Jpeg));
    connect(this, &QFileDialog::filterSelected, this, [this] {
        setDefaultSuffix(ChosenSession() ? QString(SessionSuffix).mid(1)
                                         : DefaultSuffix(ChosenType()));
    });
}

void SavePictureDialog::SelectSessionFilter() {
    selectNameFilter(SavePictureFilters[SessionFilter]);
    setDefaultSuffix(QString(SessionSuffix).mid(1));
}

bool SavePictureDialog::ChosenSession() const {
    return SavePictureFilters.indexOf(selectedNameFilter()) == SessionFilter;
}

PictureFileType SavePictureDialog::ChosenType() const {
    return FilterType(SavePictureFilters.indexOf(selectedNameFilter()));
}

SaveTarget SavePictureDialog::Target() const {
    const QStringList files = selectedFiles();
    if (files.isEmpty()) return {};
    const std::string typed = files.first().toStdString();
    // As for pictures, a known extension decides whatever filter was chosen.
    const bool sessionName = LowerExtension(typed) == SessionSuffix;
    if (sessionName || (ChosenSession() && !TypeOfFileName(typed))) {
        std::string path = typed;
        if (!sessionName) path += SessionSuffix;
        return {path, PictureFileType::Png, true};
    }
    return ChooseSaveTarget(typed, ChosenType());
}

// A folder typed or chosen is opened by the dialog itself, as always.
void SavePictureDialog::AcceptTarget() {
    const QStringList files = selectedFiles();
    if (files.size() == 1 && !QFileInfo(files.first()).isDir()) {
        const QString target = QString::fromStdString(Target().Path);
        if (QFileInfo::exists(target) && !ReplaceConfirmed(this, target)) return;
    }
    QFileDialog::accept();
}
