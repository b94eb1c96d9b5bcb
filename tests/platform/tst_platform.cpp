#include "Soporte.h"

#include "platform/Plataforma.h"

#include <QFile>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <atomic>
#include <thread>
#include <unistd.h>

namespace {

// Fake system calls: each answers what the test row says and records that it was called. The
// listing holds "a", and "A" too when another entry holds that name.
struct Falsas {
    static inline int sinReemplazo, enlazar, borrar;
    static inline bool efecto;  // a plain rename changes the listing
    static inline QList<QByteArray> listado;
    static inline QStringList llamadas;
};

const LlamadasRenombrar LlamadasFalsas{
    [](int, const char* a, const char*) {
        Falsas::llamadas << u"renameat2"_qs;
        // Past the first attempt, a rename through a name of the program's own is free.
        return *a == '.' || Falsas::llamadas.size() > 1 ? 0 : Falsas::sinReemplazo;
    },
    [](int, const char* a, const char* b) {
        Falsas::llamadas << u"rename"_qs;
        if (Falsas::efecto)
            Falsas::listado.replace(Falsas::listado.indexOf(a), b);
        return 0;
    },
    [](int, const char*, const char*) {
        Falsas::llamadas << u"link"_qs;
        return Falsas::enlazar;
    },
    [](int, const char* nombre) {
        Falsas::llamadas << u"unlink "_qs + QString::fromUtf8(nombre);
        // Unlinking the old name answers the row's value; cleaning up succeeds.
        return nombre[0] == 'a' ? Falsas::borrar : 0;
    },
    [](int, const char*) { return 0; },
    [](int, QList<QByteArray>& nombres) {
        Falsas::llamadas << u"list"_qs;
        nombres = Falsas::listado;
        return 0;
    },
};

}  // namespace

class PruebaPlataforma : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sobreArchivosReales_data();
    void sobreArchivosReales();
    void carreraConOtroPrograma();
    void ramasDelSistema_data();
    void ramasDelSistema();
    void carpetaQueNoSeAbre();
};

void PruebaPlataforma::sobreArchivosReales_data()
{
    QTest::addColumn<QString>("preparar");  // what stands at the target before the rename
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("errno_");
    QTest::newRow("free target") << "" << true << 0;
    QTest::newRow("existing file") << "file" << false << EEXIST;
    QTest::newRow("dangling symlink") << "symlink" << false << EEXIST;
    QTest::newRow("directory") << "dir" << false << EEXIST;
    QTest::newRow("another link to the same file, its name in other case")
        << "hardlink" << false << EEXIST;
    QTest::newRow("missing source") << "nosource" << false << ENOENT;
    QTest::newRow("same name") << "same" << true << 0;
    QTest::newRow("same name, missing") << "same,nosource" << false << ENOENT;
}

void PruebaPlataforma::sobreArchivosReales()
{
    QFETCH(QString, preparar);
    QFETCH(bool, ok);
    QFETCH(int, errno_);
    CarpetaPrueba c;
    if (!preparar.contains(u"nosource"_qs))
        c.crear(Lista({"a.txt"}));
    const QString nuevo = preparar.startsWith(u"same"_qs) ? u"a.txt"_qs
        : preparar == u"hardlink"                       ? u"A.TXT"_qs
                                                        : u"b.txt"_qs;
    const QString destino = c.camino(nuevo);
    if (preparar == u"file")
        c.escribir(nuevo, "other");
    if (preparar == u"symlink")
        QVERIFY(QFile::link(c.camino(u"nowhere"_qs), destino));
    if (preparar == u"dir")
        QVERIFY(QDir().mkdir(destino));
    if (preparar == u"hardlink")
        QCOMPARE(::link(QFile::encodeName(c.camino(u"a.txt"_qs)).constData(),
                        QFile::encodeName(destino).constData()),
                 0);
    const auto antes = c.contenido();

    const ResultadoSistema r = CarpetaAbierta(c.ruta()).Renombrar(u"a.txt", nuevo);
    QCOMPARE(r.ok, ok);
    QCOMPARE(r.razon, ok ? QString() : QString::fromLocal8Bit(std::strerror(errno_)));
    if (ok && preparar.isEmpty())
        QCOMPARE(c.contenido(), (QMap<QString, QByteArray>{{u"b.txt"_qs, "a.txt"}}));
    else
        QCOMPARE(c.contenido(), antes);  // a refused rename changes nothing at all
    if (preparar == u"symlink")
        QVERIFY(!QFile::exists(c.camino(u"nowhere"_qs)));  // nothing written through it
}

