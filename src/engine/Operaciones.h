#pragma once

#include <QString>
#include <QtGlobal>

struct Estado;
class Pantalla;

// The step that renames one file of the selection. The operations hand it every pair of
// names; the real one renames and writes the log, a preview only simulates.
class PasoRenombrar {
public:
    // False asks the loop to stop before the next file.
    virtual bool RenombrarArchivo(const QString& viejo, const QString& nuevo) = 0;

protected:
    ~PasoRenombrar() = default;
};

enum class FinOperacion {
    Completa,
    Detenida,        // the step asked to stop
    FueraDeLimites,  // the numbers of "Generar:" do not fit 16 bits; nothing was renamed
};

// The five operations. Each walks Archivos[0 .. NumArchivos - 1] in order and, per file,
// hands the old and new names to the step and then moves the progress bar.
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

// Width of the progress bar after file i of numArchivos, for a frame anchoMarco twips wide:
// the full bar is 25 twips narrower than its frame. Single precision, as the shapes keep it.
float AnchoProgreso(float anchoMarco, qint16 numArchivos, qint16 i);
void ActualizarProgreso(Pantalla& pantalla, qint16 numArchivos, qint16 i);
