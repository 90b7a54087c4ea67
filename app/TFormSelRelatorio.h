#pragma once
// The report selection dialog: chooses between preview and printer and whether the report ends
// with a signature block.

#include <QDialog>
#include <string>

namespace velmora::app {

class TFormSelRelatorio : public QDialog {
    Q_OBJECT
public:
    // Caption "Relatório da Velmora", fixed client area 318 x 126, no close box, centred.
    explicit TFormSelRelatorio(QWidget* parent = nullptr);

    std::string tipo;  // the auction type, written by the main window before showing
};

}  // namespace velmora::app
