#include "app/TFormVelmora.h"

#include "datapacket/datapacket_provider.h"
#include "ui/form_setup.h"

namespace velmora::app {

TFormVelmora::TFormVelmora(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FormVelmora"));
    setWindowTitle(QStringLiteral("Velmora "));
    setFont(ui::DesignFont());
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    resize(883, 547);
    ui::CentreOnScreen(*this);
    FormCreate();
}

void TFormVelmora::FormCreate() {
    datapacket::InstallDatapacketProvider();
}

}  // namespace velmora::app
