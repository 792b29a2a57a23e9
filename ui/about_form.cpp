#include "ui/about_form.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>

#include "platform/language.h"
#include "platform/picture_control.h"
#include "platform/resources.h"
#include "platform/shell_open.h"
#include "ui/main_form.h"

std::function<void()> AboutCloseHandler;

TAboutForm::TAboutForm() : QWidget(nullptr, Qt::Tool) {
    setObjectName("AboutForm");
    setWindowTitle("About");
    setFixedSize(350, 81);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    setPalette(colours);
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    Label2 = AddLabel("Label2", "Progremmer", QRect(8, 8, 120, 13), "white");
    Label3 =
        AddLabel("Label3", "Velmora: the tattoo try-on studio", QRect(24, 24, 195, 13), "white");
    Label5 =
        AddLabel("Label5", "All rights reserved. (c) Velmora", QRect(16, 64, 205, 13), "white");
    // The close surface lies above the texts and below the link and the logo,
    // so only those two take their own clicks.
    Label6 = new PictureControl(this);
    Label6->setObjectName("Label6");
    Label6->setGeometry(0, 0, 17, 25);
    Label6->OnClick = [this] { Label6Click(); };
    Label4 = AddLabel("Label4", "Credits", QRect(80, 40, 88, 13), "yellow");
    Label4->setCursor(Qt::PointingHandCursor);
    Label4->installEventFilter(this);
    Image1 = new PictureControl(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(264, 8, 73, 65);
    Image1->SetPicture(ResourceBitmap("ABOUT_LOGO"));
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->OnClick = [this] { Image1Click(); };
    FormCreate();
}

QLabel* TAboutForm::AddLabel(const char* name, const QString& text, QRect place,
                             const char* colour) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setStyleSheet(QStringLiteral("color: %1;").arg(colour));
    return label;
}

void TAboutForm::FormCreate() {
    move((ScreenWidth - width()) / 2, (ScreenHeight - height()) / 2);
    Label6->setGeometry(rect());
}

void TAboutForm::Label6Click() {
    close();
}

void TAboutForm::Label4Click() {
    OpenHelpAbout();
}

void TAboutForm::Image1Click() {
    OpenHelpAbout();
}

void TAboutForm::closeEvent(QCloseEvent* event) {
    event->accept();
    if (AboutCloseHandler) AboutCloseHandler();
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label4 && event->type() == QEvent::MouseButtonRelease) {
        const auto* release = static_cast<QMouseEvent*>(event);
        if (release->button() == Qt::LeftButton &&
            Label4->rect().contains(release->position().toPoint()))
            Label4Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
