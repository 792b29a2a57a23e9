#pragma once

#include <QObject>
#include <deque>
#include <string>
#include <thread>

#include "content/design_import.h"

class QProgressDialog;
class QWidget;

// Imports picture files into My designs one after the other. Reading,
// converting and encoding a design runs on a thread of its own, so the
// window stays responsive; keeping it in the catalog runs back on the
// window's thread. An import that takes more than a moment shows a busy
// progress window over the editor.
class DesignImports : public QObject {
  public:
    explicit DesignImports(QWidget* window);
    // Waits for an import under way; its result is dropped.
    ~DesignImports() override;

    // Queues the file; a full group is reported at once.
    void Import(const std::string& path);
    bool Busy() const { return busy_; }

  private:
    void StartNext();
    void Finish(PreparedDesign design);

    QWidget* window_;
    std::deque<std::string> waiting_;
    std::thread worker_;
    bool busy_ = false;
    QProgressDialog* progress_ = nullptr; // owned by the window
};
