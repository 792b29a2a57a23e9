#pragma once

#include <QImage>
#include <QTest>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "ui/main_form.h"

class QDialog;

// One editor window for all window tests: building it reads the catalog,
// opens the canvas context and uploads every texture, so it is made once and
// each test puts the shared state back to a known start.
TMainForm& SharedMainForm();

class MainFormTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The picture a control shows.
    static const QImage& Shown(const char* control);

    // Moves the pointer onto a control and clicks it there, as a user would.
    static void ClickControl(QWidget* control, Qt::MouseButton button = Qt::LeftButton);
    static void HoverControl(QWidget* control);
    static void MovePointer(QWidget* control, QPoint point);
    // Drops the file at a point of the window, as a file manager would;
    // whether the window took the drag.
    bool Drop(const QString& file, QPoint at);

    TMainForm& form_ = SharedMainForm();
    int terminations_ = 0;
    std::vector<std::string> opened_; // what was handed to the desktop
};

// Runs `act` on the modal dialog of this name as soon as it shows; the
// command that opened it is waiting in the dialog's own event loop.
void WhenDialogOpens(const QString& name, std::function<void(QDialog*)> act);

// Types the path into a file dialog and confirms it with Return, as a user
// would: goes to the file's folder, types its name into the name box.
void TypeFileName(QDialog* fileDialog, const QString& path);

// Recognisable pictures put in place of every button skin.
extern const QImage PressedSkin;
extern const QImage NormalSkin;
extern const QImage HoverSkin;
