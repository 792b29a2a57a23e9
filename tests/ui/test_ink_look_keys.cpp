#include <QSettings>
#include <QToolTip>

#include "tests/ui/picture_commands_fixture.h"
#include "ui/canvas_widget.h"
#include "ui/dialog_folders.h"

namespace {

// The green tattoo multiplied into the red photo.
constexpr QRgb InkedTattoo = qRgb(0, 220 * 30 / 255, 0);

struct InkKeyStep {
    const char* Name;
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    bool SelectRightHalf; // a closed selection around the photo's right half
    bool InkLook;         // of the tattoo, afterwards
    bool ForNew;
    bool Clip;
    QRgb Tattoo; // where it lies in the saved and printed picture
};

class InkLookKeys : public PictureCommands {
  protected:
    void TearDown() override {
        InkLookForNew = false;
        ClipToSelection = false;
        PictureCommands::TearDown();
    }
    static void SelectRightHalf() {
        const TSelectionPoint points[] = {{300, 0}, {600, 0}, {600, 400}, {300, 400}, {300, 0}};
        std::copy(std::begin(points), std::end(points), SelectionPoints);
        SelectionLast = 4;
        SelectionClosed = true;
    }
};

TEST_F(InkLookKeys, KeysSwitchTheInkLookAndTheClipInEveryPictureThatLeaves) {
    // The tattoo's middle on the canvas: the photo is shown at 427 / 600.
    const double zoom = 427.0 / 600;
    const QPoint overTattoo(int(150 * zoom), int((516 - 400 * zoom) / 2 + 150 * zoom));
    const InkKeyStep steps[] = {
        {"I inks the tattoo under the pointer",
         Qt::Key_I,
         {},
         false,
         true,
         false,
         false,
         InkedTattoo},
        {"K without a closed selection hides nothing",
         Qt::Key_K,
         {},
         false,
         true,
         false,
         true,
         InkedTattoo},
        {"with one the tattoo outside it is hidden",
         Qt::Key_unknown,
         {},
         true,
         true,
         false,
         true,
         PhotoLeft},
        {"K again shows it", Qt::Key_K, {}, true, true, false, false, InkedTattoo},
        {"Shift+I inks all and new ones", Qt::Key_I, Qt::ShiftModifier, true, true, true, false,
         InkedTattoo},
        {"Shift+I again takes it off all", Qt::Key_I, Qt::ShiftModifier, true, false, false, false,
         Tattoo},
    };
    for (const InkKeyStep& step : steps) {
        SCOPED_TRACE(step.Name);
        if (step.SelectRightHalf) SelectRightHalf();
        // The last step's save dialog took the pointer off the canvas.
        MovePointer(form_.Panel1, overTattoo);
        if (step.Key != Qt::Key_unknown) QTest::keyClick(&form_, step.Key, step.Modifiers);
        EXPECT_EQ(Layers[0].InkLook, step.InkLook);
        EXPECT_EQ(InkLookForNew, step.ForNew);
        EXPECT_EQ(ClipToSelection, step.Clip);
        EXPECT_EQ(QSettings(SettingsFilePath(), QSettings::IniFormat)
                      .value("Ink/InkLookForNew", false)
                      .toBool(),
                  step.ForNew);
        form_.PrintToBMP();
        EXPECT_TRUE(Near(QImageFromPicture(form_.PrintBitmap).pixel(150, 150), step.Tattoo, 3));
        const QString saved = dir_.filePath("inked.png");
        QFile::remove(saved);
        SaveAs(saved);
        EXPECT_TRUE(Near(QImage(saved).pixel(150, 150), step.Tattoo, 3));
    }
    // The hint at the pointer says how the tattoo under it looks.
    LangStrings[70] = "inked|not inked";
    MovePointer(form_.Panel1, overTattoo);
    QTest::keyClick(&form_, Qt::Key_I);
    EXPECT_EQ(QToolTip::text(), "inked");
    QTest::keyClick(&form_, Qt::Key_I);
    EXPECT_EQ(QToolTip::text(), "not inked");
    LangStrings[70].clear();
}

} // namespace
