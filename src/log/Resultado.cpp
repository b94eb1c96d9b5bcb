#include "log/Resultado.h"

#include "log/Registro.h"
#include "log/Renombrador.h"
#include "log/Simulacion.h"
#include "platform/Plataforma.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>

#include <algorithm>

QList<FilaResultado> LeerResultado(const QByteArray& bytes)
{
    const QString marca = u' ' + MarcaFallo.toString() + u": "_qs;
    QList<FilaResultado> filas;
    QHash<QString, qsizetype> dadoPor;  // a name a record gave -> the row of the file it went to
    QSet<QString> tomados;              // the names the run's renames hold now
    for (const Registro& r : LeerLog(bytes, true).registros) {
        if (!r.completo)
            continue;
        const qsizetype corte = r.fallo ? r.nuevo.indexOf(marca) : -1;
        FilaResultado paso{r.viejo, corte < 0 ? r.nuevo : r.nuevo.left(corte),
                           corte < 0 ? QString() : RazonEnPalabras(r.nuevo.mid(corte + marca.size()))};
        // The name taken by one of the run's own renames: said as the preview says it.
        if (paso.razon == TextoResultado(ResultadoPrevisto::NombreExiste) && tomados.contains(paso.nuevo))
            paso.razon = TextoResultado(ResultadoPrevisto::CambioAnterior);
        if (paso.razon.isEmpty()) {
            tomados.remove(paso.actual);
            tomados.insert(paso.nuevo);
        }
        if (const auto antes = dadoPor.constFind(r.viejo); antes != dadoPor.cend()) {
            const qsizetype fila = *antes;  // a copy: the insert below may move the hash's values
            // Back under its own name after its new one failed: the failure is what it tells.
            if (!(paso.razon.isEmpty() && paso.nuevo == filas[fila].actual))
                filas[fila] = {filas[fila].actual, paso.nuevo, paso.razon};
            if (paso.razon.isEmpty())
                dadoPor.insert(paso.nuevo, fila);
            continue;
        }
        if (paso.razon.isEmpty())
            dadoPor.insert(paso.nuevo, filas.size());
        filas.append(paso);
    }
    std::stable_partition(filas.begin(), filas.end(), [](const FilaResultado& f) { return !f.razon.isEmpty(); });
    return filas;
}

QString RazonEnPalabras(const QString& razon)
{
    if (razon == RazonNombreNoValido)
        return TextoResultado(ResultadoPrevisto::NombreNoValido);
    const std::pair<Causa, QString> Palabras[] = {
        {Causa::Existe, TextoResultado(ResultadoPrevisto::NombreExiste)},
        {Causa::NoExiste, TextoResultado(ResultadoPrevisto::NoExiste)},
        {Causa::NombreLargo, TextoResultado(ResultadoPrevisto::NombreNoValido)},
        {Causa::Permiso, TextoResultado(ResultadoPrevisto::SinPermiso)},
        {Causa::NoPermitido, QCoreApplication::translate("Resultados", "Operación no permitida")},
        {Causa::SoloLectura, TextoResultado(ResultadoPrevisto::SoloLectura)},
    };
    for (const auto& [causa, palabras] : Palabras)
        if (razon == TextoDelSistema(causa))
            return palabras;
    return razon;
}
