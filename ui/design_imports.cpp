#include "ui/design_imports.h"

#include <QProgressDialog>
#include <QWidget>
#include <memory>

#include "content/own_designs.h"
#include "platform/language.h"

namespace {

constexpr int TextCaption = 40;
constexpr int TextImporting = 48;
// An import shorter than this shows no progress window.
constexpr int ProgressDelayMs = 400;

} // namespace

DesignImports::DesignImports(QWidget* window) : QObject(window), window_(window) {}

DesignImports::~DesignImports() {
    if (worker_.joinable()) worker_.join();
}

void DesignImports::Import(const std::string& path) {
    if (!OwnDesignsHaveRoom()) return;
    waiting_.push_back(path);
    if (!busy_) StartNext();
}

void DesignImports::StartNext() {
    if (waiting_.empty()) return;
    busy_ = true;
    const std::string path = waiting_.front();
    waiting_.pop_front();
    if (!progress_) {
        progress_ = new QProgressDialog(QString::fromStdString(Lang(TextImporting)), QString(), 0,
                                        0, window_);
        progress_->setObjectName("ImportProgress");
        progress_->setWindowTitle(QString::fromStdString(Lang(TextCaption)));
        progress_->setWindowModality(Qt::NonModal);
        progress_->setMinimumDuration(ProgressDelayMs);
    }
    progress_->reset();
    progress_->setValue(0);
    worker_ = std::thread([this, path] {
        auto design = std::make_shared<PreparedDesign>(PrepareDesign(path));
        QMetaObject::invokeMethod(
            this, [this, design] { Finish(std::move(*design)); }, Qt::QueuedConnection);
    });
}

void DesignImports::Finish(PreparedDesign design) {
    worker_.join();
    progress_->reset();
    progress_->hide();
    StoreOwnDesign(design);
    busy_ = false;
    StartNext();
}
