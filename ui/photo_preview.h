#pragma once

#include <QLabel>
#include <QString>

class QFileDialog;
class QTimer;

// The picture highlighted in the Open picture dialog, beside its file list,
// decoded by the program's own photo loader so that it shows what opening
// it would give (EXIF turn included). Only the file the highlight rests on
// is decoded, and only when its header gives a size that decodes quickly:
// running through a folder of camera photos must not stall the dialog.
class PhotoPreview : public QLabel {
  public:
    explicit PhotoPreview(QWidget* parent);

    // Shows this file a moment from now unless another is highlighted first;
    // a folder or an empty path clears the preview.
    void PreviewFile(const QString& path);
    // The file whose picture or message is shown; empty while none is.
    const QString& ShownFile() const { return shown_; }

  private:
    void ShowPending();

    QTimer* delay_ = nullptr;
    QString pending_;
    QString shown_;
};

// Puts a preview into a file dialog of Qt's own, beside its list.
PhotoPreview* AddPhotoPreview(QFileDialog& dialog);
