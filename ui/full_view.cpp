#include "ui/full_view.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/language.h"
#include "scene/scene_state.h"
#include "tools/photo_view.h"
#include "ui/canvas_widget.h"
#include "ui/catalog_overlay.h"

namespace {

constexpr int TextFullViewKeys = 37;
constexpr int TextFullViewTitle = 39;

// Slim: one line of the window's small font with a little room about it.
constexpr int StripHeight = 22;
constexpr int StripMargin = 8;
constexpr int StripSpacing = 24;

struct ToolHint {
    uint8_t Tool;
    int Text;
};

// The tool buttons' hints, which name the tool, its key and its use.
// clang-format off
constexpr ToolHint ToolHints[] = {
    {Tool::Move, 18},        {Tool::Rotate, 15},         {Tool::Scale, 19},
    {Tool::MovePoints, 21},  {Tool::Delete, 22},         {Tool::FlipVertical, 16},
    {Tool::FlipHorizontal, 17}, {Tool::Blend, 20},       {Tool::PhotoMove, 14},
    {Tool::PhotoZoom, 13},   {Tool::Paint, 31},          {Tool::Erase, 32},
    {Tool::Select, 33},      {Tool::SelectionDone, 33},
};
// clang-format on

QLabel* StripLabel(QWidget* parent, const QString& text = {}) {
    auto* label = new QLabel(text, parent);
    label->setStyleSheet("color: white;");
    return label;
}

} // namespace

int ToolHintText(uint8_t tool) {
    for (const ToolHint& hint : ToolHints)
        if (hint.Tool == tool) return hint.Text;
    return 0;
}

FullView::FullView() : QWidget(nullptr, Qt::FramelessWindowHint) {
    setObjectName("FullView");
    setWindowTitle(QString::fromStdString(Lang(TextFullViewTitle)));
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(MakeStrip());
    catalog_ = new CatalogOverlay(this);
}

QWidget* FullView::MakeStrip() {
    auto* strip = new QWidget(this);
    strip->setObjectName("FullViewStrip");
    strip->setFixedHeight(StripHeight);
    strip->setAutoFillBackground(true);
    QPalette palette = strip->palette();
    palette.setColor(QPalette::Window, QColor(24, 24, 24));
    strip->setPalette(palette);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(StripMargin, 0, StripMargin, 0);
    row->setSpacing(StripSpacing);
    toolHint_ = StripLabel(strip);
    // A long hint is cut at the strip's end rather than widening the window
    // past the screen.
    toolHint_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    zoom_ = StripLabel(strip);
    row->addWidget(toolHint_, 1);
    row->addWidget(zoom_);
    row->addWidget(StripLabel(strip, QString::fromStdString(Lang(TextFullViewKeys))));
    return strip;
}

void FullView::TakeCanvas(CanvasWidget* canvas) {
    canvas->setParent(this);
    canvas->setMinimumSize(1, 1);
    canvas->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    canvas->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, canvas, 1);
    // Laid over the canvas, not beside it.
    catalog_->raise();
}

// Set only when a text changes: the strip follows every frame request, and
// most change nothing it shows.
void FullView::RefreshStrip() {
    const QString hint = QString::fromStdString(Lang(ToolHintText(ToolMode)));
    if (toolHint_->text() != hint) toolHint_->setText(hint);
    const QString zoom = QString::fromStdString(ZoomCaption(Zoom) + "%");
    if (zoom_->text() != zoom) zoom_->setText(zoom);
}

void FullView::keyPressEvent(QKeyEvent* event) {
    if (OnKeyDown) OnKeyDown(event);
}

void FullView::closeEvent(QCloseEvent* event) {
    HandleClose(event);
}

// The full view is part of the editor's window: closing it goes back there.
void FullView::HandleClose(QCloseEvent* event) {
    event->ignore();
    if (OnClose) OnClose();
}

void FullView::resizeEvent(QResizeEvent* event) {
    HandleResize(event);
}

void FullView::HandleResize(QResizeEvent* event) {
    catalog_->PlaceIn(size());
    QWidget::resizeEvent(event);
}
