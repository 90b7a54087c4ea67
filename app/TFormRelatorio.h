#pragma once
// The report holder form: never shown, it carries the two report definitions and their event
// handlers for the whole run.

#include <QWidget>

namespace velmora::app {

class TFormRelatorio : public QWidget {
    Q_OBJECT
public:
    // Hidden; its closing never ends the program.
    explicit TFormRelatorio(QWidget* parent = nullptr);
};

}  // namespace velmora::app
