#pragma once

#include "log/Resultado.h"
#include "ui/DialogoDeCambios.h"

// "Resultado": what a run did to each of its files, as its log tells it (`lstResultado`),
// the files that failed first, in red, with the reason in words. It only shows; "Cerrar" and
// Esc close it.
class frmResultado : public DialogoDeCambios {
    Q_OBJECT
public:
    explicit frmResultado(const QList<FilaResultado>& filas, QWidget* parent = nullptr);
};
