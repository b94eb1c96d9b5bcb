#include "log/Simulacion.h"

#include "log/Renombrador.h"
#include "platform/Nombres.h"
#include "platform/Plataforma.h"

QString TextoResultado(ResultadoPrevisto r)
{
    switch (r) {
    case ResultadoPrevisto::SinCambios:
        return QStringLiteral("Sin cambios");
    case ResultadoPrevisto::Correcto:
        return QStringLiteral("Correcto");
    case ResultadoPrevisto::NombreExiste:
        return QStringLiteral("El nombre ya existe");
    case ResultadoPrevisto::CambioAnterior:
        return QStringLiteral("Lo toma un cambio anterior");
    case ResultadoPrevisto::RenombraDespues:
        return QStringLiteral("Lo tiene un archivo que se renombra después");
    case ResultadoPrevisto::NombreNoValido:
        return QStringLiteral("Nombre de archivo no válido");
    case ResultadoPrevisto::NoExiste:
        return QStringLiteral("El archivo no existe");
    case ResultadoPrevisto::OmitidoFallo:
        return QStringLiteral("Omitido (fallo registrado)");
    case ResultadoPrevisto::OmitidoLinea:
        return QStringLiteral("Omitido (línea no válida)");
    }
    return {};
}

bool EsFallo(ResultadoPrevisto r)
{
    switch (r) {
    case ResultadoPrevisto::NombreExiste:
    case ResultadoPrevisto::CambioAnterior:
    case ResultadoPrevisto::RenombraDespues:
    case ResultadoPrevisto::NombreNoValido:
    case ResultadoPrevisto::NoExiste:
        return true;
    default:
        return false;
    }
}

PasoSimulado::PasoSimulado(const QString& carpeta)
{
    const NombresCarpeta leidos = LeerNombresCarpeta(carpeta);
    ignoraMayusculas = leidos.ignoraMayusculas;
    largoMaximo = leidos.largoMaximo;
    for (const QByteArray& n : leidos.nombres)
        presentes.insert(ignoraMayusculas ? ClaveNombre(NombreDesdeBytes(n), true) : n);
}

bool PasoSimulado::RenombrarArchivo(const QString& viejo, const QString& nuevo)
{
    Simular(viejo, viejo, nuevo);
    return true;
}

bool PasoSimulado::Apartar(const QString& viejo, QString& temporal)
{
    const QByteArray origen = ClaveNombre(viejo, ignoraMayusculas);
    if (!NombresAdmitidos(viejo, viejo) || !presentes.contains(origen))
        return true;
    temporal = QStringLiteral(".brindlewick-%1").arg(++apartados);
    presentes.remove(origen);
    dadosEnLaCorrida.remove(origen);
    presentes.insert(ClaveNombre(temporal, ignoraMayusculas));
    return true;
}

bool PasoSimulado::RenombrarApartado(const QString& temporal, const QString& viejo, const QString& nuevo)
{
    // Where it fails, the file takes its old name back, if that is free again.
    const QByteArray antes = ClaveNombre(viejo, ignoraMayusculas);
    if (EsFallo(Simular(temporal, viejo, nuevo)) && !presentes.contains(antes)) {
        presentes.remove(ClaveNombre(temporal, ignoraMayusculas));
        presentes.insert(antes);
    }
    return true;
}

void PasoSimulado::Omitir(const QString& viejo)
{
    Anotar(viejo, viejo, ResultadoPrevisto::SinCambios);
}

ResultadoPrevisto PasoSimulado::Simular(const QString& desde, const QString& viejo, const QString& nuevo)
{
    const QByteArray origen = ClaveNombre(desde, ignoraMayusculas);
    const QByteArray destino = ClaveNombre(nuevo, ignoraMayusculas);
    ultimaVezOrigen.insert(origen, filas.size());

    // The checks in the order the step and the system make them: the names first, then the
    // source, then the target.
    ResultadoPrevisto r = ResultadoPrevisto::Correcto;
    if (!NombresAdmitidos(desde, nuevo)) {
        r = ResultadoPrevisto::NombreNoValido;
    } else if (!presentes.contains(origen)) {
        r = ResultadoPrevisto::NoExiste;
    } else if (origen == destino) {
        // Nothing moves. Names that differ in case alone are one name where case doesn't
        // count, and the rename changes only how it is written.
        r = desde == nuevo ? ResultadoPrevisto::SinCambios : ResultadoPrevisto::Correcto;
    } else if (ClaveNombre(nuevo, false).size() > largoMaximo) {
        r = ResultadoPrevisto::NombreNoValido;
    } else if (dadosEnLaCorrida.contains(destino)) {
        r = ResultadoPrevisto::CambioAnterior;
    } else if (presentes.contains(destino)) {
        // Until the run's last rename is seen, a holder may yet turn out to be renamed later.
        r = ResultadoPrevisto::NombreExiste;
        ocupados.append({filas.size(), destino});
    } else {
        presentes.remove(origen);
        dadosEnLaCorrida.remove(origen);
        presentes.insert(destino);
        dadosEnLaCorrida.insert(destino);
    }
    filas.append({viejo, nuevo, r});
    return r;
}

void PasoSimulado::Anotar(const QString& actual, const QString& nuevo, ResultadoPrevisto r)
{
    filas.append({actual, nuevo, r});
}

QList<FilaPrevista> PasoSimulado::Filas() const
{
    QList<FilaPrevista> resultado = filas;
    for (const auto& [fila, nombre] : ocupados) {
        // A holder handed on later under its own name is not renamed: it keeps the name.
        const qsizetype despues = ultimaVezOrigen.value(nombre, -1);
        if (despues > fila && filas[despues].resultado != ResultadoPrevisto::SinCambios)
            resultado[fila].resultado = ResultadoPrevisto::RenombraDespues;
    }
    return resultado;
}
