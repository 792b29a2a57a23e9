#include "app/welcome_screen.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QTimer>

#include "content/photo_loader.h"
#include "content/png_codec.h"
#include "platform/language.h"
#include "platform/resources.h"
#include "platform/screen_metrics.h"
#include "ui/main_form.h"

QImage WelcomeImage;
int32_t WelcomeFullHeight = 0;

namespace {

constexpr int UnrollStep = 7;
constexpr QSize DefaultWelcomeSize(400, 280);

// A language text for a label or a hint: its " \r" line breaks become the
// line breaks Qt shows.
QString UiText(int n) {
    return QString::fromStdString(Lang(n)).replace(QChar('\r'), QChar('\n'));
}

QImage DecodeWelcomeImage() {
    const QByteArray bytes = ResourceData("START_BACK");
    Picture picture;
    if (bytes.isEmpty() || !DecodePngMemory(bytes.constData(), bytes.size(), picture)) return {};
    return QImageFromPicture(picture);
}

} // namespace

int32_t NextWelcomeHeight(int32_t height, int32_t fullHeight) {
    return height + UnrollStep < fullHeight ? height + UnrollStep : 0;
}

TWScreen::TWScreen() : QWidget(nullptr, Qt::FramelessWindowHint) {
    setObjectName("WScreen");
    // The desktop's task bar shows window titles: this window carries the
    // application's title, the language file's text once it is read.
    setWindowTitle("Velmora");
    // The picture's transparent parts show the button-face colour.
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    setPalette(colours);
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    Label2 = new QLabel("Loading ....", this);
    Label2->setObjectName("Label2");
    Label2->setGeometry(8, 0, 68, 13);
    Label2->setWordWrap(false);
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(1000);
    Timer1->setSingleShot(true);
    QObject::connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    FormCreate();
}

TWScreen::~TWScreen() = default;

void TWScreen::FormCreate() {
    WelcomeImage = DecodeWelcomeImage();
    const QSize picture = WelcomeImage.isNull() ? DefaultWelcomeSize : WelcomeImage.size();
    resize(picture.width(), picture.height() + 3);
    Label2->move(8, height() - 20);
    const ScreenSize screen = PrimaryScreenSize();
    ScreenWidth = screen.Width;
    ScreenHeight = screen.Height;
    move((ScreenWidth - width()) / 2, (ScreenHeight - height()) / 2);
    ProgramFolder = LocateProgramFolder(QCoreApplication::applicationDirPath().toStdString());
    LoadLanguage(ProgramFolder + "lang.ini");
    Label2->setText(UiText(80));
    setWindowTitle(QString::fromStdString(Lang(1)));
    WelcomeFullHeight = height();
    resize(width(), 1);
}

void TWScreen::paintEvent(QPaintEvent*) {
    FormPaint();
}

void TWScreen::FormPaint() {
    QPainter painter(this);
    painter.drawImage(0, 0, WelcomeImage);
    const int32_t next = NextWelcomeHeight(height(), WelcomeFullHeight);
    if (next > 0) {
        // Resized after this paint has finished; the resize paints again.
        QTimer::singleShot(0, this, [this, next] { resize(width(), next); });
    } else if (!mainFormStarted_ && !Timer1->isActive()) {
        Timer1->start();
    }
}

void TWScreen::Timer1Timer() {
    Timer1->stop();
    mainFormStarted_ = true;
    mainForm_ = std::make_unique<TMainForm>();
    AssignMainFormTexts(*mainForm_);
    mainForm_->show();
    hide();
}

namespace {

constexpr int TextInkLookKeys = 70;

// The text number of each control's hint.
struct HintText {
    const char* Control;
    int Text;
};

// clang-format off
constexpr HintText MainFormHints[] = {
    {"bfopen", 2},        {"bfsave", 3},      {"bprint", 4},       {"bfdelete", 5},
    {"GalleryP", 6},      {"GalleryN", 7},    {"Image1", 8},       {"Image3", 8},
    {"Image4", 8},        {"Image5", 8},      {"Image6", 8},       {"bmin", 9},
    {"bclose", 10},       {"bhelp", 11},      {"bRotateR", 12},    {"bFzoom", 13},
    {"bFMove", 14},       {"rotatebutton", 15}, {"flipvert", 16},  {"fliphoriz", 17},
    {"Bmove", 18},        {"bzoom", 19},      {"wtapianie", 20},   {"bMovePoints", 21},
    {"bdelete", 22},      {"bGallery", 23},   {"baddG", 24},       {"bnk", 25},
    {"barrp", 26},        {"barrn", 27},      {"Image2", 28},      {"Bhistory", 29},
    {"bHygiene", 30},     {"Image16", 31},    {"Image17", 32},     {"Image18", 33},
    {"Image19", 34},      {"Image8", 35},     {"Image9", 35},      {"Image10", 35},
    {"Image11", 35},      {"Image12", 35},    {"Image13", 35},     {"Image14", 35},
    {"Image15", 35},      {"Edit1", 36},
};
// clang-format on

} // namespace

void AssignMainFormTexts(TMainForm& form) {
    form.setWindowTitle(QString::fromStdString(Lang(1)));
    for (const HintText& hint : MainFormHints) {
        if (auto* control = form.findChild<QWidget*>(QLatin1String(hint.Control)))
            control->setToolTip(UiText(hint.Text));
    }
    // The Blend tool's hint also names the keys of the ink look.
    if (auto* blend = form.findChild<QWidget*>(QLatin1String("wtapianie")))
        blend->setToolTip(UiText(20) + QChar('\n') + UiText(TextInkLookKeys));
}
