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
    QString log;              // the run's own log, which "Resultado" reads
    bool deshacible = false;  // the window's own last run has renames left to undo
};

// The message of a run that can't read its loaded log.
QString RechazoLogCargado(const QString& ruta, const QString& razon);
// The message of a run whose folder can't be opened.
QString RechazoCarpeta(const QString& ruta, const QString& razon);

// What a press of "Renombrar" does below the window: the panel's parameters, or with a log
// loaded the file RutaLogCargado, checked first; then Fallos reset, the run's own log put in
// place of "temp.txt" from its header on, and either the panel's operation over the selection
// or the undo of the loaded log in its own folder, which clears LogCargado. The run's log
// becomes the window's own (LogPropio) and an entry of the history. A refused run changes
// nothing: the previous log, LogCargado and the files stay as they were. No run starts while
// another of the same state is under way.
ResultadoProceso Procesar(Estado& e, Pantalla& pantalla, const Panel& panel);

// The undo of an entry of the history, in the folder where its renames happened: a run of its
// own, with its own log and entry, which then tells in the undone entry's card what stands of
// it. Only what is still to undo is renamed, and an entry that another window is undoing, or
// that is undone already, is refused. From the history (`delMenu` false) the undo becomes the
// window's own run and the latest log; from the menu it is neither.
ResultadoProceso DeshacerEntrada(Estado& e, Pantalla& pantalla, const EntradaHistorial& entrada,
                                 bool delMenu = false);

// "Deshacer" of the window's own last run.
ResultadoProceso DeshacerPropio(Estado& e, Pantalla& pantalla);