void PruebaPlataforma::carreraConOtroPrograma()
{
    // Another program creates the target at the same moment: whichever comes first, both
    // files survive whole.
    CarpetaPrueba c;
    CarpetaAbierta carpeta(c.ruta());
    const QByteArray destino = QFile::encodeName(c.camino(u"b"_qs));
    int renombrados = 0, creados = 0;
    for (int vuelta = 0; vuelta < 2000; ++vuelta) {
        QFile::remove(c.camino(u"b"_qs));
        c.escribir(u"a"_qs, "mine");
        bool creado = false;
        std::atomic<bool> ya = false;
        std::thread otro([&] {
            while (!ya)
                ;
            const int fd = ::open(destino.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            if (fd >= 0) {
                creado = ::write(fd, "theirs", 6) == 6;
                ::close(fd);
            }
        });
        // Both start together, the rename after a short random wait, so that each side wins
        // some of the races.
        const int espera = int(QRandomGenerator::global()->bounded(40000));
        ya = true;
        for (int k = 0; k < espera; ++k)
            std::atomic_signal_fence(std::memory_order_seq_cst);
        const bool ok = carpeta.Renombrar(u"a", u"b").ok;
        otro.join();
        QVERIFY(ok != creado);
        QCOMPARE(c.leer(u"b"_qs), ok ? QByteArray("mine") : QByteArray("theirs"));
        if (!ok)
            QCOMPARE(c.leer(u"a"_qs), QByteArray("mine"));
        renombrados += ok;
        creados += creado;
    }
    qInfo("rename first %d times, the other program first %d times", renombrados, creados);
}

void PruebaPlataforma::ramasDelSistema_data()
{
    QTest::addColumn<int>("sinReemplazo");
    QTest::addColumn<QString>("listado");  // "a", "a A" or "a A~" (a plain rename does nothing)
    QTest::addColumn<int>("enlazar");
    QTest::addColumn<int>("borrar");
    QTest::addColumn<QString>("nuevo");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("llamadas");
    QTest::newRow("plain") << 0 << "a" << 0 << 0 << "b" << true << Lista({"renameat2"});
    QTest::newRow("case only, the folder ignores case")
        << EEXIST << "a" << 0 << 0 << "A" << true << Lista({"renameat2", "list", "rename", "list"});
    QTest::newRow("case only, another entry holds the name: a hard link or a file")
        << EEXIST << "a A" << 0 << 0 << "A" << false << Lista({"renameat2", "list"});
    QTest::newRow("case only, a plain rename does nothing: through a name of its own")
        << EEXIST << "a~" << 0 << 0 << "A" << true
        << Lista({"renameat2", "list", "rename", "list", "renameat2", "renameat2"});
    QTest::newRow("another file") << EEXIST << "a" << 0 << 0 << "b" << false << Lista({"renameat2"});
    QTest::newRow("no support: link") << EINVAL << "a" << 0 << 0 << "b" << true
                                      << Lista({"renameat2", "link", "unlink a"});
    QTest::newRow("no syscall: link") << ENOSYS << "a" << 0 << 0 << "b" << true
                                      << Lista({"renameat2", "link", "unlink a"});
    QTest::newRow("no support, target exists") << EINVAL << "a" << EEXIST << 0 << "b" << false
                                               << Lista({"renameat2", "link"});
    QTest::newRow("old name stays: new one goes") << EINVAL << "a" << 0 << EACCES << "b" << false
                                                  << Lista({"renameat2", "link", "unlink a",
                                                            "unlink b"});
}

void PruebaPlataforma::ramasDelSistema()
{
    QFETCH(int, sinReemplazo);
    QFETCH(QString, listado);
    QFETCH(int, enlazar);
    QFETCH(int, borrar);
    QFETCH(QString, nuevo);
    Falsas::sinReemplazo = sinReemplazo;
    Falsas::efecto = !listado.endsWith(u'~');
    Falsas::listado = listado.remove(u'~').toUtf8().split(' ');
    Falsas::enlazar = enlazar;
    Falsas::borrar = borrar;
    Falsas::llamadas.clear();
    CarpetaPrueba c;
    QTEST(CarpetaAbierta(c.ruta(), LlamadasFalsas).Renombrar(u"a", nuevo).ok, "ok");
    QTEST(Falsas::llamadas, "llamadas");
}

void PruebaPlataforma::carpetaQueNoSeAbre()
{
    // A folder that is gone: every rename fails with the reason, none happens elsewhere.
    CarpetaPrueba c;
    c.crear(Lista({"a"}));
    QDir::setCurrent(c.ruta());
    for (const QString& ruta : {c.camino(u"ya-no"_qs), QString()}) {
        const ResultadoSistema r = CarpetaAbierta(ruta).Renombrar(u"a", u"b");
        QVERIFY(!r.ok);
        QCOMPARE(r.razon, QString::fromLocal8Bit(std::strerror(ENOENT)));
    }
    QCOMPARE(c.nombres(), Lista({"a"}));
}

QTEST_GUILESS_MAIN(PruebaPlataforma)
#include "tst_platform.moc"
