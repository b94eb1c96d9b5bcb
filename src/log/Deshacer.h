#pragma once

#include "engine/Plan.h"

#include <QList>
#include <QString>

#include <functional>

class PasoRenombrar;
class QByteArray;
struct EntradaHistorial;
struct Estado;
class Pantalla;
struct LogLeido;
struct Registro;

// The undo of a saved log: each record renamed back through `paso`, last record first, which
// restores a folder even where a later rename took a name that an earlier one freed. Failure
// records and lines no writer produces are passed over. `trasRegistro` runs after every
// record, passed over or not, with its place in that order (0 first). False when the step
// asked to stop.
bool RecorrerDeshacer(const LogLeido& log, PasoRenombrar& paso,
                      const std::function<void(const Registro&, int)>& trasRegistro);

// Undoes the renames that the saved log `bytes` records, through `paso` (which renames in its
// folder and records each reverse rename where it records); the bar grows over NumArchivos.
// False when the step asked to stop.
bool DeshacerLog(Estado& e, PasoRenombrar& paso, Pantalla& pantalla, const QByteArray& bytes);

// What undoing an entry of the history takes now. Its files are followed, by name, through
// its log and then through the logs of the runs that undid it (and undid those) since, in the
// order they ran: each file that bears another name than before the entry goes back to it.
struct Pendiente {
    QList<Renombre> renombres;  // from its name now to its name before, last renamed first
    int movidos = 0;            // files the entry itself renamed
    bool tocada = false;        // a run has undone or redone some of it since
    bool incierto = false;      // the folder could not tell all its last steps apart
    // Names a run killed between reserving a new name and renaming onto it left as empty
    // files of its own (on a volume without links); its undo takes them away.
    QStringList reservas;
};
Pendiente CalcularPendiente(const EntradaHistorial& entrada, const QList<EntradaHistorial>& historial);

// After a run that undid `deshecha`, which left `queda` to undo: the card of that entry, and
// those of the entries it undid in turn, tell what stands of each now.
void MarcarTrasDeshacer(const EntradaHistorial& deshecha, const Pendiente& queda);
