#pragma once

// What every test program shares: real folders, a recorder of what a run shows, and short
// ways to write table rows.

#include "engine/Panel.h"
#include "engine/Pantalla.h"
#include "engine/Reglas.h"
#include "log/Registro.h"
#include "platform/Nombres.h"
#include "platform/Plataforma.h"

#include <QtTest>

#include <cstdio>
#include <cstring>
#include <ftw.h>

// A temporary folder holding real files, removed with everything in it at the end; in the
// system's temporary folder, or in the folder `dentro` (ending in a separator). Names are the
// program's: whatever bytes they hold reach the disk exactly.
inline QByteArray Leer(const QString& ruta)
{
    QByteArray bytes;
    if (std::FILE* f = std::fopen(BytesDeNombre(ruta).constData(), "rb")) {
        char trozo[4096];
        for (size_t n; (n = std::fread(trozo, 1, sizeof trozo, f)) > 0;)
            bytes.append(trozo, qsizetype(n));
        std::fclose(f);
    }
    return bytes;
}

// Name -> contents of every entry of the folder `ruta` (with its trailing separator).
inline QMap<QString, QByteArray> Contenido(const QString& ruta)
{
    QMap<QString, QByteArray> mapa;
    for (const EntradaCarpeta& e : ListarCarpeta(ruta))
        mapa.insert(e.nombre, Leer(ruta + e.nombre));
    return mapa;
}

class CarpetaPrueba {
public:
    explicit CarpetaPrueba(const QString& dentro = QDir::tempPath() + u'/') : dir(dentro + u"brindlewick-XXXXXX"_qs)
    {
        QVERIFY2(dir.isValid(), "no temporary folder");
    }
    ~CarpetaPrueba()
    {
        // Qt can't name what is not UTF-8: every entry goes by its bytes first.
        nftw(BytesDeNombre(dir.path()).constData(), [](const char* ruta, const struct stat*, int, FTW* f) {
            return f->level > 0 ? ::remove(ruta) : 0;
        }, 16, FTW_DEPTH | FTW_PHYS);
    }
    // The folder with a trailing separator, as the selection gives it.
    QString ruta() const { return dir.path() + u'/'; }
    QString camino(const QString& nombre) const { return ruta() + nombre; }
    // Creates each file with its own name as contents, so that a mix-up shows.
    void crear(const QStringList& nombres) const
    {
        for (const QString& n : nombres)
            escribir(n, BytesDeNombre(n));
    }
    void escribir(const QString& nombre, const QByteArray& contenido) const
    {
        std::FILE* f = std::fopen(BytesDeNombre(camino(nombre)).constData(), "wb");
        if (!f || std::fwrite(contenido.constData(), 1, contenido.size(), f) != size_t(contenido.size()) || std::fclose(f))
            qFatal("cannot write the test file %s", qPrintable(nombre));
    }
    QByteArray leer(const QString& nombre) const { return Leer(camino(nombre)); }
    // Every entry of the folder, hidden ones included, sorted.
    QStringList nombres() const { return contenido().keys(); }
    QMap<QString, QByteArray> contenido() const { return Contenido(ruta()); }

private:
    QTemporaryDir dir;
};

// An exFAT volume of its own, as on a camera's card: an image on a loop device mounted through
// FUSE for the test and removed at the end. Where the machine refuses (not root, no FUSE, the
// tools missing) it is not mounted, and `fallo` holds what the tools said.
class VolumenExfat {
public:
    VolumenExfat()
    {
        QProcess p;
        p.setWorkingDirectory(imagen.ruta());
        p.start(u"sh"_qs, {u"-ec"_qs, u"truncate -s 32M t.img; mkfs.exfat t.img >/dev/null; mkdir m; "
                                      "d=$(losetup -f --show t.img); echo $d; mount.exfat-fuse $d m"_qs});
        if (p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            punto = imagen.camino(u"m/"_qs);
        else
            fallo = u"no exFAT volume (not root? no FUSE?): "_qs + QString::fromLocal8Bit(p.readAllStandardError());
        dispositivo = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();  // to detach at the end
    }
    ~VolumenExfat()
    {
        if (!punto.isEmpty())
            QProcess::execute(u"umount"_qs, {punto});
        if (!dispositivo.isEmpty())
            QProcess::execute(u"losetup"_qs, {u"-d"_qs, dispositivo});
    }
    QString ruta() const { return punto; }  // with a trailing separator; empty if not mounted
    QString fallo;

private:
    CarpetaPrueba imagen;
    QString dispositivo, punto;
};

// Records what a run shows, and answers with a fixed frame width.
class PantallaRegistro : public Pantalla {
public:
    void MostrarFichero(const QString& nombre) override { mostrados << nombre; }
    void CederEventos() override { ++cesiones; }
    float AnchoMarco() const override { return marco; }
    void FijarAnchoBarra(float ancho) override { anchos << ancho; }
    bool Detenido() const override { return false; }

    float marco = 3025.0f;
    QStringList mostrados;
    QList<float> anchos;
    int cesiones = 0;
};

// Operation `opcion` with `uno` in its first box and `dos` in its second.
inline Panel Op(Opcion opcion, const char* uno = "", const char* dos = "", quint8 modo = ModoFinal)
{
    Panel p{opcion, modo, {}};
    const auto cajas = Definicion(opcion).cajas;
    for (size_t i = 0; i < cajas.size(); ++i)
        p[cajas[i]] = QString::fromUtf8(i == 0 ? uno : dos);
    return p;
}

// The system's text for an error, as the log records it.
inline QString Razon(int codigo)
{
    return QString::fromLocal8Bit(std::strerror(codigo));
}

// One record of a run's log.
inline QByteArray Reg(const char* viejo, const char* nuevo)
{
    return LineaRegistro(QString::fromUtf8(viejo), QString::fromUtf8(nuevo));
}

// Test tables read better with plain literals.
inline QStringList Lista(std::initializer_list<const char*> textos)
{
    QStringList lista;
    for (const char* t : textos)
        lista << QString::fromUtf8(t);
    return lista;
}
