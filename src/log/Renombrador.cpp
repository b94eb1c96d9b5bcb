#include "log/Renombrador.h"

#include "engine/Estado.h"
#include "engine/Pantalla.h"
#include "log/Registro.h"
#include "platform/Plataforma.h"

#include <QIODevice>

bool EsNombreDesnudo(const QString& nombre)
{
    if (nombre.isEmpty() || nombre == u"." || nombre == u"..")
        return false;
    for (QChar c : nombre) {
        const char16_t u = c.unicode();
#ifdef Q_OS_WIN
        if (u == u'\\')
            return false;
#endif
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
// fails, and the log itself says why.
bool EscribirTodo(QIODevice& log, const QByteArray& linea)
{
    qint64 hecho = 0;
    for (qint64 n = 0; hecho < linea.size(); hecho += n) {
        n = log.write(linea.constData() + hecho, linea.size() - hecho);
        if (n <= 0)
            return false;
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

    ResultadoSistema r{false, RazonNombreNoValido.toString()};
    if (NombresAdmitidos(viejo, nuevo))
        r = carpeta.Renombrar(viejo, nuevo);

    bool escrito = true;
    if (e.FicheroLog) {
        linea.resize(0);
        AnadirRegistro(linea, viejo, r.ok ? nuevo : CampoFallo(nuevo, r.razon));
        escrito = EscribirTodo(*e.FicheroLog, linea);
        // A rename that the log does not hold could never be undone: it is taken back.
        if (!escrito && r.ok)
            carpeta.Renombrar(nuevo, viejo);
    }
    if (!r.ok && e.Fallos < 32767)
        ++e.Fallos;
    renombrados += r.ok && escrito && viejo != nuevo;
    // No further rename once the log can't take its records.
    return escrito && !pantalla.Detenido();
}
