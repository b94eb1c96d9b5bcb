#include "Soporte.h"

#include <QDir>
#include <QFile>
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
