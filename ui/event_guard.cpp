#include "ui/event_guard.h"

#include <iostream>
#include <stdexcept>

#include "platform/app_title.h"
#include "platform/errors.h"
#include "ui/dialogs.h"

namespace velmora::ui {

namespace {

// Showing the box must not let a second error escape either; the last resort is stderr.
void ShowErrorBoxOrLog(const std::exception& error) noexcept {
    try {
        ShowErrorBox(error);
    } catch (const std::exception& failure) {
        std::cerr << "velmora: " << error.what() << " (error box failed: " << failure.what()
                  << ")\n";
    } catch (...) {
        std::cerr << "velmora: " << error.what() << "\n";
    }
}

}  // namespace

void ShowErrorBox(const std::exception& error) {
    CurrentDialogs().MessageBox(ErrorBoxText(error), platform::AppTitle(), kMbIconError | kMbOk);
}

bool Guarded(const std::function<void()>& action) noexcept {
    try {
        action();
        return true;
    } catch (const EAbort&) {
    } catch (const std::exception& error) {
        ShowErrorBoxOrLog(error);
    } catch (...) {
        ShowErrorBoxOrLog(std::runtime_error("Unknown error"));
    }
    return false;
}

QMetaObject::Connection ConnectGuarded(QAbstractButton* button, std::function<void()> handler) {
    return QObject::connect(button, &QAbstractButton::clicked, button,
                            [handler = std::move(handler)] { Guarded(handler); });
}

int RunStartUp(const std::function<int()>& steps) noexcept {
    int exitCode = 1;
    Guarded([&] { exitCode = steps(); });
    return exitCode;
}

}  // namespace velmora::ui
