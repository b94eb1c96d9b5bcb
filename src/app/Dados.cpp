#include "app/Dados.h"

#include "engine/Listado.h"
#include "platform/Nombres.h"
#include "platform/Plataforma.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

Argumentos LeerArgumentos(int argc, const char* const* argv)
{
    Argumentos a;
    bool opciones = true;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (opciones && arg == "--")
            opciones = false;
        else if (opciones && (arg == "-h" || arg == "--help"))
            a.pide = Argumentos::Pide::Ayuda;
        else if (opciones && (arg == "-v" || arg == "--version"))
            a.pide = a.pide == Argumentos::Pide::Ayuda ? a.pide : Argumentos::Pide::Version;
        else if (opciones && arg.startsWith('-') && arg != "-")
            a.desconocidas.append(arg);
        else
            a.archivos.append(arg);
    }
    return a;
}

QByteArray TextoAyuda()
{
    return QCoreApplication::translate("Dados",
               "Uso: brindlewick [OPCIÓN] [ARCHIVO…]\n"
               "Renombra muchos archivos de una carpeta de una vez, y deshace los cambios.\n"
               "\n"
               "Con archivos (rutas o URI file://), la ventana se abre con ellos elegidos, como si se\n"
               "hubieran elegido en «Seleccionar»; deben estar todos en la misma carpeta. Con una\n"
               "carpeta, se abre «Seleccionar archivos» en ella.\n"
               "\n"
               "  -h, --help     muestra esta ayuda y termina\n"
               "  -v, --version  muestra la versión y termina\n"
               "  --             lo que sigue son archivos, aunque empiece por «-»\n")
        .toUtf8();
}

QByteArray TextoVersion()
{
    return QStringLiteral("Brindlewick %1.%2.%3\n")
        .arg(BRINDLEWICK_VERSION_MAJOR)
        .arg(BRINDLEWICK_VERSION_MINOR)
        .arg(BRINDLEWICK_VERSION_PATCH)
        .toUtf8();
}

QByteArray TextoOpcionDesconocida(const QByteArray& opcion)
{
    return QCoreApplication::translate("Dados", "brindlewick: opción desconocida: ").toUtf8() + opcion
        + QCoreApplication::translate("Dados", "\nPruebe «brindlewick --help».\n").toUtf8();
}

QList<QByteArray> EntradasDeListaUris(QByteArrayView lista)
{
    QList<QByteArray> entradas;
    for (QByteArray linea : lista.toByteArray().split('\n')) {
        if (linea.endsWith('\r'))
            linea.chop(1);
        if (!linea.isEmpty() && !linea.startsWith('#'))
            entradas.append(linea);
    }
    return entradas;
}

namespace {

constexpr int MaximoFuera = 10;  // lines of a message naming what was left out

}  // namespace

Dados AgruparDados(const QList<QByteArray>& dados)
{
    static const QRegularExpression Esquema(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    const QString actual = QDir::currentPath();
    Dados d;
    QList<QString> carpetas;  // of the files, in the order met
    QSet<QString> vistos;
    QString sola;             // a folder given
    for (const QByteArray& dado : dados) {
        const std::optional<QByteArray> bytes =
            dado.startsWith("file:") ? RutaDeUri(dado)
            : Esquema.match(QString::fromLatin1(dado)).hasMatch() ? std::nullopt
                                                                    : std::optional(dado);
        if (!bytes) {
            d.fuera << NombreVisible(NombreDesdeBytes(dado)) + QCoreApplication::translate("Dados", ": no es un archivo de este equipo");
            continue;
        }
        const QString ruta = QDir::cleanPath(QDir(actual).absoluteFilePath(NombreDesdeBytes(*bytes)));
        switch (ClaseDeRuta(ruta)) {
        case ClaseRuta::Nada:
            d.fuera << NombreVisible(ruta) + QCoreApplication::translate("Dados", ": no existe");
            break;
        case ClaseRuta::Carpeta:
            sola = ruta;
            d.fuera << NombreVisible(ruta) + QCoreApplication::translate("Dados", ": es una carpeta");
            break;
        case ClaseRuta::Archivo:
            if (vistos.contains(ruta))
                break;
            vistos.insert(ruta);
            const qsizetype barra = ruta.lastIndexOf(u'/');
            if (const QString carpeta = barra == 0 ? u"/"_qs : ruta.left(barra); !carpetas.contains(carpeta))
                carpetas.append(carpeta);
            d.nombres.append(ruta.mid(barra + 1));
            break;
        }
    }
    if (dados.size() == 1 && !sola.isEmpty()) {
        d.fuera.clear();
        d.carpeta = CarpetaSeleccion(sola);
        return d;
    }
    d.carpetas = int(carpetas.size());
    if (d.carpetas > 1) {
        d.nombres.clear();
        return d;
    }
    if (d.carpetas == 1)
        d.carpeta = CarpetaSeleccion(carpetas.first());
    std::sort(d.nombres.begin(), d.nombres.end(), [](const QString& a, const QString& b) { return OrdenNatural(a, b); });
    return d;
}

QString MensajeFuera(const QStringList& fuera)
{
    QString texto = QCoreApplication::translate("Dados", "No se han podido elegir:") + u"\n\n"_qs + fuera.first(std::min<qsizetype>(fuera.size(), MaximoFuera)).join(u'\n');
    if (fuera.size() > MaximoFuera)
        texto += u'\n' + QCoreApplication::translate("Dados", "… y %1 más").arg(fuera.size() - MaximoFuera);
    return texto;
}

QString MensajeVariasCarpetas(int carpetas)
{
    return QCoreApplication::translate("Dados", "Los archivos están en %1 carpetas distintas, y cada vez se renombran los "
                          "archivos de una sola carpeta.\nNo se ha elegido ninguno: elija archivos de una "
                          "sola carpeta.")
        .arg(carpetas);
}
