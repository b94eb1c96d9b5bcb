#pragma once

#include <QString>

struct Estado;
struct Panel;
class Pantalla;

struct ResultadoProceso {
    // False when the run was refused before any rename: "Renombrar" comes back so that the
    // user can correct the parameters.
    bool aceptado = true;
    QString mensaje;  // an error to show the user; empty when there is none
    bool ofrecerGuardar = false;
};

// The message of a run that can't read its loaded log.
QString RechazoLogCargado(const QString& ruta, const QString& razon);

// What a press of "Renombrar" does below the window: Fallos reset, the temporary log
// written from its header on, then either the panel's operation over the selection or, with
// a log loaded, the undo of `logCargado` in its own folder `carpetaLog`; the log closed and
// LogCargado cleared, whatever happened.
ResultadoProceso Procesar(Estado& e, Pantalla& pantalla, const Panel& panel,
                          const QString& logCargado, const QString& carpetaLog);
