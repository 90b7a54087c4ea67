#pragma once
// The dialogs of the running program, shown with Qt widgets.

#include <QMessageBox>
#include <memory>
#include <string>

#include "ui/dialogs.h"

namespace velmora::ui {

class QtDialogs : public Dialogs {
public:
    // Without a QApplication (an error before start-up made one) the box is written to
    // stderr and answered with its escape button.
    int MessageBox(const std::string& text, const std::string& caption, int flags) override;
    void Beep() override;
    std::optional<std::string> OpenFileName(const std::string& initialName) override;
    std::optional<std::string> ChooseFolder(const std::string& startFolder) override;
};

// The message box for flags, not yet shown: icon, buttons (the first one default), caption
// and text. Throws std::invalid_argument for flags outside Dialogs::MessageBox's contract.
std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& text, const std::string& caption,
                                            int flags, QWidget* parent = nullptr);

// The answer a message box gives for the standard button that closed it.
int MessageBoxResultOf(QMessageBox::StandardButton button);

}  // namespace velmora::ui
