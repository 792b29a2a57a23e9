#include "ui/help_window.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "platform/language.h"
#include "platform/shell_open.h"

namespace {

constexpr int TextHelpTitle = 95;
constexpr int TextBack = 96;
constexpr int TextContents = 97;
constexpr QSize HelpWindowSize(760, 600);

QPushButton* AddButton(QHBoxLayout* row, const char* name, int text) {
    auto* button = new QPushButton(QString::fromStdString(Lang(text)));
    button->setObjectName(name);
    row->addWidget(button);
    return button;
}

} // namespace

HelpWindow::HelpWindow() : QWidget(nullptr, Qt::Window) {
    setObjectName("HelpWindow");
    setWindowTitle(QString::fromStdString(Lang(TextHelpTitle)));
    resize(HelpWindowSize);
    browser_ = new QTextBrowser;
    browser_->setObjectName("HelpBrowser");
    browser_->setOpenLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this,
            [this](const QUrl& link) { FollowLink(link); });
    auto* row = new QHBoxLayout;
    QPushButton* back = AddButton(row, "HelpBack", TextBack);
    QPushButton* contents = AddButton(row, "HelpContents", TextContents);
    row->addStretch();
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(contents, &QPushButton::clicked, browser_, &QTextBrowser::home);
    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(browser_);
    back->setEnabled(false);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    HandleKey(event);
}

void HelpWindow::HandleKey(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void HelpWindow::ShowHelp(const std::string& path, const std::string& place) {
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(path));
    if (!place.empty()) url.setFragment(QString::fromStdString(place));
    browser_->setSource(url);
    show();
    raise();
    activateWindow();
}

// Pages and places of the help open here; anything on the web goes to the
// browser, which may be missing: then nothing happens, as on a desktop
// without one.
void HelpWindow::FollowLink(const QUrl& link) {
    const QUrl target = browser_->source().resolved(link);
    if (target.isLocalFile())
        browser_->setSource(target);
    else
        ShellOpenWebAddress(target.toString().toStdString());
}
