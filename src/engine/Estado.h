#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

class QIODevice;

// The state that the windows and routines share. Main creates one and hands it on by
// reference; nothing else keeps a copy.
struct Estado {
    QString RutaPrograma;  // folder of the executable
    QString RutaLog;       // "temp.txt": the log of the latest run of any window
    QString LogPropio;     // the log of this window's own last run; empty before one
    QString RutaCarpeta;   // folder of the selection, ending in a separator; empty before any
    QStringList Archivos;  // bare names, in list order
    qint16 NumArchivos = 0;
    // The log open during a run; null while nothing may be written (an undo from the menu).
    QIODevice* FicheroLog = nullptr;
    qint16 Fallos = 0;
    bool GuardarLog = true;
    bool LogCargado = false;
    QString RutaLogCargado;  // the saved log "Cargar Log" chose, which the next run undoes
    // A run or an undo is under way: none may start inside it, whoever asks.
    bool EnProceso = false;
};
