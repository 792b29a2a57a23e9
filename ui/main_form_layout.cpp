#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <cstring>

#include "content/catalog.h"
#include "content/photo_gallery.h"
#include "platform/edit_control.h"
#include "platform/form_controls.h"
#include "platform/picture_control.h"
#include "platform/resources.h"
#include "scene/scene_state.h"
#include "tools/photo_view.h"
#include "ui/button_skins.h"
#include "ui/button_table.h"
#include "ui/canvas_widget.h"
#include "ui/drag_surface.h"
#include "ui/main_form.h"

namespace {

using Handler = void (TMainForm::*)();

// What each image button does beyond its pictures: its click, double click
// and release handlers. Buttons not listed only change their pictures.
struct ButtonAction {
    const char* Control;
    Handler Click;
    Handler DblClick;
    void (*Up)(Qt::MouseButton);
};

// Release handlers that act whichever mouse button was released.
template <void (*Action)()> void AnyButton(Qt::MouseButton) {
    Action();
}

// clang-format off
const ButtonAction ButtonActions[] = {
    {"rotatebutton", &TMainForm::Button2Click,  nullptr, nullptr},
    {"bzoom",        &TMainForm::Button5Click,  nullptr, nullptr},
    {"bMovePoints",  &TMainForm::Button6Click,  nullptr, nullptr},
    {"bdelete",      &TMainForm::Button7Click,  nullptr, nullptr},
    {"flipvert",     &TMainForm::Button8Click,  nullptr, nullptr},
    {"fliphoriz",    &TMainForm::Button9Click,  nullptr, nullptr},
    {"wtapianie",    &TMainForm::Button12Click, nullptr, nullptr},
    {"Bmove",        &TMainForm::MoveBClick,    nullptr, nullptr},
    {"bFzoom",       &TMainForm::bFzoomClick,   nullptr, nullptr},
    {"bFMove",       &TMainForm::bFMoveClick,   nullptr, nullptr},
    {"Image16",      &TMainForm::Image16Click,  nullptr, nullptr},
    {"Image17",      &TMainForm::Image17Click,  &TMainForm::Image17DblClick, nullptr},
    {"Image18",      &TMainForm::Image18Click,  &TMainForm::Image18DblClick, nullptr},
    {"Image19",      &TMainForm::Image19Click,  nullptr, nullptr},
    {"bclose",       &TMainForm::bcloseClick,   nullptr, nullptr},
    {"bmin",         &TMainForm::bminClick,     nullptr, nullptr},
    {"bhelp",        &TMainForm::Button11Click, &TMainForm::bhelpDblClick, nullptr},
    {"Bhistory",     &TMainForm::BhistoryClick, nullptr, nullptr},
    {"bfopen",       &TMainForm::LoadPictureClick, nullptr, nullptr},
    {"bfsave",       &TMainForm::Button10Click, nullptr, nullptr},
    {"bprint",       &TMainForm::bprintClick,   nullptr, nullptr},
    {"bfdelete",     &TMainForm::bfdeleteClick, nullptr, nullptr},
    {"baddG",        &TMainForm::baddGClick,    nullptr, nullptr},
    {"bGallery",     &TMainForm::bGalleryClick, nullptr, nullptr},
    {"bHygiene",     &TMainForm::bHygieneClick, nullptr, nullptr},
    {"barrp",        nullptr, nullptr, &AnyButton<PrevCatalogItem>},
    {"barrn",        nullptr, nullptr, &AnyButton<NextCatalogItem>},
    {"bnk",          nullptr, nullptr, &AnyButton<NextCatalogGroup>},
    {"GalleryP",     nullptr, nullptr, &AnyButton<GalleryStepPrevious>},
    {"GalleryN",     nullptr, nullptr, &AnyButton<GalleryStepNext>},
    {"bRotateR",     nullptr, nullptr, &bRotateRMouseUp},
};
// clang-format on

const ButtonAction* FindAction(const char* control) {
    for (const ButtonAction& action : ButtonActions)
        if (std::strcmp(action.Control, control) == 0) return &action;
    return nullptr;
}

template <class Control>
Control* Place(Control* control, const char* name, int left, int top, int width, int height) {
    control->setObjectName(QLatin1String(name));
    control->setGeometry(left, top, width, height);
    return control;
}

PictureControl* Miniature(QWidget* parent, const char* name, int left, int top, int width,
                          int height) {
    auto* control = Place(new PictureControl(parent, PictureControl::Fit::Proportional), name, left,
                          top, width, height);
    control->setCursor(Qt::PointingHandCursor);
    return control;
}

QPushButton* HiddenButton(QWidget* parent, const char* name, const char* caption, int left, int top,
                          int width, int height) {
    auto* button =
        Place(new QPushButton(QLatin1String(caption), parent), name, left, top, width, height);
    button->hide();
    return button;
}

} // namespace

