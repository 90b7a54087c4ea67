#include "ui/dialogs.h"

#include "ui/qt_dialogs.h"

namespace velmora::ui {

namespace {

Dialogs* installed = nullptr;

}  // namespace

Dialogs& CurrentDialogs() {
    if (installed) return *installed;
    static QtDialogs qtDialogs;
    return qtDialogs;
}

Dialogs* SetDialogs(Dialogs* dialogs) {
    Dialogs* previous = installed;
    installed = dialogs;
    return previous;
}

}  // namespace velmora::ui
