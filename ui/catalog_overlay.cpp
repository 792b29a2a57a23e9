#include "ui/catalog_overlay.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "content/catalog.h"
#include "platform/form_controls.h"
#include "platform/language.h"
#include "platform/picture_control.h"

namespace {

// The overlay's texts: its title and its keys.
constexpr int TextCatalogOverlay = 38;
// The hints of the window's catalog controls, shared with the overlay's.
constexpr int TextNextGroup = 25;
constexpr int TextPreviousDesign = 26;
constexpr int TextNextDesign = 27;
constexpr int TextPlaceDesign = 28;

// The window's catalog miniature size: designs look the same in both.
constexpr int MiniatureWidth = 253;
constexpr int MiniatureHeight = 269;
constexpr int EdgeMargin = 16;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The overlay's keys, one to a line.
std::string KeysText() {
    std::string keys;
    for (int part = 1; !TextPart(TextCatalogOverlay, part).empty(); ++part) {
        if (part > 1) keys += '\n';
        keys += TextPart(TextCatalogOverlay, part);
    }
    return keys;
}

} // namespace

std::string TextPart(int n, int part) {
    const std::string& text = Lang(n);
    size_t begin = 0;
    for (int i = 0; i < part; ++i) {
        begin = text.find('|', begin);
        if (begin == std::string::npos) return {};
        ++begin;
    }
    return text.substr(begin, text.find('|', begin) - begin);
}

CatalogOverlay::CatalogOverlay(QWidget* parent) : QFrame(parent) {
    setObjectName("CatalogOverlay");
    setStyleSheet("#CatalogOverlay { background: rgb(36, 36, 36); border: 1px solid gray; }"
                  "QLabel { color: white; }");
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(Text(TextPart(TextCatalogOverlay, 0)), this);
    layout->addWidget(title);
    group_ = new QLabel(this);
    group_->setAlignment(Qt::AlignCenter);
    layout->addWidget(group_);
    miniature_ = new PictureControl(this, PictureControl::Fit::Proportional);
    miniature_->setObjectName("CatalogOverlayMiniature");
    miniature_->setFixedSize(MiniatureWidth, MiniatureHeight);
    miniature_->setCursor(Qt::PointingHandCursor);
    miniature_->setToolTip(Text(Lang(TextPlaceDesign)));
    miniature_->OnClick = [this] { PlaceDesign(); };
    layout->addWidget(miniature_);
    auto* arrows = new QHBoxLayout;
    const struct {
        const char* Caption;
        int Hint;
        void (*Step)();
    } buttons[] = {{"<", TextPreviousDesign, &PrevCatalogItem},
                   {">", TextNextDesign, &NextCatalogItem},
                   {">>", TextNextGroup, &NextCatalogGroup}};
    for (const auto& button : buttons) {
        auto* push = new QPushButton(QLatin1String(button.Caption), this);
        push->setToolTip(Text(Lang(button.Hint)));
        // The keyboard stays with the canvas and the full view's keys.
        push->setFocusPolicy(Qt::NoFocus);
        connect(push, &QPushButton::clicked, this, [this, step = button.Step] { Step(step); });
        arrows->addWidget(push);
    }
    layout->addLayout(arrows);
    layout->addWidget(new QLabel(Text(KeysText()), this));
    hide();
}

void CatalogOverlay::Refresh() {
    if (MainControls.GroupName) group_->setText(MainControls.GroupName->text());
    if (MainControls.Image2 && MainControls.Image2->HasPicture())
        miniature_->SetPicture(MainControls.Image2->Picture());
    else
        miniature_->ClearPicture();
}

void CatalogOverlay::Step(void (*step)()) {
    step();
    Refresh();
}

void CatalogOverlay::PlaceDesign() {
    Image2Click();
}

bool CatalogOverlay::KeyDown(int key) {
    switch (key) {
    case Qt::Key_Left:
        Step(&PrevCatalogItem);
        return true;
    case Qt::Key_Right:
        Step(&NextCatalogItem);
        return true;
    case Qt::Key_Up:
        Step(&PrevCatalogGroup);
        return true;
    case Qt::Key_Down:
        Step(&NextCatalogGroup);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        PlaceDesign();
        return true;
    default:
        return false;
    }
}

void CatalogOverlay::PlaceIn(QSize view) {
    adjustSize();
    move(EdgeMargin, std::max(EdgeMargin, (view.height() - height()) / 2));
}
