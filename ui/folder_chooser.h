#pragma once
// The folder chooser: starts in a given folder, takes a typed folder name and offers to create
// a folder that does not exist (with its parents).

#include <QFileDialog>

#include "ui/dialogs.h"

namespace velmora::ui {

class FolderChooser : public QFileDialog {
    Q_OBJECT
public:
    // questions: where the "create it?" question is asked (the chooser's own dialogs).
    FolderChooser(Dialogs& questions, const QString& startFolder, QWidget* parent = nullptr);

    // The folder accepted with OK (absolute). It exists unless its creation failed.
    QString ChosenFolder() const { return chosen_; }

    // OK: an existing folder is accepted; a missing one is created when the user answers Yes
    // and kept open (nothing created) on No.
    void accept() override;

private:
    Dialogs& questions_;
    QString chosen_;
};

}  // namespace velmora::ui
