#pragma once

#include "engine/Plan.h"

#include <QString>
#include <QtGlobal>

struct Estado;
class Pantalla;

// The step that renames the files of a run: the real one renames and writes the log, a preview
// only simulates. It is given the whole run before the first rename, then told to take each
// step of the plan in turn.
class PasoRenombrar {
public:
    // Whether the folder takes names that differ in case alone for one name; `renombres` are
    // the files of the run, to ask the folder about.
    virtual bool IgnoraMayusculas(const QList<Renombre>& renombres) = 0;
    // The whole run: each file's names and the order of the steps, kept by reference until the
    // last step. False when the run may not start (its plan could not be kept): nothing is
    // renamed.
    virtual bool Preparar(const QList<Renombre>& renombres, const QList<PasoPlan>& plan) = 0;
    // Takes step `k` of the plan. False asks the loop to stop.
    virtual bool Dar(qsizetype k) = 0;

protected:
    ~PasoRenombrar() = default;
};

enum class FinOperacion {
    Completa,
    Detenida,        // the step asked to stop
    FueraDeLimites,  // the numbers of "Generar:" do not fit 16 bits; nothing was renamed
    Rechazada,       // the step could not start the run; nothing was renamed
};

// The operations' runs. Each computes the new name of every file of Archivos[0 ..
// NumArchivos - 1], plans their order (Planificar) and, per file, hands the names to the step
// in that order and then moves the progress bar, once per file.
FinOperacion CambiarExtension(const Estado& e, PasoRenombrar& paso, Pantalla& pantalla,
                              const QString& extension);
FinOperacion CambiarCadena(const Estado& e, PasoRenombrar& paso, Pantalla& pantalla,
                           const QString& buscar, const QString& reemplazo);
FinOperacion AnadirCadena(const Estado& e, PasoRenombrar& paso, Pantalla& pantalla,
                          const QString& texto, quint8 modo, quint8 posicion);
FinOperacion GenerarNombres(const Estado& e, PasoRenombrar& paso, Pantalla& pantalla,
                            const QString& patron, qint16 desde);
FinOperacion CambiarMayusculas(const Estado& e, PasoRenombrar& paso, Pantalla& pantalla,
                               bool mayusculas);

// Gives each file of `renombres` its new name, in the order Planificar sets, as the operations
// do; the bar counts `num` files.
FinOperacion EjecutarRenombres(const QList<Renombre>& renombres, qint16 num, PasoRenombrar& paso,
                               Pantalla& pantalla);

// Width of the progress bar after file i of numArchivos, for a frame anchoMarco twips wide:
// the full bar is 25 twips narrower than its frame. Single precision, as the shapes keep it.
float AnchoProgreso(float anchoMarco, qint16 numArchivos, qint16 i);
void ActualizarProgreso(Pantalla& pantalla, qint16 numArchivos, qint16 i);
