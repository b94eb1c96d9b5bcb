#include "Soporte.h"

#include "platform/Plataforma.h"

#include <atomic>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace {

// Fake system calls: each answers what the test row says and records that it was called.
struct Falsas {
    static inline int sinReemplazo, enlazar, borrar, reservar, renombrar;
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
        if (Falsas::efecto && !Falsas::renombrar)
            Falsas::listado.replace(Falsas::listado.indexOf(a), b);
        return Falsas::renombrar;
    },
    [](int, const char*, const char*) { return (Falsas::llamadas << u"link"_qs, Falsas::enlazar); },
    [](int, const char* nombre) {
        Falsas::llamadas << u"unlink "_qs + QString::fromUtf8(nombre);
        return nombre[0] == 'a' ? Falsas::borrar : 0;  // cleaning up the new name succeeds
    },
    [](int, const char*) { return 0; },
    [](int, QList<QByteArray>& nombres) { return (Falsas::llamadas << u"list"_qs, nombres = Falsas::listado, 0); },
    [](int, const char* nombre) { return (Falsas::llamadas << u"reserve "_qs + QString::fromUtf8(nombre), Falsas::reservar); },
    [](int, const char* nombre) { return (Falsas::llamadas << u"unreserve "_qs + QString::fromUtf8(nombre), 0); },
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
};

void PruebaPlataforma::sobreArchivosReales_data()
{
    QTest::addColumn<QString>("preparar");  // what stands at the target before the rename
    QTest::addColumn<QString>("nuevo");
    QTest::addColumn<int>("errno_");  // 0: renamed
    QTest::newRow("free target") << "" << "b.txt" << 0;
    QTest::newRow("existing file") << "file" << "b.txt" << EEXIST;
    QTest::newRow("dangling symlink") << "symlink" << "b.txt" << EEXIST;
    QTest::newRow("a hard link of the file, its name in other case") << "hardlink" << "A.TXT" << EEXIST;
    QTest::newRow("missing source") << "nosource" << "b.txt" << ENOENT;
    QTest::newRow("same name") << "" << "a.txt" << 0;
}

// A refused rename changes nothing at all, and writes nothing through a link.
void PruebaPlataforma::sobreArchivosReales()
{
    QFETCH(QString, preparar);
    QFETCH(QString, nuevo);
    QFETCH(int, errno_);
    CarpetaPrueba c;
    if (preparar != u"nosource")
        c.crear(Lista({"a.txt"}));
    if (preparar == u"file")
        c.escribir(nuevo, "other");
    if (preparar == u"symlink")
        QVERIFY(QFile::link(c.camino(u"nowhere"_qs), c.camino(nuevo)));
    if (preparar == u"hardlink")
        QCOMPARE(::link(qPrintable(c.camino(u"a.txt"_qs)), qPrintable(c.camino(nuevo))), 0);
    auto esperado = c.contenido();
    if (errno_ == 0)
        esperado.insert(nuevo, esperado.take(u"a.txt"_qs));
    const ResultadoSistema r = CarpetaAbierta(c.ruta()).Renombrar(u"a.txt", nuevo);
    QCOMPARE(r.razon, errno_ ? Razon(errno_) : QString());
    QCOMPARE(r.ok, errno_ == 0);
    QCOMPARE(c.contenido(), esperado);
    QVERIFY(!QFile::exists(c.camino(u"nowhere"_qs)));
}

