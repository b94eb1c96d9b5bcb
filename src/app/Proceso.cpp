#include "app/Proceso.h"

#include "app/Estado.h"
#include "app/Pantalla.h"
#include "engine/Panel.h"
#include "log/Deshacer.h"
#include "log/Registro.h"
#include "log/Renombrador.h"
#include "platform/Plataforma.h"

#include <QFile>

namespace {

QString Rechazo(const QString& que, const QString& ruta, const QString& razon)
{
    return que + u'\n' + ruta + u'\n' + razon;
}

// The operation mode: the panel's parameters are checked before anything is renamed.
ResultadoProceso Operar(Estado& e, Pantalla& pantalla, const Panel& panel)
{
    RenombradorLog paso(e, pantalla);
    const auto fin = OperarPanel(panel, e, paso, pantalla);
    if (const QString* mensaje = std::get_if<QString>(&fin))
        return {false, *mensaje};
    return {true, {}, std::get<FinOperacion>(fin) == FinOperacion::Completa};
}

// The loaded-log mode: the saved log's renames are undone in the folder where it lies.
ResultadoProceso DeshacerCargado(Estado& e, Pantalla& pantalla, const QString& logCargado,
                                 const QString& carpetaLog)
{
    QFile cargado(logCargado);
    if (!cargado.open(QIODevice::ReadOnly))
        return {false, RechazoLogCargado(logCargado, cargado.errorString())};
    e.RutaCarpeta = carpetaLog;
    DeshacerLog(e, pantalla, cargado, false);
    // No offer to save after an undo: its log holds the reverse renames.
    return {};
}

}  // namespace

QString RechazoLogCargado(const QString& ruta, const QString& razon)
{
    return Rechazo(QStringLiteral("No se pudo abrir el log:"), ruta, razon);
}

ResultadoProceso Procesar(Estado& e, Pantalla& pantalla, const Panel& panel,
                          const QString& logCargado, const QString& carpetaLog)
{
    e.Fallos = 0;
    const bool modoCargado = e.LogCargado;
    e.LogCargado = false;

    // Unbuffered, so that every record reaches the system as soon as its rename is done.
    QFile log(e.RutaLog);
    const QByteArray cabecera = CabeceraLog(e.NumArchivos, e.RutaCarpeta);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)
        || log.write(cabecera) != cabecera.size())
        return {false,
                Rechazo(QStringLiteral("No se pudo crear el registro:"), e.RutaLog,
                        log.errorString())};

    e.FicheroLog = &log;
    ResultadoProceso r = modoCargado ? DeshacerCargado(e, pantalla, logCargado, carpetaLog)
                                     : Operar(e, pantalla, panel);
    e.FicheroLog = nullptr;

    if (log.error() != QFileDevice::NoError) {
        r.mensaje = QStringLiteral("No se pudo escribir el registro. El proceso se detuvo.\n")
            + log.errorString();
        r.ofrecerGuardar = false;
    }
    SincronizarFichero(log);
    log.close();
    r.ofrecerGuardar = r.ofrecerGuardar && e.GuardarLog && !pantalla.Detenido();
    return r;
}
