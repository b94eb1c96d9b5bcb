#include "engine/Operaciones.h"

#include "engine/Estado.h"
#include "engine/Pantalla.h"
#include "engine/Plan.h"
#include "engine/Reglas.h"

#include <algorithm>
#include <optional>

// The renames in the planned order. A stop, whoever asks for it, waits until no file is set
// apart: a cycle is always finished, and no name of the run's own is left behind.
FinOperacion EjecutarRenombres(const QList<Renombre>& renombres, qint16 num, PasoRenombrar& paso,
                               Pantalla& pantalla)
{
    const QList<PasoPlan> plan = Planificar(renombres, paso.IgnoraMayusculas(renombres));
    if (!paso.Preparar(renombres, plan))
        return FinOperacion::Rechazada;
    bool parar = false;
    int apartados = 0;
    qint16 hechos = 0;
    for (qsizetype k = 0; k < plan.size(); ++k) {
        parar |= !paso.Dar(k);
        const PasoPlan::Tipo tipo = plan[k].tipo;
        apartados += tipo == PasoPlan::Tipo::Apartar ? 1 : tipo == PasoPlan::Tipo::DesdeApartado ? -1 : 0;
        if (parar && apartados == 0)
            return FinOperacion::Detenida;
        if (tipo != PasoPlan::Tipo::Apartar)
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
