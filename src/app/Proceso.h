#pragma once

#include <QString>

struct EntradaHistorial;
struct Estado;
struct Panel;
class Pantalla;

struct ResultadoProceso {
    // False when the run was refused before any rename: "Renombrar" comes back so that the
    // user can correct the parameters.
    bool aceptado = true;
    QString mensaje;  // an error to show the user; empty when there is none
    bool completa = false;  // every file was handled: no stop, the log took every record
    bool ofrecerGuardar = false;
};

// The message of a run that can't read its loaded log.
QString RechazoLogCargado(const QString& ruta, const QString& razon);

// What a press of "Renombrar" does below the window: the panel's parameters, or with a log
// loaded the file `logCargado`, checked first; then Fallos reset, the run's own log put in
// place of "temp.txt" from its header on, and either the panel's operation over the selection
// or the undo of `logCargado` in its own folder `carpetaLog`, which clears LogCargado. The
// run's log becomes the window's own (LogPropio) and an entry of the history. A refused run
// changes nothing: the previous log, LogCargado and the files stay as they were.
ResultadoProceso Procesar(Estado& e, Pantalla& pantalla, const Panel& panel,
                          const QString& logCargado, const QString& carpetaLog);

// The undo of a run of the history, in the folder where its renames happened: a run of its
// own, with its own log and entry, which then marks the undone entry "Deshecho".
ResultadoProceso DeshacerEntrada(Estado& e, Pantalla& pantalla, const EntradaHistorial& entrada);
