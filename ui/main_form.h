#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "content/picture_writer.h"
#include "scene/picture.h"
#include "tools/photo_view.h"

class CanvasWidget;
class DesignImports;
class DragSurface;
class FullView;
class HelpWindow;
class PictureControl;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class TAboutForm;

// The editor's window: borderless, 850 x 650, its whole surface painted with
// the skin, the canvas on the right and rows of picture buttons on the left.
// Creating it runs FormCreate, which sets up every resource the editor needs.
class TMainForm : public QWidget {
  public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The controls, named as in the window.
    DragSurface* Label1 = nullptr;
    QLabel* ZoomLabel = nullptr;
    PictureControl* Image2 = nullptr;
    QLabel* GroupName = nullptr;
    PictureControl* GallerySlots[5] = {}; // Image1, Image3, Image4, Image5, Image6
    PictureControl* Image7 = nullptr;
    PictureControl* Label2 = nullptr;
    PictureControl* Swatches[9] = {}; // [1..8]: Image8 .. Image15
    PictureControl* TextScreen = nullptr;
    CanvasWidget* Panel1 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* PrevGroup = nullptr;
    QPushButton* NextGroup = nullptr;
    QPushButton* Button14 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QTimer* Timer2 = nullptr;

    // Where the open dialogs start.
    QString OpenPictureDialog1Folder;
    QString OpenGalleryDialogFolder;

    // The image button with this control name (for example "bclose").
    PictureControl* ImageButton(const char* control) const;

    // Title bar.
    void bminClick();
    void bcloseClick();
    void FormClose();

    // Dragging the window by its background.
    void Label1MouseDown(QPoint client);
    void Label1MouseMove(QPoint client);
    void Label1MouseUp();
    bool WindowDragging = false;
    int32_t DragGrabX = 0;
    int32_t DragGrabY = 0;

    // Tool buttons.
    void MoveBClick();
    void Button2Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    void Button12Click();
    void bFMoveClick();
    void bFzoomClick();
    void Image16Click();
    void Image17Click();
    void Image18Click();
    void Image18DblClick();

    // Paint commands: fill the selection, clear the paint layer.
    void Image19Click();
    void Image17DblClick();

    // The brush-size edit.
    void Edit1Change();
    bool Edit1KeyDown(int key);
    void Edit1Exit();

    // Colour swatches.
    void ShowSwatches(int chosen);
    void Image8Click();
    void Image9Click();
    void Image10Click();
    void Image11Click();
    void Image12Click();
    void Image13Click();
    void Image14Click();
    void Image15Click();

    // Picture commands. The dialogs are Qt's own, not the desktop's, and are
    // found by these object names: OpenPictureDialog1, SaveDialog1,
    // PrintDialog1, OpenGalleryDialog.
    void LoadPictureClick();
    void Button10Click();
    void bprintClick();
    void bfdeleteClick();
    void baddGClick();
    void bGalleryClick();
    // A photo from a file or a gallery miniature, the buttons refreshed.
    void OpenPhoto(const std::string& path);
    // Writes the picture or the session the save dialog chose; true when saved.
    bool SaveTo(const SaveTarget& target);
    // The quit question, with a third button that saves the session first
    // when the scene changed since it was last saved. True to quit.
    bool QuitConfirmed();
    // Offers the newest autosave a crashed copy left behind.
    void OfferRecovery();
    // The brush-size edit and the colour swatches as the scene has them,
    // after a session brought its own.
    void ShowSessionTools();
    void GalleryMiniatureClick(int slot);
    // Puts the composed picture into PrintBitmap (empty when there is none).
    void PrintToBMP();
    Picture PrintBitmap;

    // Information screens, help and About.
    void BhistoryClick();
    void bHygieneClick();
    void TextScreenClick();
    void Button11Click();
    void bhelpDblClick();
    void EnabledTrue();
    TAboutForm* AboutForm() const { return aboutForm_.get(); }
    // The help at a named place of it (empty for its top); nothing when
    // there is no help file.
    void ShowHelpWindow(const std::string& place);
    HelpWindow* HelpForm() const { return helpWindow_.get(); }

