#include "ui/folder_chooser.h"

#include <QDir>
#include <QFileInfo>

namespace velmora::ui {

FolderChooser::FolderChooser(Dialogs& questions, const QString& startFolder, QWidget* parent)
    : QFileDialog(parent, QStringLiteral("Select Directory"), startFolder), questions_(questions) {
    // The widget dialog, not a native one: a native dialog would bypass accept().
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::Directory);
    setLabelText(QFileDialog::FileName, QStringLiteral("Directory &Name:"));
}

void FolderChooser::accept() {
    const QString folder = selectedFiles().value(0);
    if (folder.isEmpty() || QFileInfo::exists(folder)) {
        chosen_ = folder;
        QFileDialog::accept();  // an existing folder is taken, a file is refused
        return;
    }
    const int answer = questions_.MessageBox("The specified directory does not exist. Create it?",
                                             "Confirm", kMbIconQuestion | kMbYesNo);
    if (answer != kIdYes) return;
    QDir().mkpath(folder);
    chosen_ = folder;
    // Bypasses the base check on purpose: a folder whose creation failed is still the answer.
    QDialog::accept();
}

}  // namespace velmora::ui
