#include "app/TFormRelatorio.h"

namespace velmora::app {

TFormRelatorio::TFormRelatorio(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FormRelatorio"));
    setAttribute(Qt::WA_QuitOnClose, false);
}

}  // namespace velmora::app
