#pragma once

#include "engine/Plan.h"

#include <QString>
#include <QtGlobal>

struct Estado;
class Pantalla;

// The step that renames one file of the selection. The operations hand it every pair of
// names; the real one renames and writes the log, a preview only simulates. Each call returns
// false to ask the loop to stop before the next file.
class PasoRenombrar {
public:
    virtual bool RenombrarArchivo(const QString& viejo, const QString& nuevo) = 0;
    // Whether the folder takes names that differ in case alone for one name.
    virtual bool IgnoraMayusculas() = 0;
    // Moves `viejo` out of the way, to a name of the run's own that `temporal` receives; it
    // stays empty when the file could not be moved.
    virtual bool Apartar(const QString& viejo, QString& temporal) = 0;
    // Gives the file set apart as `temporal` (formerly `viejo`) its new name; where that
    // fails, its old one back if that is free again.
    virtual bool RenombrarApartado(const QString& temporal, const QString& viejo, const QString& nuevo) = 0;
    // A file that the operation leaves alone.
    virtual void Omitir(const QString& viejo) = 0;

protected:
    ~PasoRenombrar() = default;
};

enum class FinOperacion {
    Completa,
    Detenida,        // the step asked to stop
    FueraDeLimites,  // the numbers of "Generar:" do not fit 16 bits; nothing was renamed
};

// The five operations. Each computes the new name of every file of Archivos[0 ..
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
