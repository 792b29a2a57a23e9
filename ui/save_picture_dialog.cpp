#include "ui/save_picture_dialog.h"

#include <QFileInfo>

#include "platform/language.h"
#include "platform/message_box.h"

namespace {

constexpr int TextQuestionCaption = 40;
constexpr int TextReplaceFile = 94;

// In the order of PictureFileType; the first is selected when it opens.
const QStringList SavePictureFilters = {"JPEG Image File (*.jpg)", "Bitmaps (*.bmp)",
                                        "PNG Image File (*.png)"};

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
    connect(this, &QFileDialog::filterSelected, this,
            [this] { setDefaultSuffix(DefaultSuffix(ChosenType())); });
}

PictureFileType SavePictureDialog::ChosenType() const {
    return FilterType(SavePictureFilters.indexOf(selectedNameFilter()));
}

SaveTarget SavePictureDialog::Target() const {
    const QStringList files = selectedFiles();
    if (files.isEmpty()) return {};
    return ChooseSaveTarget(files.first().toStdString(), ChosenType());
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
