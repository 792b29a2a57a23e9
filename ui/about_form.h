#pragma once

#include <QWidget>
#include <functional>

class PictureControl;
class QLabel;

// The small About window: credits on black, a link label and the maker's
// logo. A click anywhere else on it closes it.
class TAboutForm : public QWidget {
  public:
    TAboutForm();

    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr; // the link to the help's credits
    QLabel* Label5 = nullptr;
    PictureControl* Label6 = nullptr; // the click surface that closes
    PictureControl* Image1 = nullptr; // the maker's logo

    void Label6Click();
    void Label4Click();
    void Image1Click();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormCreate();
    QLabel* AddLabel(const char* name, const QString& text, QRect place, const char* colour);
};

// Called whenever the About window closes; the main window sets it so that
// it takes input again.
extern std::function<void()> AboutCloseHandler;
