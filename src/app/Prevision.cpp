#include "app/Prevision.h"

#include "app/Proceso.h"
#include "engine/Estado.h"
#include "engine/Panel.h"
#include "engine/Pantalla.h"
#include "log/Deshacer.h"
#include "log/Historial.h"
#include "log/Registro.h"
#include "platform/Plataforma.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace {

Prevision Rechazada(const QString& mensaje)
{
    Prevision p;
    p.mensaje = mensaje;
    return p;
}

// A run in a folder that is not there is refused: so is its preview.
std::optional<Prevision> SinCarpeta(const QString& carpeta)
{
    if (const ResultadoSistema r = CarpetaAbierta(carpeta).Abierta(); !r.ok)
        return Rechazada(RechazoCarpeta(carpeta, r.razon));
    return std::nullopt;
}

Prevision Contar(const PasoSimulado& paso)
{
    Prevision p;
    p.filas = paso.Filas();
    for (const FilaPrevista& f : std::as_const(p.filas)) {
        p.cambios += f.resultado == ResultadoPrevisto::Correcto;
        p.fallos += EsFallo(f.resultado);
    }
    return p;
}

Prevision PreverOperacion(const Estado& e, const Panel& panel)
{
    if (const auto sin = SinCarpeta(e.RutaCarpeta))
        return *sin;
    PasoSimulado paso(e.RutaCarpeta);
    PantallaMuda pantalla;
    const auto fin = OperarPanel(panel, e, paso, pantalla);
    if (const QString* mensaje = std::get_if<QString>(&fin))
        return Rechazada(*mensaje);
    // Without an operation to call (no option chosen) every file stays as it is.
    if (paso.NumFilas() == 0)
        for (qsizetype i = 0; i < std::min<qsizetype>(e.NumArchivos, e.Archivos.size()); ++i)
            paso.Anotar(e.Archivos.at(i), e.Archivos.at(i), ResultadoPrevisto::SinCambios);
    return Contar(paso);
}

Prevision PreverLogCargado(const QString& logCargado)
{
    QFile cargado(logCargado);
    if (!cargado.open(QIODevice::ReadOnly))
        return Rechazada(RechazoLogCargado(logCargado, cargado.errorString()));
    if (const auto sin = SinCarpeta(QFileInfo(logCargado).path()))
        return *sin;
    PasoSimulado paso(QFileInfo(logCargado).path());
    // A record that undo passes over shows as it reads, in the direction of the undo.
    RecorrerDeshacer(LeerLog(cargado.readAll(), false), paso, [&](const Registro& r, int i) {
        if (paso.NumFilas() == i)
            paso.Anotar(r.nuevo, r.viejo,
                        r.fallo ? ResultadoPrevisto::OmitidoFallo : ResultadoPrevisto::OmitidoLinea);
    });
    return Contar(paso);
}

}  // namespace

Prevision Prever(const Estado& e, const Panel& panel)
{
    return e.LogCargado ? PreverLogCargado(e.RutaLogCargado) : PreverOperacion(e, panel);
}

Prevision PreverEntrada(const EntradaHistorial& entrada, const QList<EntradaHistorial>& historial)
{
    if (const auto sin = SinCarpeta(entrada.carpeta))
        return *sin;
    const QList<Renombre> renombres = CalcularPendiente(entrada, historial).renombres;
    PasoSimulado paso(entrada.carpeta);
    PantallaMuda pantalla;
    EjecutarRenombres(renombres, qint16(std::min<qsizetype>(renombres.size(), 32767)), paso, pantalla);
    return Contar(paso);
}
