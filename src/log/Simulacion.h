#pragma once

#include "engine/Operaciones.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QtGlobal>

#include <utility>

// What one rename of a run will do, foretold.
enum class ResultadoPrevisto : quint8 {
    SinCambios,       // the same name, or a file the operation leaves alone
    Correcto,
    NombreExiste,     // a file of the folder that the run does not move holds the new name
    CambioAnterior,   // an earlier rename of the same run gave the new name to another file
    RenombraDespues,  // a selected file holds it that the run renames only later
    NombreNoValido,   // refused by the step, or too long for the file system
    NoExiste,
    SinPermiso,       // the folder is not the user's to change
    SoloLectura,      // the folder's disk is read-only
    OmitidoFallo,     // a failure record of a loaded log: undo passes over it
    OmitidoLinea,     // a line of a loaded log that no writer produces: likewise
};

// The text the preview shows for a result.
QString TextoResultado(ResultadoPrevisto r);
// True for the results that the run counts in Fallos.
bool EsFallo(ResultadoPrevisto r);

struct FilaPrevista {
    QString actual;
    QString nuevo;
    ResultadoPrevisto resultado = ResultadoPrevisto::SinCambios;
};

// A rename step that renames nothing. It reads its folder once and answers every step as
// RenombradorLog would, against the folder as the earlier steps of the same run leave it, and
// keeps one row per file (one for a file set apart and renamed on). A file set apart is held
// by itself, never under a name: no name of the folder is ever taken for the run's own.
// Whoever drives it adds the rows of what the run passes over.
class PasoSimulado final : public PasoRenombrar {
public:
    explicit PasoSimulado(const QString& carpeta);
    bool IgnoraMayusculas(const QList<Renombre>&) override { return ignoraMayusculas; }
    bool Preparar(const QList<Renombre>& renombres, const QList<PasoPlan>& plan) override;
    bool Dar(qsizetype k) override;
    // A record that an undo passes over without calling the step.
    void Anotar(const QString& actual, const QString& nuevo, ResultadoPrevisto r);
    qsizetype NumFilas() const { return filas.size(); }
    // The rows in the order of the run. A name held by a file that a later row renames is
    // only known once every rename has been seen.
    QList<FilaPrevista> Filas() const;

private:
    // The rename of the file now named `viejo` (or set apart, when `apartado`) to `nuevo`.
    ResultadoPrevisto Simular(const QString& viejo, const QString& nuevo, bool apartado);

    QSet<QByteArray> presentes;        // the names in the folder now
    QSet<QByteArray> dadosEnLaCorrida;  // those of them that a rename of this run gave
    bool ignoraMayusculas;
    qsizetype largoMaximo;
    ResultadoPrevisto sinEscritura = ResultadoPrevisto::Correcto;  // every rename's, where none can be
    const QList<Renombre>* renombres = nullptr;
    const QList<PasoPlan>* plan = nullptr;
    QSet<qsizetype> apartados;  // files set apart, by their place in the run
    QList<FilaPrevista> filas;
    QHash<QByteArray, qsizetype> ultimaVezOrigen;  // name -> the last row that renames it
    QList<std::pair<qsizetype, QByteArray>> ocupados;  // rows that found their name held
};