// Controls are made bottom to top: later ones lie above earlier ones, and the
// windowed controls (canvas, scroll bars, push buttons, edit) above them all.
void TMainForm::CreateControls() {
    Label1 = Place(new DragSurface(this), "Label1", 0, 0, 33, 33);
    Label1->OnMouseDown = [this](QPoint client) { Label1MouseDown(client); };
    Label1->OnMouseMove = [this](QPoint client) { Label1MouseMove(client); };
    Label1->OnMouseUp = [this] { Label1MouseUp(); };
    ZoomLabel = Place(new QLabel("Zoom: 100%", this), "ZoomLabel", 40, 232, 59, 13);
    ZoomLabel->hide();
    Image2 = Miniature(this, "Image2", 138, 369, 253, 269);
    Image2->OnClick = [] { Image2Click(); };
    Image2->OnMouseMove = [](QPoint) { FormMouseMove(); };
    GroupName = Place(new QLabel("Nazwa grupy", this), "GroupName", 232, 346, 109, 19);
    GroupName->setAlignment(Qt::AlignCenter);
    GroupName->setStyleSheet("color: black; background: transparent;");
    const char* slotNames[GallerySlotCount] = {"Image1", "Image3", "Image4", "Image5", "Image6"};
    for (int slot = 0; slot < GallerySlotCount; ++slot) {
        GallerySlots[slot] = Miniature(this, slotNames[slot], 444 + 73 * slot, 36, 68, 75);
        GallerySlots[slot]->OnClick = [this, slot] { GalleryMiniatureClick(slot); };
    }
    CreateImageButtons();
    Image7 = Place(new PictureControl(this), "Image7", 29, 10, 114, 97);
    Image7->SetPicture(ResourceBitmap("LOGO_LIGHT"));
    Image7->hide();
    Image7->OnMouseMove = [this](QPoint) { Image7MouseMove(); };
    Label2 = Place(new PictureControl(this), "Label2", 29, 10, 114, 97);
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->setToolTip(QStringLiteral("About Velmora"));
    Label2->OnMouseMove = [this](QPoint) { Image7MouseMove(); };
    Label2->OnClick = [this] { Label2Click(); };
    CreateSwatches();
    TextScreen = Place(new PictureControl(this), "TextScreen", 0, 0, 10, 10);
    TextScreen->hide();
    TextScreen->OnClick = [this] { TextScreenClick(); };
    CreateWindowedControls();
    Timer2 = new QTimer(this);
    Timer2->setObjectName("Timer2");
    Timer2->setInterval(500);
    QObject::connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    PublishControls();
}

void TMainForm::CreateImageButtons() {
    for (const ImageButtonInfo& button : ImageButtons) {
        auto* control = Place(new PictureControl(this), button.Control, button.Left, button.Top,
                              button.Width, button.Height);
        control->setCursor(Qt::PointingHandCursor);
        ButtonControls[button.Index] = control;
        WireImageButton(control, button.Index);
    }
}

