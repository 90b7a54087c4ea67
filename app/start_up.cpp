#include "app/start_up.h"

#include <QApplication>

namespace velmora::app {

StartUpForms CreateForms() {
    StartUpForms forms;
    forms.FormVelmora = std::make_unique<TFormVelmora>();
    forms.FormRelatorio = std::make_unique<TFormRelatorio>();
    forms.FormSelRelatorio = std::make_unique<TFormSelRelatorio>();
    return forms;
}

int RunProgram() {
    const StartUpForms forms = CreateForms();
    forms.FormVelmora->show();
    return QApplication::exec();
}

}  // namespace velmora::app
