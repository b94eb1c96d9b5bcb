#pragma once

#include "engine/Panel.h"
#include "log/Registro.h"
#include "platform/Plataforma.h"

#include <QDateTime>
#include <QFile>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

// The history: every run's log kept as a file of its own in the user's data folder, beside it
// its plan and a card with what the history's table shows. All three are text a person can
// read, and none is ever trusted when read back.

// Deshecha: every file the run renamed has its name back. DeshechaEnParte: some have. Rehecha:
// undone, then its undo undone: its renames stand again.
enum class EstadoEntrada { Completa, EnCurso, Deshecha, Interrumpida, DeshechaEnParte, Rehecha };

// What the user chose for a run, as its card keeps it: an operation of the panel or a saved
// log undone with "Cargar Log", the whole undone `deshaceres` times from the history. Cards
// written before kept a sentence in Spanish instead, which stays as they wrote it.
struct Eleccion {
    std::optional<Operacion> operacion;
    QString logCargado;  // the saved log's file name
    QString frase;
    int deshaceres = 0;
};

// The choice in words, in the program's language: "Deshacer: Cambiar extensiones a: png".
QString Describir(const Eleccion& eleccion);

struct EntradaHistorial {
    QString log;  // the run's log: its header and records, as "temp.txt" holds them
    QDateTime fecha;
    QString carpeta;    // where its renames happened
    Eleccion eleccion;  // what it did
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
// header written, and locked while the run lasts, so that other windows see that it is. Before
// the first rename (Comenzar) the run's plan is kept beside it, and it takes the place of
// "temp.txt" (`enLugarDeTemporal`), so the records land under both names with one write; only
// then is the run in the history. On a volume without links (exFAT, FAT) "temp.txt" is instead
// a copy of the log, put in place whole when the run begins and when it ends: it never mixes
// two runs. A log never begun is removed.
class LogDeCorrida {
public:
    ResultadoSistema Abrir(const QString& rutaLog, const QByteArray& cabecera,
                           const EntradaHistorial& datos, bool enLugarDeTemporal = true);
    // What the names of the run's own begin with: its log's, so no other run shares them.
    QByteArray PrefijoTemporal() const;
    // The plan's steps, each as its success record, kept after the run's values and made
    // durable; then the log in place of "temp.txt".
    ResultadoSistema Comenzar(const QByteArray& pasos);
    bool Comenzado() const { return comenzado; }
    QFile& Fichero() { return fichero; }
    const QString& Ruta() const { return entrada.log; }
    // The card's last word: how the run ended and what it did.
    void Terminar(EstadoEntrada estado, int renombrados, int fallos);
    ~LogDeCorrida();

private:
    void Descartar();
    ResultadoSistema CopiarATemporal();

    QFile fichero;
    EntradaHistorial entrada;
    QString rutaLog;
    bool enLugarDeTemporal = true;
    bool comenzado = false;
    bool copiaDeTemporal = false;  // "temp.txt" a copy of the log, on a volume without links
    std::unique_ptr<Cerrojo> cerrojo;
};

// A step of a run's plan, and whether its names were in the folder when the run planned.
struct PasoCorrida {
    QString desde, hacia;
    bool desdeEstaba = true, haciaEstaba = false;
    quint64 inodo = 0;  // of the file a step sets apart, where the listing told it
};
// A run's plan, as it kept it before its first rename: its steps in their order, and what the
// names of the run's own begin with (followed by the step's number). None for a run that kept
// no plan (written before plans were kept).
struct PlanCorrida {
    QString temporal;
    QList<PasoCorrida> pasos;
};
// How a plan keeps a step: its success record, after a line ("", marks) where its names were
// not as usual when the run planned ("-" its first name was not in the folder, "+" its second
// one was) or where it sets apart a file of a known inode number ("i" and the number). A name
// of the run's own never was there, and is read so whatever its marks. Returns where the
// step's record begins.
qsizetype AnadirPasoPlan(QByteArray& plan, const PasoCorrida& paso, QByteArrayView desde, QByteArrayView hacia);
std::optional<PlanCorrida> LeerPlan(const QString& log);
// The first name of a plan's last step, read from its end alone (empty for a plan of no step);
// none without a plan.
std::optional<QString> UltimoPaso(const QString& log);

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
