#include "ui/form_setup.h"

#include <QScreen>

namespace velmora::ui {

QFont DesignFont(int pointSize) {
    return QFont(QStringLiteral("Tahoma"), pointSize);
}

void CentreOnScreen(QWidget& form) {
    const QScreen* screen = form.screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QSize size = form.frameGeometry().size();
    form.move(area.x() + (area.width() - size.width()) / 2,
              area.y() + (area.height() - size.height()) / 2);
}

}  // namespace velmora::ui
