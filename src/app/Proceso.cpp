#include "app/Proceso.h"

#include "engine/Estado.h"
#include "engine/Listado.h"
#include "engine/Panel.h"
#include "engine/Pantalla.h"
#include "log/Deshacer.h"
#include "log/Historial.h"
#include "log/Registro.h"
#include "log/Renombrador.h"
#include "platform/Nombres.h"
#include "platform/Plataforma.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <functional>

namespace {

ResultadoProceso Rehusar(const QString& mensaje)
{
    ResultadoProceso r;
    r.aceptado = false;
    r.mensaje = mensaje;
    return r;
}

QString Rechazo(const QString& que, const QString& ruta, const QString& razon)
{
    return que + u'\n' + NombreVisible(ruta) + u'\n' + razon;
}

// Holds EnProceso from a run's first check to its end. A run never starts inside another of
// the same state: its folder, log and counters are its own until it ends.
class Ocupado {
public:
    explicit Ocupado(Estado& e) : e(e), libre(!e.EnProceso) { e.EnProceso = true; }
    ~Ocupado()
    {
        if (libre)
            e.EnProceso = false;
    }
    bool Libre() const { return libre; }

private:
    Estado& e;
    const bool libre;
};

QString YaEnProceso()
{
    return QCoreApplication::translate("Proceso", "Ya hay un proceso en curso. Espere a que termine.");
}

// A run once the panel or the loaded log has nothing to refuse: its own log opened, then
// `renombrar` through the step in the entry's folder (false when the step stopped it). Before
// the first rename the step has the plan kept, and the log put in place of "temp.txt" (unless
// `enLugarDeTemporal` is false); a plan that can't be kept refuses the run, which leaves
// everything as it was. At the end the log is closed and its entry told how the run ended.
ResultadoProceso Correr(Estado& e, Pantalla& pantalla, const QByteArray& cabecera,
                        const EntradaHistorial& datos, bool enLugarDeTemporal,
                        const std::function<bool(RenombradorLog&)>& renombrar)
{
    const auto rechazo = [&e](const QString& razon) {
        return Rehusar(Rechazo(QCoreApplication::translate("Proceso", "No se pudo crear el registro:"), e.RutaLog, razon));
    };
    LogDeCorrida log;
    if (const ResultadoSistema r = log.Abrir(e.RutaLog, cabecera, datos, enLugarDeTemporal); !r.ok)
        return rechazo(r.razon);
    const QString carpetaAntes = std::exchange(e.RutaCarpeta, datos.carpeta);
    const qint16 fallosAntes = std::exchange(e.Fallos, 0);
    e.FicheroLog = &log.Fichero();
    RenombradorLog paso(e, pantalla, log.PrefijoTemporal(), [&log](const QByteArray& pasos) { return log.Comenzar(pasos); });
    // A folder that is not there (a card not inserted, a folder renamed): nothing to run.
    if (const ResultadoSistema carpeta = paso.Carpeta(); !carpeta.ok) {
        e.RutaCarpeta = carpetaAntes;
        e.Fallos = fallosAntes;
        e.FicheroLog = nullptr;
        return Rehusar(RechazoCarpeta(datos.carpeta, carpeta.razon));
    }
    const bool completa = renombrar(paso);
    e.FicheroLog = nullptr;
    // A run with nothing to rename planned nothing: it begins here, empty.
    const ResultadoSistema comienzo = log.Comenzado() || !paso.SinPlan().ok ? paso.SinPlan() : log.Comenzar({});
    if (!comienzo.ok) {
        e.RutaCarpeta = carpetaAntes;
        e.Fallos = fallosAntes;
        return rechazo(comienzo.razon);
    }

    ResultadoProceso r;
    if (log.Fichero().error() != QFileDevice::NoError)
        r.mensaje = QCoreApplication::translate("Proceso", "No se pudo escribir el registro. El proceso se detuvo.")
            + u'\n' + log.Fichero().errorString();
    r.completa = completa && r.mensaje.isEmpty() && !pantalla.Detenido();
    log.Terminar(r.completa ? EstadoEntrada::Completa : EstadoEntrada::Interrumpida,
                 paso.Renombrados(), e.Fallos);
    log.Fichero().close();
    r.log = log.Ruta();
    r.deshacible = true;
    return r;
}

EntradaHistorial Datos(const QString& carpeta, const Eleccion& eleccion)
{
    EntradaHistorial d;
    d.fecha = QDateTime::currentDateTime();
    d.carpeta = carpeta;
    d.eleccion = eleccion;
    return d;
}

}  // namespace

QString RechazoCarpeta(const QString& ruta, const QString& razon)
{
    return Rechazo(QCoreApplication::translate("Proceso", "No se pudo abrir la carpeta:"), ruta, razon);
}

QString RechazoLogCargado(const QString& ruta, const QString& razon)
{
    return Rechazo(QCoreApplication::translate("Proceso", "No se pudo abrir el log:"), ruta, razon);
}

