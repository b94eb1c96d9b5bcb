#pragma once

#include "platform/Plataforma.h"

#include <QDateTime>
#include <QFile>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

// The history: every run's log kept as a file of its own in the user's data folder, and
// beside it a card with what the history's table shows. Both are text a person can read, and
// neither is ever trusted when read back.

// Deshecha: every file the run renamed has its name back. DeshechaEnParte: some have. Rehecha:
// undone, then its undo undone: its renames stand again.
enum class EstadoEntrada { Completa, EnCurso, Deshecha, Interrumpida, DeshechaEnParte, Rehecha };

struct EntradaHistorial {
    QString log;  // the run's log: its header and records, as "temp.txt" holds them
    QDateTime fecha;
    QString carpeta;    // where its renames happened
    QString operacion;  // what it did, in words
    QString deshace;    // an undo's: the file name of the log of the entry it undid
    int renombrados = 0;
    int fallos = 0;
    EstadoEntrada estado = EstadoEntrada::EnCurso;
};

// The history's folder, beside the temporary log.
QString CarpetaHistorial(const QString& rutaLog);

// What the history's "Estado" column says.
QString TextoEstado(EstadoEntrada estado);
// Whether an entry in that state has renames left to undo, as far as its card knows.
bool Deshacible(EstadoEntrada estado);

// A run's log while it is written: a new file each time, never one emptied and reused, its
// header written, its card saying the run is under way, and locked while the run lasts, so
// that other windows see that it is. Before the first rename it also takes the place of
// "temp.txt" (`enLugarDeTemporal`), so the records land under both names with one write.
class LogDeCorrida {
public:
    ResultadoSistema Abrir(const QString& rutaLog, const QByteArray& cabecera,
                           const EntradaHistorial& datos, bool enLugarDeTemporal = true);
    QFile& Fichero() { return fichero; }
    const QString& Ruta() const { return entrada.log; }
    // The card's last word: how the run ended and what it did.
    void Terminar(EstadoEntrada estado, int renombrados, int fallos);

private:
    QFile fichero;
    EntradaHistorial entrada;
    std::unique_ptr<Cerrojo> cerrojo;
};

// The entries of the history, newest first. A file that is no entry's, or whose card can't
// be read, is passed over. A run still under way in another process reads as such; one that
// ended without saying how (its process was killed), as interrupted.
QList<EntradaHistorial> LeerHistorial(const QString& carpeta);
// The entry whose log is `log`, when its card can be read.
std::optional<EntradaHistorial> LeerEntrada(const QString& log);
// Writes the entry's card anew with another state.
void MarcarEntrada(EntradaHistorial entrada, EstadoEntrada estado);
// Removes the oldest entries beyond the newest `maximo`.
void PodarHistorial(const QString& carpeta, int maximo = 1000);
