#include "app/Proceso.h"

#include "engine/Estado.h"
#include "engine/Panel.h"
#include "engine/Pantalla.h"
#include "log/Deshacer.h"
#include "log/Historial.h"
#include "log/Registro.h"
#include "log/Renombrador.h"
#include "platform/Nombres.h"
#include "platform/Plataforma.h"

#include <QFile>
#include <QFileInfo>

#include <functional>

namespace {

QString Rechazo(const QString& que, const QString& ruta, const QString& razon)
{
    return que + u'\n' + NombreVisible(ruta) + u'\n' + razon;
}

// A run once nothing can refuse it any more: its own log opened and put in place of
// "temp.txt", then `renombrar` through the step in `carpeta` (false when the step stopped it);
// the log closed, its entry told how the run ended, and the log made the window's own.
ResultadoProceso Correr(Estado& e, Pantalla& pantalla, const QByteArray& cabecera,
                        const EntradaHistorial& datos,
                        const std::function<bool(RenombradorLog&)>& renombrar)
{
    LogDeCorrida log;
    if (const ResultadoSistema r = log.Abrir(e.RutaLog, cabecera, datos); !r.ok)
        return {false, Rechazo(QStringLiteral("No se pudo crear el registro:"), e.RutaLog, r.razon)};
    e.Fallos = 0;
    e.RutaCarpeta = datos.carpeta;
    e.FicheroLog = &log.Fichero();
    RenombradorLog paso(e, pantalla);
    const bool completa = renombrar(paso);
    e.FicheroLog = nullptr;

    ResultadoProceso r;
    if (log.Fichero().error() != QFileDevice::NoError)
        r.mensaje = QStringLiteral("No se pudo escribir el registro. El proceso se detuvo.\n")
            + log.Fichero().errorString();
    SincronizarFichero(log.Fichero());
    r.completa = completa && r.mensaje.isEmpty() && !pantalla.Detenido();
    log.Terminar(r.completa ? EstadoEntrada::Completa : EstadoEntrada::Interrumpida,
                 paso.Renombrados(), e.Fallos);
    log.Fichero().close();
    e.LogPropio = log.Ruta();
    return r;
}

EntradaHistorial Datos(const QString& carpeta, const QString& operacion)
{
    EntradaHistorial d;
    d.fecha = QDateTime::currentDateTime();
    d.carpeta = carpeta;
    d.operacion = operacion;
    return d;
}

}  // namespace

QString RechazoLogCargado(const QString& ruta, const QString& razon)
{
    return Rechazo(QStringLiteral("No se pudo abrir el log:"), ruta, razon);
}

ResultadoProceso Procesar(Estado& e, Pantalla& pantalla, const Panel& panel,
                          const QString& logCargado, const QString& carpetaLog)
{
    // Whatever can refuse the run is settled before "temp.txt" is touched: a refused run
    // leaves the previous run's log, which can still be undone and saved.
    const QByteArray cabecera = CabeceraLog(e.NumArchivos, e.RutaCarpeta);
    if (e.LogCargado) {
        QFile cargado(logCargado);
        if (!cargado.open(QIODevice::ReadOnly))
            return {false, RechazoLogCargado(logCargado, cargado.errorString())};
        const QByteArray bytes = cargado.readAll();
        // The saved log's renames are undone in the folder where it lies; no offer to save
        // afterwards, since this log holds the reverse renames.
        ResultadoProceso r = Correr(
            e, pantalla, cabecera,
            Datos(carpetaLog, QStringLiteral("Log cargado: ") + QFileInfo(logCargado).fileName()),
            [&](RenombradorLog& paso) { return DeshacerLog(e, paso, pantalla, bytes, false); });
        e.LogCargado = !r.aceptado;
        return r;
    }
    const auto leido = LeerPanel(panel, e.NumArchivos);
    if (const QString* mensaje = std::get_if<QString>(&leido))
        return {false, *mensaje};
    const Operacion& op = std::get<Operacion>(leido);
    ResultadoProceso r = Correr(e, pantalla, cabecera, Datos(e.RutaCarpeta, DescribirOperacion(op)),
                                [&](RenombradorLog& paso) {
                                    return EjecutarOperacion(op, e, paso, pantalla) == FinOperacion::Completa;
                                });
    r.ofrecerGuardar = r.completa && e.GuardarLog;
    return r;
}

ResultadoProceso DeshacerEntrada(Estado& e, Pantalla& pantalla, const EntradaHistorial& entrada)
{
    QFile f(entrada.log);
    if (!f.open(QIODevice::ReadOnly))
        return {false, RechazoLogCargado(entrada.log, f.errorString())};
    const QByteArray bytes = f.readAll();
    // The header of the run undone, so that undoing this undo fills the bar over its records.
    const QByteArray cabecera = CabeceraLog(LeerLog(bytes, true).numArchivos, entrada.carpeta);
    ResultadoProceso r = Correr(e, pantalla, cabecera, Datos(entrada.carpeta, QStringLiteral("Deshacer")),
                                [&](RenombradorLog& paso) { return DeshacerLog(e, paso, pantalla, bytes, true); });
    if (r.completa)
        MarcarEntrada(entrada, EstadoEntrada::Deshecha);
    return r;
}
