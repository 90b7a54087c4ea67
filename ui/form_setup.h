#pragma once
// Properties that every designed form shares.

#include <QFont>
#include <QWidget>

namespace velmora::ui {

// The designed font of the forms: Tahoma at pointSize, or the face the system offers for it.
QFont DesignFont(int pointSize = 8);

// Moves form so that it stands in the centre of its screen's available area.
void CentreOnScreen(QWidget& form);

}  // namespace velmora::ui
