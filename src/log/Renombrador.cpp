#include "log/Renombrador.h"

#include "engine/Estado.h"
#include "engine/Pantalla.h"
#include "log/Registro.h"
#include "platform/Plataforma.h"

#include <QFile>

bool EsNombreDesnudo(const QString& nombre)
{
    if (nombre.isEmpty() || nombre == u"." || nombre == u"..")
        return false;
    for (QChar c : nombre) {
        const char16_t u = c.unicode();
        if (u == u'/' || u == 0)
            return false;
    }
    return true;
}

bool NombresAdmitidos(const QString& viejo, const QString& nuevo)
{
    return EsNombreDesnudo(viejo) && EsNombreDesnudo(nuevo) && !viejo.contains(MarcaFallo)
        && !nuevo.contains(MarcaFallo);
}

namespace {

// A disk that fills up takes part of a record and refuses the rest: the second write then
// fails, and the log itself says why. The part taken is cut off again: a reader that takes a
// last record without its line end would take it whole, for a rename that is taken back.
bool EscribirTodo(QIODevice& log, const QByteArray& linea)
{
    const qint64 inicio = log.pos();
    qint64 hecho = 0;
    for (qint64 n = 0; hecho < linea.size(); hecho += n) {
        n = log.write(linea.constData() + hecho, linea.size() - hecho);
        if (n <= 0) {
            // By its name: the open file keeps its error, which the run reports.
            if (auto* fichero = qobject_cast<QFile*>(&log); fichero && hecho > 0)
                QFile::resize(fichero->fileName(), inicio);
            return false;
        }
    }
    return true;
}

}  // namespace

RenombradorLog::RenombradorLog(Estado& e, Pantalla& pantalla)
    : e(e), pantalla(pantalla), carpeta(e.RutaCarpeta)
{
}

bool RenombradorLog::RenombrarArchivo(const QString& viejo, const QString& nuevo)
{
    pantalla.MostrarFichero(viejo);
    pantalla.CederEventos();
    bool escrito = true;
    const bool ok = Renombrar(viejo, nuevo, escrito);
    return Contar(ok, escrito, viejo != nuevo);
}

bool RenombradorLog::IgnoraMayusculas()
{
    return ::IgnoraMayusculas(e.RutaCarpeta, e.Archivos);
}

bool RenombradorLog::Apartar(const QString& viejo, QString& temporal)
{
    pantalla.CederEventos();
    QString apartado;
    // One that can't be set apart has no record here: its rename, tried in turn, has it.
    if (!NombresAdmitidos(viejo, viejo) || !carpeta.Apartar(viejo, apartado).ok)
        return !pantalla.Detenido();
    const bool escrito = Anotar(viejo, apartado, true, {});
    if (escrito)
        temporal = apartado;
    else
        carpeta.Renombrar(apartado, viejo);
    return escrito && !pantalla.Detenido();
}

bool RenombradorLog::RenombrarApartado(const QString& temporal, const QString& viejo, const QString& nuevo)
{
    pantalla.MostrarFichero(viejo);
    pantalla.CederEventos();
    bool escrito = true;
    const bool ok = Renombrar(temporal, nuevo, escrito);
    // Its old name back where that is free again, so that no name of the run's own stays.
    if (!ok && escrito && carpeta.Renombrar(temporal, viejo).ok && !Anotar(temporal, viejo, true, {}))
        carpeta.Renombrar(viejo, temporal);
    return Contar(ok, escrito, viejo != nuevo);
}

bool RenombradorLog::Contar(bool ok, bool escrito, bool cambia)
{
    if (!ok && e.Fallos < 32767)
        ++e.Fallos;
    renombrados += ok && escrito && cambia;
    // No further rename once the log can't take its records.
    return escrito && !pantalla.Detenido();
}

void RenombradorLog::Omitir(const QString&) {}

bool RenombradorLog::Renombrar(const QString& viejo, const QString& nuevo, bool& escrito)
{
    ResultadoSistema r{false, RazonNombreNoValido.toString()};
    if (NombresAdmitidos(viejo, nuevo))
        r = carpeta.Renombrar(viejo, nuevo);
    escrito = Anotar(viejo, nuevo, r.ok, r.razon);
    // A rename that the log does not hold could never be undone: it is taken back.
    if (!escrito && r.ok)
        carpeta.Renombrar(nuevo, viejo);
    return r.ok;
}

bool RenombradorLog::Anotar(const QString& viejo, const QString& nuevo, bool ok, const QString& razon)
{
    if (!e.FicheroLog)
        return true;
    linea.resize(0);
    AnadirRegistro(linea, viejo, ok ? nuevo : CampoFallo(nuevo, razon));
    return EscribirTodo(*e.FicheroLog, linea);
}
