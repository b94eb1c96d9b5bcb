#include "ui/Discos.h"

#include "engine/Listado.h"
#include "platform/Plataforma.h"

#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace {

struct Prueba {
    bool activo = false;
    QList<Disco> discos;
};

Prueba& EstadoPrueba()
{
    static Prueba p;
    return p;
}

}  // namespace

QList<Disco> Discos::Lista(const QStringList& rutas)
{
    if (EstadoPrueba().activo)
        return EstadoPrueba().discos;
    QList<Disco> lista;
    const auto anadir = [&lista](const QStorageInfo& s) {
        const QString raiz = s.rootPath();
        const bool repetido = std::any_of(lista.begin(), lista.end(),
                                          [&raiz](const Disco& d) { return d.raiz == raiz; });
        if (s.isValid() && s.isReady() && !repetido && Entrable(raiz))
            lista.append({raiz, s.name()});
    };
    for (const QStorageInfo& s : QStorageInfo::mountedVolumes())
        anadir(s);
    for (const QString& r : rutas)
        anadir(QStorageInfo(r));
    std::sort(lista.begin(), lista.end(),
              [](const Disco& a, const Disco& b) { return OrdenNatural(a.raiz, b.raiz); });
    return lista;
}

bool Discos::Disponible(const QString& raiz)
{
    if (EstadoPrueba().activo)
        return Entrable(raiz);
    // An unmounted volume may leave its mount point behind as a plain folder of the volume
    // above it: that is not the drive the user picked.
    const QStorageInfo s(raiz);
    return s.isValid() && s.isReady() && s.rootPath() == raiz && Entrable(raiz);
}

QString Discos::RaizDe(const QList<Disco>& discos, const QString& ruta)
{
    QString mejor;
    for (const Disco& d : discos) {
        const bool contiene = ruta == d.raiz
                              || ruta.startsWith(d.raiz.endsWith(u'/') ? d.raiz : d.raiz + u'/');
        if (contiene && d.raiz.size() > mejor.size())
            mejor = d.raiz;
    }
    return mejor;
}

void Discos::ModoPrueba(bool activo, const QList<Disco>& discos)
{
    EstadoPrueba() = Prueba{activo, discos};
}
