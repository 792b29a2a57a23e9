#pragma once

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <memory>

class QLabel;
class QTimer;
class TMainForm;

// The welcome picture and the height the welcome window unrolls to.
extern QImage WelcomeImage;
extern int32_t WelcomeFullHeight;

// The welcome window shown while the editor is being built. Creating it sets
// the program's folder and screen size and reads the language file; it then
// unrolls downward a few pixels per paint, waits a second, builds the main
// window, hands it its texts and hides itself. It stays the application's
// main window, hidden, for the rest of the run.
class TWScreen : public QWidget {
  public:
    TWScreen();
    ~TWScreen() override;

    QLabel* Label2 = nullptr;
    QTimer* Timer1 = nullptr;

    // The editor window, once the timer has made it.
    TMainForm* MainWindow() const { return mainForm_.get(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void FormCreate();
    void FormPaint();
    void Timer1Timer();

    std::unique_ptr<TMainForm> mainForm_;
    // Set when the timer fires: later paints must not start it again, or a
    // paint during the main window's creation would build a second one.
    bool mainFormStarted_ = false;
};

// The next height of the unrolling window, or 0 when it has unrolled: the
// window grows by 7 pixels while that stays below the full height.
int32_t NextWelcomeHeight(int32_t height, int32_t fullHeight);

// Gives the main window its caption and every control its hint from the
// language texts.
void AssignMainFormTexts(TMainForm& form);
