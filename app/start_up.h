#pragma once
// The program's start: the windows that live for the whole run and the event loop.

#include <memory>

#include "app/TFormRelatorio.h"
#include "app/TFormSelRelatorio.h"
#include "app/TFormVelmora.h"

namespace velmora::app {

// Created in declaration order (the main window first) and destroyed in reverse.
struct StartUpForms {
    std::unique_ptr<TFormVelmora> FormVelmora;
    std::unique_ptr<TFormRelatorio> FormRelatorio;
    std::unique_ptr<TFormSelRelatorio> FormSelRelatorio;
};

// Creates the three windows, all hidden.
StartUpForms CreateForms();

// Creates the windows, shows the main one and runs the event loop until it closes; returns the
// loop's exit code. REQUIRES: a QApplication exists.
int RunProgram();

}  // namespace velmora::app
