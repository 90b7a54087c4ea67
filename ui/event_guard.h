#pragma once
// The one way program code runs from a Qt entry point (slot, event override, timer): the silent
// abort shows nothing, any other error shows the standard error box, and nothing reaches Qt.

#include <QAbstractButton>
#include <exception>
#include <functional>

namespace velmora::ui {

// The standard error box through CurrentDialogs(): ErrorBoxText(error) (the message with its
// final period), the application title as caption, error icon and OK (flags 16).
void ShowErrorBox(const std::exception& error);

// Runs action. Returns true when it ended normally, false when it ended by an error, which has
// been shown (EAbort: silently). Never throws.
bool Guarded(const std::function<void()>& action) noexcept;

// Connects button's clicked() to handler run through Guarded.
// REQUIRES: button is not null.
QMetaObject::Connection ConnectGuarded(QAbstractButton* button, std::function<void()> handler);

// Runs the start-up steps and returns their exit code; an error escaping them is shown as
// Guarded shows it and the exit code is then 1.
int RunStartUp(const std::function<int()>& steps) noexcept;

}  // namespace velmora::ui
