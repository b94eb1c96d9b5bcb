#pragma once

#include "log/Simulacion.h"

#include <QList>
#include <QString>

struct EntradaHistorial;
struct Estado;
struct Panel;

// What a press of "Renombrar" would do, foretold.
struct Prevision {
    QString mensaje;  // the run would refuse with this message, and there are no rows
    QList<FilaPrevista> filas;  // one per selected file, or per record of a loaded log
    int cambios = 0;            // names that would change
    int fallos = 0;             // renames that would fail, as the run counts them
};

// Foretells, touching no file, what Procesar would do with the same arguments: the panel's
// operation over the selection, through the same checks and rules, or, with a log loaded,
// its undo in its own folder, through the same reading and order. Each rename meets the
// folder as the earlier renames of the run would leave it.
Prevision Prever(const Estado& e, const Panel& panel);

// Foretells the undo of an entry of `historial`, as DeshacerEntrada would make it now.
Prevision PreverEntrada(const EntradaHistorial& entrada, const QList<EntradaHistorial>& historial);
