#include <QApplication>

#include "app/start_up.h"
#include "ui/event_guard.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    return velmora::ui::RunStartUp(velmora::app::RunProgram);
}