// Another program creates the target at the same moment: whichever comes first, both files
// survive whole.
void PruebaPlataforma::carreraConOtroPrograma()
{
    CarpetaPrueba c;
    CarpetaAbierta carpeta(c.ruta());
    const QByteArray destino = QFile::encodeName(c.camino(u"b"_qs));
    for (int vuelta = 0; vuelta < 2000; ++vuelta) {
        QFile::remove(c.camino(u"b"_qs));
        c.escribir(u"a"_qs, "mine");
        bool creado = false;
        std::atomic<bool> ya = false;
        std::thread otro([&] {
            while (!ya)
                ;
            const int fd = ::open(destino.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            creado = fd >= 0 && ::write(fd, "theirs", 6) == 6 && ::close(fd) == 0;
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
        QCOMPARE(c.leer(u"a"_qs), ok ? QByteArray() : QByteArray("mine"));
    }
}

void PruebaPlataforma::ramasDelSistema_data()
{
    QTest::addColumn<QList<int>>("errores");  // of renameat2, link, unlink, the reservation and rename
    QTest::addColumn<QString>("listado");     // "a", "a A", or "a~" where a plain rename does nothing
    QTest::addColumn<QString>("nuevo");
    QTest::addColumn<QStringList>("llamadas");  // the last one "ok" or "refused"
    QTest::newRow("plain") << QList{0, 0, 0} << "a" << "b" << Lista({"renameat2", "ok"});
    QTest::newRow("case only, the folder ignores case") << QList{EEXIST, 0, 0} << "a" << "A" << Lista({"renameat2", "list", "rename", "list", "ok"});
    QTest::newRow("case only, another entry holds that spelling: a hard link or a file")
        << QList{EEXIST, 0, 0} << "a A" << "A" << Lista({"renameat2", "list", "refused"});
    QTest::newRow("case only, a plain rename does nothing: through a name of its own")
        << QList{EEXIST, 0, 0} << "a~" << "A" << Lista({"renameat2", "list", "rename", "list", "renameat2", "renameat2", "ok"});
    QTest::newRow("another file") << QList{EEXIST, 0, 0} << "a" << "b" << Lista({"renameat2", "refused"});
    QTest::newRow("no support: link") << QList{EINVAL, 0, 0} << "a" << "b" << Lista({"renameat2", "link", "unlink a", "ok"});
    QTest::newRow("no support, target exists") << QList{EINVAL, EEXIST, 0} << "a" << "b" << Lista({"renameat2", "link", "refused"});
    QTest::newRow("old name stays: new one goes")
        << QList{EINVAL, 0, EACCES} << "a" << "b" << Lista({"renameat2", "link", "unlink a", "unlink b", "refused"});
    QTest::newRow("no flag, no links: the new name reserved, then renamed over")
        << QList{EINVAL, EPERM, 0, 0, 0} << "a" << "b" << Lista({"renameat2", "link", "reserve b", "rename", "ok"});
    QTest::newRow("no flag, no links: a name taken in any spelling")
        << QList{EINVAL, EPERM, 0, EEXIST, 0} << "a" << "b" << Lista({"renameat2", "link", "reserve b", "refused"});
    QTest::newRow("no flag, no links: the rename refused, the reservation goes")
        << QList{EINVAL, EPERM, 0, 0, EACCES} << "a" << "b" << Lista({"renameat2", "link", "reserve b", "rename", "unreserve b", "refused"});
}

void PruebaPlataforma::ramasDelSistema()
{
    QFETCH(QList<int>, errores);
    QFETCH(QString, listado);
    QFETCH(QString, nuevo);
    Falsas::sinReemplazo = errores[0];
    Falsas::enlazar = errores[1];
    Falsas::borrar = errores[2];
    Falsas::reservar = errores.value(3);
    Falsas::renombrar = errores.value(4);
    Falsas::efecto = !listado.endsWith(u'~');
    Falsas::listado = listado.remove(u'~').toUtf8().split(' ');
    Falsas::llamadas.clear();
    CarpetaPrueba c;
    const bool ok = CarpetaAbierta(c.ruta(), LlamadasFalsas).Renombrar(u"a", nuevo).ok;
    QTEST(Falsas::llamadas << (ok ? u"ok"_qs : u"refused"_qs), "llamadas");
}

QTEST_GUILESS_MAIN(PruebaPlataforma)
#include "tst_platform.moc"
