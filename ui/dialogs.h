#pragma once
// The seam through which the program shows every modal dialog. Program code asks
// CurrentDialogs(); the Qt implementation answers by default, tests install a scripted one.

#include <optional>
#include <string>

namespace velmora::ui {

// Message-box flag values: the icon plus the set of buttons.
enum MessageBoxFlags : int {
    kMbOk = 0,
    kMbOkCancel = 1,
    kMbYesNo = 4,
    kMbIconError = 16,
    kMbIconQuestion = 32,
    kMbIconWarning = 48,
    kMbIconInformation = 64,
};
inline constexpr int kMbButtonsMask = 0x0F;
inline constexpr int kMbIconMask = 0xF0;

// The button with which a message box was closed.
enum MessageBoxResult : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows text and caption (Windows-1252) with the icon and buttons of flags; returns the
    // button pressed (MessageBoxResult).
    // REQUIRES: flags is an icon value (0, 16, 32, 48, 64) plus kMbOk, kMbOkCancel or kMbYesNo.
    virtual int MessageBox(const std::string& text, const std::string& caption, int flags) = 0;

    virtual void Beep() = 0;

    // The open-file dialog, starting with initialName; the chosen file need not exist. Returns
    // the chosen path (UTF-8), or nothing when cancelled.
    virtual std::optional<std::string> OpenFileName(const std::string& initialName) = 0;

    // The folder chooser, starting in startFolder. A typed folder that does not exist is offered
    // for creation (with its parents). Returns the chosen folder (UTF-8), or nothing when
    // cancelled; a folder whose creation failed is still returned, so callers test existence.
    virtual std::optional<std::string> ChooseFolder(const std::string& startFolder) = 0;
};

// The dialogs in force: the installed ones, else the process's Qt dialogs.
Dialogs& CurrentDialogs();

// Installs dialogs (nullptr: back to the Qt dialogs). Returns the previously installed ones.
// REQUIRES: dialogs outlives its installation.
Dialogs* SetDialogs(Dialogs* dialogs);

// Installs dialogs for the lifetime of the object, then restores the previous ones.
class ScopedDialogs {
public:
    explicit ScopedDialogs(Dialogs& dialogs) : previous_(SetDialogs(&dialogs)) {}
    ~ScopedDialogs() { SetDialogs(previous_); }
    ScopedDialogs(const ScopedDialogs&) = delete;
    ScopedDialogs& operator=(const ScopedDialogs&) = delete;

private:
    Dialogs* previous_;
};

}  // namespace velmora::ui