void TMainForm::WireImageButton(PictureControl* control, int index) {
    control->OnMouseMove = [index](QPoint) { ImageButtonMouseMove(index); };
    control->OnMouseDown = [index](Qt::MouseButton, QPoint) { ImageButtonMouseDown(index); };
    const ButtonAction* action = FindAction(FindImageButton(index)->Control);
    void (*up)(Qt::MouseButton) = action ? action->Up : nullptr;
    control->OnMouseUp = [index, up](Qt::MouseButton button, QPoint) {
        ImageButtonMouseUp(index);
        if (up) up(button);
    };
    if (action && action->Click)
        control->OnClick = [this, click = action->Click] { (this->*click)(); };
    if (action && action->DblClick)
        control->OnDblClick = [this, dblClick = action->DblClick] { (this->*dblClick)(); };
}

void TMainForm::CreateSwatches() {
    const Handler clicks[SwatchCount + 1] = {nullptr,
                                             &TMainForm::Image8Click,
                                             &TMainForm::Image9Click,
                                             &TMainForm::Image10Click,
                                             &TMainForm::Image11Click,
                                             &TMainForm::Image12Click,
                                             &TMainForm::Image13Click,
                                             &TMainForm::Image14Click,
                                             &TMainForm::Image15Click};
    for (int n = 1; n <= SwatchCount; ++n) {
        const int width = n == 1 ? 27 : n == 3 ? 25 : 26;
        const int height = n == 3 ? 26 : 25;
        const QByteArray name = "Image" + QByteArray::number(7 + n);
        Swatches[n] = Place(new PictureControl(this), name.constData(), 137 + 33 * (n - 1), 271,
                            width, height);
        Swatches[n]->setCursor(Qt::PointingHandCursor);
        Swatches[n]->OnClick = [this, click = clicks[n]] { (this->*click)(); };
    }
}

void TMainForm::CreateWindowedControls() {
    Panel1 = Place(new CanvasWidget(this), "Panel1", 411, 122, CanvasWidth, CanvasHeight);
    Panel1->OnViewToggle = [this] { ToggleFullView(); };
    // The pan's range and position are plain values of the photo view, not
    // scroll bars of the window.
    Button3 = HiddenButton(this, "Button3", "+", 40, 248, 17, 17);
    Button4 = HiddenButton(this, "Button4", "-", 64, 248, 17, 17);
    QObject::connect(Button3, &QPushButton::clicked, this, [] { Button3Click(); });
    QObject::connect(Button4, &QPushButton::clicked, this, [] { Button4Click(); });
    PrevGroup = HiddenButton(this, "PrevGroup", "<", 32, 288, 25, 17);
    NextGroup = HiddenButton(this, "NextGroup", ">", 64, 288, 25, 17);
    QObject::connect(PrevGroup, &QPushButton::clicked, this, [] { PrevCatalogGroup(); });
    QObject::connect(NextGroup, &QPushButton::clicked, this, [] { NextCatalogGroup(); });
    Button14 = HiddenButton(this, "Button14", "Rotate L", 40, 312, 49, 33);
    QObject::connect(Button14, &QPushButton::clicked, this, [] { Button14Click(); });
    auto* edit = Place(new EditControl(this), "Edit1", 288, 216, 25, 21);
    edit->setFrame(false);
    edit->setMaxLength(2);
    edit->OnChange = [this] { Edit1Change(); };
    edit->OnKeyDown = [this](int key) { return Edit1KeyDown(key); };
    edit->OnExit = [this] { Edit1Exit(); };
    Edit1 = edit;
}

// Code outside the window acts on these controls.
void TMainForm::PublishControls() {
    MainControls.Window = this;
    MainControls.Panel1 = Panel1;
    MainControls.GroupName = GroupName;
    MainControls.Image2 = Image2;
    for (int slot = 0; slot < GallerySlotCount; ++slot)
        MainControls.GallerySlots[slot] = GallerySlots[slot];
    MainControls.ZoomLabel = ZoomLabel;
    MainControls.Edit1 = Edit1;
}
