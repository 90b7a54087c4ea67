#pragma once
// The main window: the program's only long-lived window. It owns the item and lot tables and
// the controls that show them; closing it ends the program.

#include <QWidget>
#include <cstdint>
#include <string>

namespace velmora::app {

class TFormVelmora : public QWidget {
    Q_OBJECT
public:
    // A top-level window with its own task-bar button: caption "Velmora ", minimize but no
    // maximize button, client area 883 x 547, centred, window background. Runs FormCreate.
    explicit TFormVelmora(QWidget* parent = nullptr);

    // Makes the record-store engine available to the tables: from now on a table opens and
    // saves the file named by its FileName. No visible effect.
    void FormCreate();

    // The window's state beside its components, empty or zero at creation.
    std::string FBusca;  // type-ahead search buffer
    std::string FRazaoSocial;
    std::string FIdentificador;
    std::int32_t FTipoEmpresa = 0;
};

}  // namespace velmora::app
