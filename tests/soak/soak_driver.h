#pragma once

#include <QPoint>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <random>
#include <string>
#include <vector>

class QDialog;
class TMainForm;

// Plays random but valid user actions on a real editor window: mouse events
// on the canvas in every tool and with either button, clicks and double
// clicks on the picture buttons, the hidden view and group buttons, the
// brush-size edit, the catalog and gallery, and photos of many sizes opened,
// some of them refused or broken. Everything goes through the window's own
// widgets and handlers; the questions the editor asks are answered at random.
class SoakDriver {
  public:
    SoakDriver(TMainForm& form, unsigned seed);
    ~SoakDriver();

    // Plays one action picked at random.
    void Step();
    // The last actions played, oldest first, to tell what led to a fault.
    std::string History() const;
    // Makes the canvas draw a frame now, as the display would.
    void DrawFrame();
    // Undoes (or redoes) this many steps by the keys.
    void UndoSteps(int count, bool redo);

    int Frames = 0;
    int PhotosOpened = 0;
    int Questions = 0;
    int TattooGrabs = 0;       // presses that took hold of a tattoo
    int MostOutlinePoints = 0; // the longest selection outline reached
    float MostZoom = 0;
    int Saves = 0;
    int Sessions = 0;
    int GalleryAdds = 0;
    int ScaleDownQuestions = 0; // asked for photos over the working size
    int ScaledDown = 0;         // of those, answered Yes
    // Empty while every saved picture read back at the photo's size; else
    // what went wrong with the first that did not.
    std::string SaveFault;

  private:
    struct Action {
        const char* Name;
        int Weight;
        void (SoakDriver::*Play)();
    };
    static const std::vector<Action>& Actions();

    int Random(int low, int high); // both included
    bool Chance(int percent);
    QPoint CanvasPoint(bool mayLeave);
    QPoint NearLayer(int k);
    Qt::MouseButton AnyButton();
    void Note(const std::string& text);

    void SendCanvas(int type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held);
    void Hover(QPoint at, int framePercent = 20);
    void ClickControl(QWidget* control, Qt::MouseButton button);
    void DoubleClickControl(QWidget* control);
    void ClickButton(const char* control, Qt::MouseButton button = Qt::LeftButton);
    std::string AnyPhoto(bool fileOnly);
    void RunDialog(const char* button, const char* dialogName,
                   const std::function<void(QDialog*)>& answer);

    void MovePointer();
    void ClickCanvas();
    void DragCanvas();
    void SweepCanvas();
    void DragWithBothButtons();
    void DoubleClickCanvas();
    void DrawOutline();
    void LeaveCanvas();
    void ChooseTool();
    void ClearOrSelectAll();
    void Fill();
    void ChooseColour();
    void EditBrushSize();
    void TurnPhoto();
    void ZoomStep();
    void PageCatalog();
    void AddDesign();
    void PageGallery();
    void ChooseGalleryPhoto();
    void OpenPhoto();
    void OpenPhotoByDialog();
    void SaveInFolder();
    void SaveAndReopenSession();
    void CheckSavedPicture(const std::string& path, int64_t before, int width, int height);
    void ClearAll();
    void CancelPrint();
    void AddToGallery();
    void OpenGalleryByDialog();
    void OpenScreenOrHelp();
    void ProcessEvents();
    void TurnWheel();
    void PressKey();
    void DropFile();
    void UndoOrRedo();

    TMainForm& form_;
    std::mt19937 random_;
    QTemporaryDir folder_;
    std::vector<std::string> photos_;
    std::deque<std::string> history_;
    QPoint pointer_;
};