ResultadoProceso Procesar(Estado& e, Pantalla& pantalla, const Panel& panel)
{
    const Ocupado ocupado(e);
    if (!ocupado.Libre())
        return Rehusar(YaEnProceso());
    // Whatever can refuse the run is settled before "temp.txt" is touched: a refused run
    // leaves the previous run's log, which can still be undone and saved.
    const QByteArray cabecera = CabeceraLog(e.NumArchivos, e.RutaCarpeta);
    ResultadoProceso r;
    if (e.LogCargado) {
        QFile cargado(e.RutaLogCargado);
        if (!cargado.open(QIODevice::ReadOnly))
            return Rehusar(RechazoLogCargado(e.RutaLogCargado, cargado.errorString()));
        const QByteArray bytes = cargado.readAll();
        // The saved log's renames are undone in the folder where it lies; no offer to save
        // afterwards, since this log holds the reverse renames.
        const QFileInfo info(e.RutaLogCargado);
        r = Correr(e, pantalla, cabecera,
                   Datos(CarpetaSeleccion(info.path()), Eleccion{{}, info.fileName(), {}, 0}), true,
                   [&](RenombradorLog& paso) { return DeshacerLog(e, paso, pantalla, bytes); });
        e.LogCargado = !r.aceptado;
    } else {
        const auto leido = LeerPanel(panel, e.NumArchivos);
        if (const QString* mensaje = std::get_if<QString>(&leido))
            return Rehusar(*mensaje);
        const Operacion& op = std::get<Operacion>(leido);
        r = Correr(e, pantalla, cabecera, Datos(e.RutaCarpeta, Eleccion{op, {}, {}, 0}), true,
                   [&](RenombradorLog& paso) {
                       return EjecutarOperacion(op, e, paso, pantalla) == FinOperacion::Completa;
                   });
        r.ofrecerGuardar = r.completa && e.GuardarLog;
    }
    if (r.aceptado)
        e.LogPropio = r.log;
    return r;
}

ResultadoProceso DeshacerEntrada(Estado& e, Pantalla& pantalla, const EntradaHistorial& entrada, bool delMenu)
{
    const Ocupado ocupado(e);
    if (!ocupado.Libre())
        return Rehusar(YaEnProceso());
    const QString carpeta = QFileInfo(entrada.log).path();
    // One undo at a time among the windows of the user, so that no two undo the same renames:
    // the claim goes with the process, however it ends.
    const Cerrojo reclamo(carpeta);
    if (!reclamo.Tomado())
        return Rehusar(QCoreApplication::translate("Proceso", "Otra ventana está deshaciendo una ejecución. Inténtelo cuando termine."));
    // Read again once claimed: another window may have undone it meanwhile.
    const std::optional<EntradaHistorial> ahora = LeerEntrada(entrada.log);
    if (!ahora)
        return Rehusar(RechazoLogCargado(entrada.log, QFile(entrada.log).exists()
                                                          ? QCoreApplication::translate("Proceso", "No es un registro del historial.")
                                                          : QCoreApplication::translate("Proceso", "No existe.")));
    if (ahora->estado == EstadoEntrada::EnCurso)
        return Rehusar(QCoreApplication::translate("Proceso", "Esta ejecución sigue en curso en otra ventana."));
    if (ahora->estado == EstadoEntrada::Deshecha)
        return Rehusar(QCoreApplication::translate("Proceso", "Esta ejecución ya está deshecha."));
    const Pendiente pendiente = CalcularPendiente(*ahora, LeerHistorial(carpeta));
    // What a run killed between reserving a name and renaming onto it left behind. One that
    // cannot be removed makes its file's way back fail, which the undo then reports.
    CarpetaAbierta reservas(ahora->carpeta);
    for (const QString& r : pendiente.reservas)
        static_cast<void>(reservas.QuitarReserva(r));
    const qint16 num = qint16(std::min<qsizetype>(pendiente.renombres.size(), 32767));
    Eleccion deshacer = ahora->eleccion;
    ++deshacer.deshaceres;
    EntradaHistorial datos = Datos(ahora->carpeta, deshacer);
    datos.deshace = QFileInfo(ahora->log).fileName();
    Pendiente queda = pendiente;
    ResultadoProceso r = Correr(e, pantalla, CabeceraLog(num, ahora->carpeta), datos, !delMenu, [&](RenombradorLog& paso) {
        const bool completa = EjecutarRenombres(pendiente.renombres, num, paso, pantalla) == FinOperacion::Completa;
        // What is left: the files whose way back did not take them home.
        queda.renombres.clear();
        for (qsizetype i = 0; i < pendiente.renombres.size(); ++i) {
            if (!paso.Llegados().value(i))
                queda.renombres.append(pendiente.renombres[i]);
            queda.tocada |= paso.Llegados().value(i);
        }
        return completa;
    });
    if (!r.aceptado)
        return r;
    MarcarTrasDeshacer(*ahora, queda);
    if (!delMenu) {
        e.LogPropio = r.log;
        return r;
    }
    const std::optional<EntradaHistorial> despues = LeerEntrada(ahora->log);
    r.deshacible = despues && Deshacible(despues->estado);
    return r;
}

ResultadoProceso DeshacerPropio(Estado& e, Pantalla& pantalla)
{
    EntradaHistorial propia;
    propia.log = e.LogPropio;
    return DeshacerEntrada(e, pantalla, propia, true);
}
