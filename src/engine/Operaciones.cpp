#include "engine/Operaciones.h"

#include "engine/Estado.h"
#include "engine/Pantalla.h"
#include "engine/Plan.h"
#include "engine/Reglas.h"

#include <QHash>

#include <algorithm>
#include <optional>

// The renames in the planned order. A stop the user asks for waits until no file is set
// apart, so a cycle is always finished; one the log asks for can't wait.
FinOperacion EjecutarRenombres(const QList<Renombre>& renombres, qint16 num, PasoRenombrar& paso,
                               Pantalla& pantalla)
{
    QHash<qsizetype, QString> apartados;  // files set apart, under the run's own names
    qint16 hechos = 0;
    for (const PasoPlan& p : Planificar(renombres, paso.IgnoraMayusculas())) {
        const Renombre& r = renombres[p.archivo];
        bool sigue = true;
        switch (p.tipo) {
        case PasoPlan::Tipo::Ninguno:
            paso.Omitir(r.viejo);
            break;
        case PasoPlan::Tipo::Directo:
            sigue = paso.RenombrarArchivo(r.viejo, *r.nuevo);
            break;
        case PasoPlan::Tipo::Apartar: {
            QString temporal;
            sigue = paso.Apartar(r.viejo, temporal);
            if (!temporal.isEmpty())
                apartados.insert(p.archivo, temporal);
            break;
        }
        case PasoPlan::Tipo::DesdeApartado: {
            // One that could not be set apart is tried as it is, to fail as the system says.
            const QString temporal = apartados.take(p.archivo);
            sigue = temporal.isEmpty() ? paso.RenombrarArchivo(r.viejo, *r.nuevo)
                                       : paso.RenombrarApartado(temporal, r.viejo, *r.nuevo);
            break;
        }
        }
        if (!sigue && (apartados.isEmpty() || !pantalla.Detenido()))
            return FinOperacion::Detenida;
        if (p.tipo != PasoPlan::Tipo::Apartar)
            ActualizarProgreso(pantalla, num, hechos++);
    }
    return FinOperacion::Completa;
}

namespace {

// The loop that every operation shares. `regla` gives the new name of a file, or no value
// when the file is to be left alone (no rename, but the bar still moves).
template <typename Regla>
FinOperacion Recorrer(const Estado& e, PasoRenombrar& paso, Pantalla& pantalla, Regla regla)
{
    // The count and the list move together; the bound guards against a list cut short.
    const qsizetype ultimo = std::min<qsizetype>(e.NumArchivos, e.Archivos.size());
    QList<Renombre> renombres;
    renombres.reserve(ultimo);
    for (qint16 i = 0; i < ultimo; ++i)
        renombres.append({e.Archivos.at(i), regla(e.Archivos.at(i), i)});
    return EjecutarRenombres(renombres, e.NumArchivos, paso, pantalla);
}

}  // namespace

FinOperacion CambiarExtension(const Estado& e, PasoRenombrar& paso, Pantalla& pantalla,
                              const QString& extension)
{
    return Recorrer(e, paso, pantalla, [&](const QString& viejo, qint16) {
        return std::optional(ReglaExtension(viejo, extension));
    });
}

FinOperacion CambiarCadena(const Estado& e, PasoRenombrar& paso, Pantalla& pantalla,
                           const QString& buscar, const QString& reemplazo)
{
    return Recorrer(e, paso, pantalla, [&](const QString& viejo, qint16) {
        return ReglaCadena(viejo, buscar, reemplazo);
    });
}

FinOperacion AnadirCadena(const Estado& e, PasoRenombrar& paso, Pantalla& pantalla,
                          const QString& texto, quint8 modo, quint8 posicion)
{
    return Recorrer(e, paso, pantalla, [&](const QString& viejo, qint16) {
        return std::optional(ReglaAnadir(viejo, texto, modo, posicion));
    });
}

FinOperacion GenerarNombres(const Estado& e, PasoRenombrar& paso, Pantalla& pantalla,
                            const QString& patron, qint16 desde)
{
    // Checked before the first rename, so that a run never stops half-way at the limit.
    if (int(desde) + int(e.NumArchivos) > 32767)
        return FinOperacion::FueraDeLimites;
    const PatronGenerar partes(patron);
    const int ancho = AnchoNumeros(desde, e.NumArchivos);
    return Recorrer(e, paso, pantalla, [&](const QString&, qint16 i) {
        return std::optional(ReglaGenerar(partes, desde + i, ancho));
    });
}

FinOperacion CambiarMayusculas(const Estado& e, PasoRenombrar& paso, Pantalla& pantalla,
                               bool mayusculas)
{
    return Recorrer(e, paso, pantalla, [&](const QString& viejo, qint16) {
        return std::optional(ReglaMayusculas(viejo, mayusculas));
    });
}

float AnchoProgreso(float anchoMarco, qint16 numArchivos, qint16 i)
{
    return (anchoMarco - 25.0f) / float(numArchivos) * float(qint16(i + 1));
}

void ActualizarProgreso(Pantalla& pantalla, qint16 numArchivos, qint16 i)
{
    pantalla.FijarAnchoBarra(AnchoProgreso(pantalla.AnchoMarco(), numArchivos, i));
}
