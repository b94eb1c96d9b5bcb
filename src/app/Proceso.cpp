#include "app/Proceso.h"

#include "engine/Estado.h"
#include "engine/Panel.h"
#include "engine/Pantalla.h"
#include "log/Deshacer.h"
#include "log/Registro.h"
#include "log/Renombrador.h"
#include "platform/Plataforma.h"

#include <QCoreApplication>
#include <QFile>

namespace {

QString Rechazo(const QString& que, const QString& ruta, const QString& razon)
{
    return que + u'\n' + ruta + u'\n' + razon;
}

// A new file beside "temp.txt", its header written, then put in its place in one step: until
// then the previous run's log stays whole. Unbuffered, so that every record reaches the
// system as soon as its rename is done.
ResultadoSistema CrearLog(QFile& log, const QString& ruta, const QByteArray& cabecera)
{
    const QString prefijo = ruta + u'.' + QString::number(QCoreApplication::applicationPid()) + u'-';
    for (int n = 0; !log.isOpen(); ++n) {
        log.setFileName(prefijo + QString::number(n));
        if (!log.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)
            && (n == 100 || !QFile::exists(log.fileName())))
            return {false, log.errorString()};
    }
    ResultadoSistema r{false, {}};
    if (log.write(cabecera) != cabecera.size())
        r.razon = log.errorString();
    else
        r = Reemplazar(log.fileName(), ruta);
    if (!r.ok)
        log.remove();
    return r;
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
    QFile cargado(logCargado);
    Operacion op;
    if (e.LogCargado) {
        if (!cargado.open(QIODevice::ReadOnly))
            return {false, RechazoLogCargado(logCargado, cargado.errorString())};
    } else {
        auto leido = LeerPanel(panel, e.NumArchivos);
        if (const QString* mensaje = std::get_if<QString>(&leido))
            return {false, *mensaje};
        op = std::get<Operacion>(std::move(leido));
    }

    QFile log;
    if (const ResultadoSistema r = CrearLog(log, e.RutaLog, CabeceraLog(e.NumArchivos, e.RutaCarpeta));
        !r.ok)
        return {false, Rechazo(QStringLiteral("No se pudo crear el registro:"), e.RutaLog, r.razon)};

    e.Fallos = 0;
    e.FicheroLog = &log;
    ResultadoProceso r;
    if (std::exchange(e.LogCargado, false)) {
        // The saved log's renames are undone in the folder where it lies; no offer to save
        // afterwards, since this log holds the reverse renames.
        e.RutaCarpeta = carpetaLog;
        DeshacerLog(e, pantalla, cargado, false);
    } else {
        RenombradorLog paso(e, pantalla);
        r.ofrecerGuardar = EjecutarOperacion(op, e, paso, pantalla) == FinOperacion::Completa;
    }
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
