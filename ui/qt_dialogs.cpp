#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <array>
#include <iostream>
#include <stdexcept>

#include "platform/codepage.h"
#include "ui/folder_chooser.h"
#include "ui/qt_text.h"

namespace velmora::ui {

namespace {

using Button = QMessageBox::StandardButton;

struct ButtonSet {
    int flag;
    QMessageBox::StandardButtons buttons;
    Button first;   // the default button
    Button escape;  // the answer when the box is closed without a button
};

constexpr std::array kButtonSets = {
    ButtonSet{kMbOk, Button::Ok, Button::Ok, Button::Ok},
    ButtonSet{kMbOkCancel, Button::Ok | Button::Cancel, Button::Ok, Button::Cancel},
    ButtonSet{kMbYesNo, Button::Yes | Button::No, Button::Yes, Button::No},
};

struct IconOf {
    int flag;
    QMessageBox::Icon icon;
};

constexpr std::array kIcons = {
    IconOf{0, QMessageBox::NoIcon},
    IconOf{kMbIconError, QMessageBox::Critical},
    IconOf{kMbIconQuestion, QMessageBox::Question},
    IconOf{kMbIconWarning, QMessageBox::Warning},
    IconOf{kMbIconInformation, QMessageBox::Information},
};

[[noreturn]] void UnsupportedFlags(int flags) {
    throw std::invalid_argument("unsupported message-box flags " + std::to_string(flags));
}

const ButtonSet& ButtonSetOf(int flags) {
    for (const ButtonSet& set : kButtonSets)
        if (set.flag == (flags & kMbButtonsMask)) return set;
    UnsupportedFlags(flags);
}

QMessageBox::Icon IconFor(int flags) {
    for (const IconOf& entry : kIcons)
        if (entry.flag == (flags & kMbIconMask)) return entry.icon;
    UnsupportedFlags(flags);
}

bool HasApplication() {
    return qobject_cast<QApplication*>(QCoreApplication::instance());
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& text, const std::string& caption,
                                            int flags, QWidget* parent) {
    if (flags & ~(kMbButtonsMask | kMbIconMask)) UnsupportedFlags(flags);
    const ButtonSet& set = ButtonSetOf(flags);
    auto box = std::make_unique<QMessageBox>(IconFor(flags), ToQString(caption), ToQString(text),
                                             set.buttons, parent);
    box->setDefaultButton(set.first);
    box->setEscapeButton(set.escape);
    return box;
}

int MessageBoxResultOf(QMessageBox::StandardButton button) {
    switch (button) {
        case Button::Ok:
            return kIdOk;
        case Button::Yes:
            return kIdYes;
        case Button::No:
            return kIdNo;
        default:
            return kIdCancel;
    }
}

int QtDialogs::MessageBox(const std::string& text, const std::string& caption, int flags) {
    if (!HasApplication()) {
        std::cerr << platform::ToUtf8(caption) << ": " << platform::ToUtf8(text) << "\n";
        return MessageBoxResultOf(ButtonSetOf(flags).escape);
    }
    auto box = MakeMessageBox(text, caption, flags, QApplication::activeWindow());
    box->exec();
    const Button clicked = box->standardButton(box->clickedButton());
    return MessageBoxResultOf(clicked == Button::NoButton ? ButtonSetOf(flags).escape : clicked);
}

void QtDialogs::Beep() {
    QApplication::beep();
}

std::optional<std::string> QtDialogs::OpenFileName(const std::string& initialName) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setSizeGripEnabled(true);
    if (!initialName.empty()) dialog.selectFile(PathToQString(initialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return PathFromQString(dialog.selectedFiles().constFirst());
}

std::optional<std::string> QtDialogs::ChooseFolder(const std::string& startFolder) {
    FolderChooser chooser(*this, PathToQString(startFolder), QApplication::activeWindow());
    if (chooser.exec() != QDialog::Accepted) return {};
    return PathFromQString(chooser.ChosenFolder());
}

}  // namespace velmora::ui
