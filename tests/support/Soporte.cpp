#include "Soporte.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

CarpetaPrueba::CarpetaPrueba()
{
    QVERIFY2(dir.isValid(), "no temporary folder");
}

QString CarpetaPrueba::ruta() const
{
    return dir.path() + u'/';
}

QString CarpetaPrueba::camino(const QString& nombre) const
{
    return ruta() + nombre;
}

void CarpetaPrueba::crear(const QStringList& nombres) const
{
    for (const QString& n : nombres)
        escribir(n, n.toUtf8());
}

void CarpetaPrueba::escribir(const QString& nombre, const QByteArray& contenido) const
{
    QFile f(camino(nombre));
    if (!f.open(QIODevice::WriteOnly) || f.write(contenido) != contenido.size())
        qFatal("cannot write the test file %s", qPrintable(nombre));
}

QByteArray CarpetaPrueba::leer(const QString& nombre) const
{
    QFile f(camino(nombre));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList CarpetaPrueba::nombres() const
{
    return QDir(dir.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                   QDir::Name);
}

QMap<QString, QByteArray> CarpetaPrueba::contenido() const
{
    QMap<QString, QByteArray> mapa;
    for (const QString& n : nombres())
        mapa.insert(n, leer(n));
    return mapa;
}

namespace {

// Runs a tool; its output when it ends well, a null text otherwise.
QString Ejecutar(const QString& programa, const QStringList& argumentos)
{
    QProcess p;
    p.start(programa, argumentos);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed() + u' ';
}

}  // namespace

VolumenExfat::VolumenExfat()
{
    const QString archivo = imagen.camino(u"tarjeta.img"_qs);
    const QString montaje = imagen.camino(u"m"_qs);
    QFile f(archivo);
    if (!f.open(QIODevice::WriteOnly) || !f.resize(32 << 20) || !QDir().mkdir(montaje)) {
        fallo = u"no room for the volume's image"_qs;
        return;
    }
    f.close();
    if (Ejecutar(u"mkfs.exfat"_qs, {archivo}).isNull()) {
        fallo = u"mkfs.exfat failed (exfatprogs missing?)"_qs;
        return;
    }
    dispositivo = Ejecutar(u"losetup"_qs, {u"--find"_qs, u"--show"_qs, archivo}).trimmed();
    if (dispositivo.isEmpty()) {
        fallo = u"losetup refused (not root?)"_qs;
        return;
    }
    if (Ejecutar(u"mount.exfat-fuse"_qs, {dispositivo, montaje}).isNull()) {
        fallo = u"mount.exfat-fuse refused (no FUSE?)"_qs;
        return;
    }
    punto = montaje + u'/';
}

VolumenExfat::~VolumenExfat()
{
    if (montado())
        Ejecutar(u"umount"_qs, {punto});
    if (!dispositivo.isEmpty())
        Ejecutar(u"losetup"_qs, {u"-d"_qs, dispositivo});
}
