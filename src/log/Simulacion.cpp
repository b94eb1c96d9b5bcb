#include "log/Simulacion.h"

#include "log/Renombrador.h"
#include "platform/Nombres.h"
#include "platform/Plataforma.h"

#include <QCoreApplication>

#include <cerrno>

QString TextoResultado(ResultadoPrevisto r)
{
    switch (r) {
    case ResultadoPrevisto::SinCambios:
        return QCoreApplication::translate("Resultados", "Sin cambios");
    case ResultadoPrevisto::Correcto:
        return QCoreApplication::translate("Resultados", "Correcto");
    case ResultadoPrevisto::NombreExiste:
        return QCoreApplication::translate("Resultados", "El nombre ya existe");
    case ResultadoPrevisto::CambioAnterior:
        return QCoreApplication::translate("Resultados", "Lo toma un cambio anterior");
    case ResultadoPrevisto::RenombraDespues:
        return QCoreApplication::translate("Resultados", "Lo tiene un archivo que se renombra después");
    case ResultadoPrevisto::NombreNoValido:
        return QCoreApplication::translate("Resultados", "Nombre de archivo no válido");
    case ResultadoPrevisto::NoExiste:
        return QCoreApplication::translate("Resultados", "El archivo no existe");
    case ResultadoPrevisto::SinPermiso:
        return QCoreApplication::translate("Resultados", "Permiso denegado");
    case ResultadoPrevisto::SoloLectura:
        return QCoreApplication::translate("Resultados", "El disco es de solo lectura");
    case ResultadoPrevisto::OmitidoFallo:
        return QCoreApplication::translate("Resultados", "Omitido (fallo registrado)");
    case ResultadoPrevisto::OmitidoLinea:
        return QCoreApplication::translate("Resultados", "Omitido (línea no válida)");
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
    case ResultadoPrevisto::SinPermiso:
    case ResultadoPrevisto::SoloLectura:
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
    if (leidos.sinEscritura == EROFS)
        sinEscritura = ResultadoPrevisto::SoloLectura;
    else if (leidos.sinEscritura != 0)
        sinEscritura = ResultadoPrevisto::SinPermiso;
    for (const QByteArray& n : leidos.nombres)
        presentes.insert(ignoraMayusculas ? ClaveNombre(NombreDesdeBytes(n), true) : n);
}

bool PasoSimulado::Preparar(const QList<Renombre>& r, const QList<PasoPlan>& p)
{
    renombres = &r;
    plan = &p;
    return true;
}

bool PasoSimulado::Dar(qsizetype k)
{
    const PasoPlan& p = plan->at(k);
    const Renombre& x = renombres->at(p.archivo);
    switch (p.tipo) {
    case PasoPlan::Tipo::Ninguno:
        Anotar(x.viejo, x.viejo, ResultadoPrevisto::SinCambios);
        break;
    case PasoPlan::Tipo::Directo:
        Simular(x.viejo, *x.nuevo, false);
        break;
    case PasoPlan::Tipo::Apartar:
        if (const QByteArray origen = ClaveNombre(x.viejo, ignoraMayusculas);
            sinEscritura == ResultadoPrevisto::Correcto && NombresAdmitidos(x.viejo, x.viejo) && presentes.remove(origen)) {
            dadosEnLaCorrida.remove(origen);
            apartados.insert(p.archivo);
        }
        break;
    case PasoPlan::Tipo::DesdeApartado:
        // Where it fails, the file takes its old name back, if that is free again.
        if (const bool apartado = apartados.remove(p.archivo); EsFallo(Simular(x.viejo, *x.nuevo, apartado)) && apartado) {
            if (const QByteArray antes = ClaveNombre(x.viejo, ignoraMayusculas); !presentes.contains(antes))
                presentes.insert(antes);
        }
        break;
    }
    return true;
}

ResultadoPrevisto PasoSimulado::Simular(const QString& viejo, const QString& nuevo, bool apartado)
{
    const QByteArray origen = ClaveNombre(viejo, ignoraMayusculas);
    const QByteArray destino = ClaveNombre(nuevo, ignoraMayusculas);
    if (!apartado)
        ultimaVezOrigen.insert(origen, filas.size());

    // The checks in the order the step and the system make them: the names first, then the
    // source, then the target.
    ResultadoPrevisto r = ResultadoPrevisto::Correcto;
    if (!NombresAdmitidos(viejo, nuevo)) {
        r = ResultadoPrevisto::NombreNoValido;
    } else if (!apartado && !presentes.contains(origen)) {
        r = ResultadoPrevisto::NoExiste;
    } else if (sinEscritura != ResultadoPrevisto::Correcto && !(origen == destino && viejo == nuevo)) {
        r = sinEscritura;
    } else if (!apartado && origen == destino) {
        // Nothing moves. Names that differ in case alone are one name where case doesn't
        // count, and the rename changes only how it is written.
        r = viejo == nuevo ? ResultadoPrevisto::SinCambios : ResultadoPrevisto::Correcto;
    } else if (ClaveNombre(nuevo, false).size() > largoMaximo) {
        r = ResultadoPrevisto::NombreNoValido;
    } else if (dadosEnLaCorrida.contains(destino)) {
        r = ResultadoPrevisto::CambioAnterior;
    } else if (presentes.contains(destino)) {
        // Until the run's last rename is seen, a holder may yet turn out to be renamed later.
        r = ResultadoPrevisto::NombreExiste;
        ocupados.append({filas.size(), destino});
    } else {
        if (!apartado) {
            presentes.remove(origen);
            dadosEnLaCorrida.remove(origen);
        }
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
