#include "ui/photo_preview.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QLayout>
#include <QSplitter>
#include <QTimer>

#include "content/photo_loader.h"
#include "platform/language.h"

namespace {

constexpr int TextNoPreview = 98;
constexpr int PreviewSide = 220;
// Room for the list beside the preview.
constexpr QSize DialogWithPreviewSize(860, 460);
// Highlights that move on within this time are never decoded.
constexpr int PreviewDelayMs = 120;
// Decoding stays around a tenth of a second up to this size (a 24
// megapixel camera photo); larger pictures are not previewed.
constexpr qint64 MaxPreviewPixels = 6000LL * 4000LL;

// The header's size alone, without decoding the pixels.
bool QuickToDecode(const QString& path) {
    const QSize size = QImageReader(path).size();
    return size.isValid() && qint64(size.width()) * size.height() <= MaxPreviewPixels;
}

QImage PreviewPicture(const QString& path) {
    Picture picture;
    if (!QuickToDecode(path) || !ReadPhotoPicture(path.toStdString(), picture)) return {};
    QImage image = QImageFromPicture(picture);
    if (image.width() > PreviewSide || image.height() > PreviewSide)
        image =
            image.scaled(PreviewSide, PreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace

PhotoPreview::PhotoPreview(QWidget* parent) : QLabel(parent) {
    setObjectName("PhotoPreview");
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setMinimumSize(PreviewSide, PreviewSide);
    setFrameShape(QFrame::StyledPanel);
    delay_ = new QTimer(this);
    delay_->setSingleShot(true);
    delay_->setInterval(PreviewDelayMs);
    connect(delay_, &QTimer::timeout, this, [this] { ShowPending(); });
}

void PhotoPreview::PreviewFile(const QString& path) {
    pending_ = QFileInfo(path).isFile() ? path : QString();
    delay_->start();
}

void PhotoPreview::ShowPending() {
    if (pending_ == shown_) return;
    shown_ = pending_;
    clear();
    if (shown_.isEmpty()) return;
    const QImage picture = PreviewPicture(shown_);
    if (picture.isNull())
        setText(QString::fromStdString(Lang(TextNoPreview)));
    else
        setPixmap(QPixmap::fromImage(picture));
}

PhotoPreview* AddPhotoPreview(QFileDialog& dialog) {
    auto* splitter = dialog.findChild<QSplitter*>("splitter");
    auto* preview = new PhotoPreview(splitter ? static_cast<QWidget*>(splitter) : &dialog);
    if (splitter) {
        splitter->addWidget(preview);
        splitter->setStretchFactor(splitter->indexOf(preview), 0);
    } else if (dialog.layout())
        dialog.layout()->addWidget(preview);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview,
                     [preview](const QString& path) { preview->PreviewFile(path); });
    dialog.resize(dialog.size().expandedTo(DialogWithPreviewSize));
    return preview;
}
