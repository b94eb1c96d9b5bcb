#include "ui/Discos.h"

#include "dialogs/Sustituto.h"
#include "engine/Listado.h"
#include "platform/Plataforma.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>

namespace {

// The drives' list asked for, answered with the test's drives.
Sustituto<QStringList, QList<Disco>>& Prueba()
{
    static Sustituto<QStringList, QList<Disco>> p;
    return p;
}

// A volume a user keeps files on, not one of the system's own tables.
bool Elegible(const Montaje& m)
{
    static const QStringList Sistema = {
        u"proc"_qs,   u"sysfs"_qs,     u"devtmpfs"_qs,  u"devpts"_qs,    u"cgroup"_qs,      u"cgroup2"_qs,
        u"pstore"_qs, u"bpf"_qs,       u"debugfs"_qs,   u"tracefs"_qs,   u"configfs"_qs,    u"fusectl"_qs,
        u"mqueue"_qs, u"hugetlbfs"_qs, u"autofs"_qs,    u"binfmt_misc"_qs, u"nsfs"_qs,      u"efivarfs"_qs,
        u"ramfs"_qs,  u"securityfs"_qs, u"rpc_pipefs"_qs, u"selinuxfs"_qs, u"squashfs"_qs};
    if (Sistema.contains(m.tipo))
        return false;
    for (const QString& propia : {u"/proc"_qs, u"/sys"_qs, u"/dev"_qs, u"/run"_qs, u"/snap"_qs})
        if ((m.raiz == propia || m.raiz.startsWith(propia + u'/')) && !m.raiz.startsWith(u"/run/media/"))
            return false;
    return true;
}

}  // namespace

QList<Disco> Discos::Lista(const QStringList& rutas)
{
    if (Prueba().activo)
        return Prueba().Atender(rutas);
    const QList<Montaje> montajes = LeerMontajes();
    const QHash<QString, QString> etiquetas = EtiquetasDeVolumenes();
    QList<Disco> lista;
    const auto anadir = [&](const Montaje& m) {
        if (std::none_of(lista.cbegin(), lista.cend(), [&m](const Disco& d) { return d.raiz == m.raiz; }))
            lista.append({m.raiz, etiquetas.value(m.origen)});
    };
    for (const Montaje& m : montajes)
        if (Elegible(m))
            anadir(m);
    // Whatever volume the paths lie on, by name alone: the deepest mount point above each.
    QList<Disco> todos;
    for (const Montaje& m : montajes)
        todos.append({m.raiz, {}});
    for (const QString& r : rutas)
        if (const QString raiz = RaizDe(todos, r); !raiz.isEmpty())
            anadir(*std::find_if(montajes.cbegin(), montajes.cend(), [&raiz](const Montaje& m) { return m.raiz == raiz; }));
    std::sort(lista.begin(), lista.end(),
              [](const Disco& a, const Disco& b) { return OrdenNatural(a.raiz, b.raiz); });
    return lista;
}

std::optional<bool> Discos::Disponible(const QString& raiz, Sonda& sonda)
{
    // An unmounted volume may leave its mount point behind as a plain folder of the volume
    // above it: that is not the drive the user picked.
    if (!Prueba().activo) {
        const QList<Montaje> montajes = LeerMontajes();
        if (std::none_of(montajes.cbegin(), montajes.cend(), [&raiz](const Montaje& m) { return m.raiz == raiz; }))
            return false;
    }
    QEventLoop bucle;
    QTimer mirar;
    QObject::connect(&mirar, &QTimer::timeout, &bucle, [&] {
        if (sonda.Respuesta() || sonda.Espera() > EsperaMaxima)
            bucle.quit();
    });
    mirar.start(10);
    if (!sonda.Respuesta() && sonda.Espera() <= EsperaMaxima)
        bucle.exec(QEventLoop::ExcludeUserInputEvents);
    return sonda.Respuesta();
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
    Prueba().Activar(activo, discos);
}
