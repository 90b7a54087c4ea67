#include "app/TFormSelRelatorio.h"

#include "ui/form_setup.h"

namespace velmora::app {

TFormSelRelatorio::TFormSelRelatorio(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("FormSelRelatorio"));
    setWindowTitle(QStringLiteral("Relatório da Velmora"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(ui::DesignFont());
    setFixedSize(318, 126);
    ui::CentreOnScreen(*this);
}

}  // namespace velmora::app
