#pragma once

#include <QFileDialog>

#include "content/picture_writer.h"

// The Save picture dialog (Qt's own, named SaveDialog1). A name with an
// extension the program does not write ("arm.v2") is saved with the chosen
// type's extension added, so Qt's question about replacing the typed name
// would be about the wrong file: this dialog asks about the file that will
// be written. A session (.ora, or the session filter with a name of no known
// type) is offered beside the picture types.
class SavePictureDialog : public QFileDialog {
  public:
    SavePictureDialog(QWidget* parent, const QString& folder);

    // The file the confirmed or typed name will be written to, and its type.
    SaveTarget Target() const;

    void accept() override { AcceptTarget(); }

    // Starts with "Velmora session (*.ora)" chosen.
    void SelectSessionFilter();

  private:
    void AcceptTarget();
    PictureFileType ChosenType() const;
    bool ChosenSession() const;
};
