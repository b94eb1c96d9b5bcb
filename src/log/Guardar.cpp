#include "log/Guardar.h"

#include "log/Registro.h"

#include <QFile>
#include <QSettings>

namespace {

const QString ClaveGuardar = QStringLiteral("Settings/Guardar");

}  // namespace

ResultadoSistema CopiarLogGuardado(const QString& temporal, const QString& destino)
{
    QFile origen(temporal);
    if (!origen.open(QIODevice::ReadOnly))
        return {false, origen.errorString()};
    const QByteArray bytes = origen.readAll();
    if (origen.error() != QFileDevice::NoError)
        return {false, origen.errorString()};

    QByteArray guardado;
    for (const Registro& r : LeerLog(bytes, true).registros)
        if (r.deshacible)
            guardado += LineaRegistro(r.viejo, r.nuevo);

    // A saved log is the user's only way back once the history has let the run go.
    return EscribirEntero(destino, guardado, true);
}

bool LeerGuardar(QSettings& ajustes)
{
    const QString valor = ajustes.value(ClaveGuardar).toString().trimmed().toLower();
    if (valor == u"false" || valor == u"0")
        return false;
    // "true", "-1", "1", and anything unreadable: the option starts on.
    return true;
}

void EscribirGuardar(QSettings& ajustes, bool guardar)
{
    ajustes.setValue(ClaveGuardar, guardar ? QStringLiteral("True") : QStringLiteral("False"));
    ajustes.sync();
}
