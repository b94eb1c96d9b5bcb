#pragma once

#include "engine/Operaciones.h"

#include <QString>
#include <QtGlobal>

#include <variant>

// What the operation panel holds when "Renombrar" is pressed: the texts as typed.
struct Panel {
    int opcion = -1;  // the first selected operation, 0 to 5; -1 when none is
    quint8 modo = 0;  // the first selected sub-option of "Añadir:" (ModoAnadir); 0 when none is
    QString extension, buscar, reemplazo, anadir, posicion, patron, desde;
};

// The chosen operation with its parameters read and checked.
struct Operacion {
    int opcion = -1;
    QString texto1, texto2;
    quint8 modo = 0;
    quint8 posicion = 0;
    qint16 desde = 0;
};

// Reads and checks the panel for a selection of numArchivos files. On refusal, the message
// that the run shows instead of renaming.
std::variant<Operacion, QString> LeerPanel(const Panel& panel, qint16 numArchivos);

// The operation in words, as the history shows it: "Cambiar extensiones a: png".
QString DescribirOperacion(const Operacion& op);

// Runs the operation over the selection. An operation without parameters to act on (no
// option, no sub-option) renames nothing and is complete.
FinOperacion EjecutarOperacion(const Operacion& op, const Estado& e, PasoRenombrar& paso,
                               Pantalla& pantalla);

// A run's operation mode, all but its log: the panel read and checked, then its operation
// over the selection through `paso`. When the run refuses, the message it shows instead.
std::variant<FinOperacion, QString> OperarPanel(const Panel& panel, const Estado& e,
                                                PasoRenombrar& paso, Pantalla& pantalla);
