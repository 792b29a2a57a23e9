#pragma once

#include <QUrl>
#include <QWidget>
#include <string>

class QKeyEvent;
class QTextBrowser;

// The help, shown in a window of the program's own: a desktop without a web
// browser would otherwise show nothing at all. Links within the help move in
// this window; links to web sites go to the desktop's browser.
class HelpWindow : public QWidget {
  public:
    HelpWindow();

    // Shows the help file, at the named place (an anchor) when one is given,
    // and brings the window to the front.
    void ShowHelp(const std::string& path, const std::string& place);
    QTextBrowser* Browser() const { return browser_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void FollowLink(const QUrl& link);
    // Escape closes the window, from the page or a button alike; the key is
    // handled here rather than by a window shortcut, which would need the
    // window to be the active one.
    void HandleKey(QKeyEvent* event);

    QTextBrowser* browser_ = nullptr;
};