    // The logo.
    void Timer2Timer();
    void Image7MouseMove();
    void Label2Click();
    void HideLogoHighlight();
    int32_t LogoBlinkCount = 0;

    // The keyboard: the standard shortcuts, Delete for the tattoo under the
    // pointer and a letter for each tool. Keys it does not use are left to
    // the window.
    void FormKeyDown(QKeyEvent* event);
    void ScreenKeyDown(QKeyEvent* event);
    // I, Shift+I and K: the ink look of the tattoo under the pointer, of all
    // tattoos and new ones, and the clipping to the selection; the hint at
    // the pointer says what they are now. False for any other key.
    bool InkKeyDown(const QKeyEvent& event);
    // The letter that selects each tool button's tool, by control name; 0
    // for a button that is no tool.
    static char ToolKey(const char* control);

    // The full view (F11, or a double click with the middle button on the
    // canvas): the canvas moves into a window over the whole screen, the
    // photo fitted to it; F11 or Escape brings it back to this window with
    // the view as it was. Its keys are the window's, with D for the catalog
    // laid over the canvas; a command that opens a dialog returns to the
    // window first, where its dialog belongs.
    void ToggleFullView();
    void EnterFullView();
    void LeaveFullView();
    bool InFullView() const;
    FullView* FullViewWindow() const { return fullView_.get(); }
    // True when the full view has used the key.
    bool FullViewKeyDown(QKeyEvent* event);
    // Undo and redo (Ctrl+Z; Ctrl+Shift+Z or Ctrl+Y): a drag going on ends
    // first, then the step is taken back or made again and named on the
    // canvas; nothing happens when there is no step.
    void UndoClick();
    void RedoClick();
    // What the last undo or redo showed ("Undone: Rotate").
    std::string HistoryNotice;

    // Dropped picture files: on the canvas a PNG becomes a tattoo layer at
    // the drop point and is kept in My designs; on the catalog a picture
    // becomes one of My designs; anywhere else a picture becomes the photo.
    void FormDragOver(QDragMoveEvent* event);
    void FormDragDrop(QDropEvent* event);
    void DropPicture(const std::string& path, QPoint canvas, bool onCanvas);

    // My designs: Ctrl+I asks for a picture file to import; imports run one
    // after the other without holding up the window.
    void ImportDesignClick();
    void ImportDesign(const std::string& path);
    bool ImportingDesign() const;
    // The catalog's miniature, arrows and group button, in window pixels.
    static bool OnCatalogArea(QPoint window);
    // True while the pointer is over the catalog's miniature.
    bool PointerOnMiniature() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void CreateControls();
    void CreateImageButtons();
    void CreateSwatches();
    void CreateWindowedControls();
    void PublishControls();
    void WireImageButton(PictureControl* control, int index);
    void FormCreate();
    void CreateCanvasTextures();
    void SelectTool(uint8_t tool, bool closeSelection);
    void ChooseSwatch(int swatch);
    void OpenInformationScreen(const char* resource);
    void TakeHistoryStep(bool undo);

    QImage SkinBitmap;
    DesignImports* designImports_ = nullptr; // owned by the window
    std::unique_ptr<TAboutForm> aboutForm_;
    std::unique_ptr<HelpWindow> helpWindow_;
    std::unique_ptr<FullView> fullView_;
    // What the window showed before the full view, given back on return.
    PhotoViewState windowView_;
    QRect canvasPlace_;
};

// The one editor window; null while none exists.
extern TMainForm* MainForm;

// The photo named on the command line, opened at start in place of the
// sample photo; empty for none.
extern std::string StartupPhoto;

// Whether this run keeps the work safe: autosaves, and offers at start what
// a crashed copy left. The program sets it; tests that want it too.
extern bool KeepWorkSafe;

// A photo, or a session for a .ora name.
bool OpenPhotoOrSession(const std::string& path);

// Ends the program: leaves the message loop. Tests replace it to see that
// the program would end.
extern std::function<void()> TerminateApplication;

// Shows the help at its About section, where the credits and licences are;
// nothing when there is no help file. The logo and the About window's links
// lead here.
void OpenHelpAbout();
