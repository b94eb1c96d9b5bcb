#include "log/Renombrador.h"

#include "app/Estado.h"
#include "app/Pantalla.h"
#include "log/Registro.h"
#include "platform/Plataforma.h"

#include <QIODevice>

bool EsNombreDesnudo(const QString& nombre)
{
    if (nombre.isEmpty() || nombre == u"." || nombre == u".." || nombre.contains(QChar(0)))
        return false;
#ifdef Q_OS_WIN
    if (nombre.contains(u'\\'))
        return false;
#endif
    return !nombre.contains(u'/');
}

bool NombresAdmitidos(const QString& viejo, const QString& nuevo)
{
    return EsNombreDesnudo(viejo) && EsNombreDesnudo(nuevo) && !nuevo.contains(MarcaFallo);
}

RenombradorLog::RenombradorLog(Estado& e, Pantalla& pantalla) : e(e), pantalla(pantalla) {}

bool RenombradorLog::RenombrarArchivo(const QString& viejo, const QString& nuevo)
{
    pantalla.MostrarFichero(viejo);
    pantalla.CederEventos();

    ResultadoSistema r{false, RazonNombreNoValido.toString()};
    if (NombresAdmitidos(viejo, nuevo))
        r = RenombrarSinSobrescribir(e.RutaCarpeta + viejo, e.RutaCarpeta + nuevo);

    bool escrito = true;
    if (e.FicheroLog) {
        const QByteArray linea = LineaRegistro(viejo, r.ok ? nuevo : CampoFallo(nuevo, r.razon));
        escrito = e.FicheroLog->write(linea) == linea.size();
        // A rename that the log does not hold could never be undone: it is taken back.
        if (!escrito && r.ok)
            RenombrarSinSobrescribir(e.RutaCarpeta + nuevo, e.RutaCarpeta + viejo);
    }
    if (!r.ok && e.Fallos < 32767)
        ++e.Fallos;
    // No further rename once the log can't take its records.
    return escrito && !pantalla.Detenido();
}
