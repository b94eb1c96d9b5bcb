#pragma once

#include "app/Prevision.h"
#include "ui/DialogoDeCambios.h"

// "Vista previa": every rename that "Renombrar" would make, in the run's order, each with its
// foretold result (`lstVistaPrevia`), or the message of a run that would be refused. It only
// shows. Build it with what Prever foretold and exec() it; "Cerrar" and Esc close it. Given
// `confirmar`, it asks too: a button of that caption (`cmdConfirmar`) accepts the dialog,
// "Cerrar" rejects it.
class frmVistaPrevia : public DialogoDeCambios {
    Q_OBJECT
public:
    explicit frmVistaPrevia(Prevision prevision, QWidget* parent = nullptr, const QString& confirmar = {});
};
