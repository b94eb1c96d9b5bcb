#pragma once

#include "engine/Operaciones.h"
#include "platform/Plataforma.h"

#include <QByteArray>
#include <QString>

#include <functional>

struct Estado;
class Pantalla;

// The reason recorded for a name that is not a bare name of the folder.
inline constexpr QStringView RazonNombreNoValido = u"nombre de archivo no válido";

// The names that the step hands to the system: only bare names (not empty, not "." or "..",
// no path separator, no NUL), so that a crafted log or a pattern can't move files out of the
// folder, and neither name holding the failure marker:
// its record would read back as a failure, and the rename could never be undone.
bool NombresAdmitidos(const QString& viejo, const QString& nuevo);

// The rename step of a real run: renames in RutaCarpeta without ever replacing a file, appends
// each step's record to the log open as FicheroLog (none while that is null) and counts
// failures in Fallos. Before the first rename it hands the whole plan, every step as its
// record, to `guardar` (when given), and the run starts only once that is kept: a run
// stopped at any instant can then be undone whole, its last steps told by the folder. A
// file set apart takes the name `prefijo` and the step's number in the plan. Once a record
// can't be written, none is written any more, and the step asks to stop.
class RenombradorLog final : public PasoRenombrar {
public:
    using GuardarPlan = std::function<ResultadoSistema(const QByteArray& pasos)>;
    RenombradorLog(Estado& e, Pantalla& pantalla, QByteArray prefijo = {}, GuardarPlan guardar = {});
    bool IgnoraMayusculas(const QList<Renombre>& renombres) override;
    bool Preparar(const QList<Renombre>& renombres, const QList<PasoPlan>& plan) override;
    bool Dar(qsizetype k) override;
    // The files that took another name.
    int Renombrados() const { return renombrados; }
    // Per file of the run, whether its last step took it to its new name.
    const QList<bool>& Llegados() const { return llegados; }
    // Why Preparar refused: the plan could not be kept.
    const ResultadoSistema& SinPlan() const { return sinPlan; }
    // Whether the folder could be opened: a run in a folder that is not there renames nothing.
    ResultadoSistema Carpeta() const { return carpeta.Abierta(); }

private:
    // A step of the plan as the system and the log take it.
    struct Escrito {
        qsizetype desde = 0, hacia = 0;  // NUL-terminated names in `nombres`
        qsizetype reservado = -1;        // the name a change of case may go through
        qsizetype original = -1;         // a file set apart: its name before
        qsizetype linea = -1, largo = 0;  // its success record in `lineas`
        bool admitido = false;            // names the step may hand to the system
    };
    // Step `s` of the plan, the file to be shown as `viejo`: renamed, recorded and counted.
    bool Renombrar(const Escrito& s, const QString& viejo, const QString& nuevo);
    ResultadoSistema Sistema(const Escrito& s);
    // Counts the last step of the file `archivo`; whether the loop goes on.
    bool Contar(qsizetype archivo, bool ok, bool cambia);
    void Anotar(QByteArrayView linea);
    void AnotarFallo(const QString& viejo, const QString& nuevo, const QString& razon);
    // A name written into `nombres`: where, its hash, and whether the step may hand it on.
    struct Nombre {
        qsizetype inicio;
        quint64 hash;
        bool admitido;
    };
    Nombre Escribir(QStringView nombre);

    Estado& e;
    Pantalla& pantalla;
    const QByteArray prefijo;
    const GuardarPlan guardar;
    CarpetaAbierta carpeta;  // RutaCarpeta, opened once for the whole run
    const QList<Renombre>* renombres = nullptr;
    const QList<PasoPlan>* plan = nullptr;
    QByteArray nombres, lineas;
    QList<Escrito> escritos;     // one per step of the plan
    QList<bool> apartado;        // per file: set apart under its name of the run's own
    QList<bool> llegados;
    bool registroRoto = false;
    int renombrados = 0;
    ResultadoSistema sinPlan;
};
