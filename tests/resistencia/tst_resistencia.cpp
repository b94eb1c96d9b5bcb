#include "Banco.h"

#include "log/Deshacer.h"
#include "log/Registro.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>

namespace {

QStringList Numerados(int cuantos)
{
    QStringList nombres;
    for (int i = 0; i < cuantos; ++i)
        nombres << QStringLiteral("f%1.jpg").arg(i, 5, 10, QLatin1Char('0'));
    return nombres;
}

int FicherosAbiertos()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::System | QDir::Files).size());
}

long MemoriaResidenteKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    statm.open(QIODevice::ReadOnly);
    return statm.readAll().split(' ').value(1).toLong() * 4;
}

// A mount of its own, removed at the end; empty when this machine won't mount one.
struct DiscoPequeno {
    explicit DiscoPequeno(const QString& punto) : punto(punto)
    {
        montado = QProcess::execute(QStringLiteral("mount"),
                                    {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                     QStringLiteral("-o"), QStringLiteral("size=64k"),
                                     QStringLiteral("tmpfs"), punto})
            == 0;
    }
    ~DiscoPequeno()
    {
        if (montado)
            QProcess::execute(QStringLiteral("umount"), {punto});
    }
    QString punto;
    bool montado = false;
};

}  // namespace

class PruebaResistencia : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void matarAlAzar();
    void discoLleno();
    void usoProlongado();
};

void PruebaResistencia::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(u"Brindlewick"_qs);
}

void PruebaResistencia::init()
{
    PrepararVentanas();
}

void PruebaResistencia::matarAlAzar()
{
    // Runs killed at random moments: every rename made has its record, and the undo of the
    // log left behind restores every file, none lost or overwritten.
    int matados = 0;
    for (int vuelta = 0; vuelta < 50; ++vuelta) {
        CarpetaPrueba c, datos;
        c.crear(Numerados(3000));
        const auto antes = c.contenido();
        const QString log = datos.camino(u"temp.txt"_qs);
        QProcess hijo;
        hijo.start(QStringLiteral(BRINDLEWICK_HIJO), {c.ruta().chopped(1), log});
        QVERIFY(hijo.waitForStarted());
        // The whole run takes some 50 to 100 ms here.
        QTest::qWait(int(QRandomGenerator::global()->bounded(1, 80)));
        hijo.kill();
        hijo.waitForFinished();
        matados += hijo.exitStatus() == QProcess::CrashExit;
        if (!QFile::exists(log)) {  // killed before its first rename
            QCOMPARE(c.contenido(), antes);
            continue;
        }

        const LogLeido leido = LeerLog(datos.leer(u"temp.txt"_qs), true);
        for (const Registro& r : leido.registros) {
            QVERIFY(r.deshacible);
            QVERIFY2(QFile::exists(c.camino(r.nuevo)), qPrintable(r.nuevo));
        }
        // At most the rename in flight has no record yet.
        const QStringList renombrados = c.nombres().filter(u".renombrado"_qs);
        QVERIFY(renombrados.size() - leido.registros.size() <= 1);

        Estado e;
        e.RutaCarpeta = c.ruta();
        e.RutaLog = log;
        PantallaRegistro pantalla;
        QVERIFY(DeshacerTemporal(e, pantalla));
        auto despues = c.contenido();
        for (const QString& n : c.nombres().filter(u".renombrado"_qs))  // the one in flight
            despues.insert(n.chopped(10) + u"jpg"_qs, despues.take(n));
        QCOMPARE(despues, antes);
    }
    qInfo("%d of 50 runs killed before their end", matados);
    QVERIFY(matados > 10);
}

void PruebaResistencia::discoLleno()
{
    // The log on a small disk that fills up half-way: the run stops before the next rename,
    // says so, and every rename it made can be undone.
    CarpetaPrueba punto;
    DiscoPequeno disco(punto.ruta());
    if (!disco.montado)
        QSKIP("this machine won't mount a tmpfs here (not root?)");
    Banco b;
    b.e.RutaLog = punto.camino(u"temp.txt"_qs);
    b.menu("mnuGuardar")->trigger();
    b.c.crear(Numerados(5000));
    const auto antes = b.c.contenido();
    b.seleccionarTodo();
    QCOMPARE(b.e.NumArchivos, 5000);
    b.escribir("txtExtension", u"renombrado"_qs);
    b.renombrar();

    const QList<Avisos::Visto> vistos = Avisos::Vistos();
    QCOMPARE(vistos.size(), 1);
    QVERIFY2(vistos[0].texto.startsWith(
                 u"No se pudo escribir el registro. El proceso se detuvo.\n"_qs),
             qPrintable(vistos[0].texto));
    QCOMPARE(b.numArchivos(), u"Listo"_qs);
    QVERIFY(cComDlg::Peticiones().isEmpty());
    const LogLeido leido = LeerLog(punto.leer(u"temp.txt"_qs), true);
    const int renombrados = int(b.c.nombres().filter(u".renombrado"_qs).size());
    QVERIFY(renombrados > 0 && renombrados < 5000);
    int deshacibles = 0;
    for (const Registro& r : leido.registros)
        deshacibles += r.deshacible;
    QCOMPARE(deshacibles, renombrados);

    b.menu("mnuDeshacer")->trigger();
    QCOMPARE(b.c.contenido(), antes);
}

void PruebaResistencia::usoProlongado()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("memory growth is measured in the plain build: the sanitizer's quarantine hides it");
#endif
    // Runs with random operations, each undone from the menu: the folder comes back whole,
    // no file stays open and the memory does not grow from run to run.
    Banco b;
    b.menu("mnuGuardar")->trigger();
    b.c.crear(Numerados(5000));
    b.c.crear(Lista({"f00001.png", "g.jpg", "n05"}));  // names some runs will meet
    const auto antes = b.c.contenido();
    auto* azar = QRandomGenerator::global();
    const auto uno = [azar](std::initializer_list<const char*> textos) {
        return QString::fromUtf8(*(textos.begin() + azar->bounded(int(textos.size()))));
    };
    const int abiertos = FicherosAbiertos();
    QList<long> memoria;
    for (int vuelta = 0; vuelta < 30; ++vuelta) {
        b.seleccionarTodo();
        const int opcion = int(azar->bounded(6));
        b.elegir(opcion);
        b.escribir("txtExtension", uno({"png", "JPG", "", ".x"}));
        b.escribir("txtString1", uno({"f0", "0", ".jpg", ""}));
        b.escribir("txtString2", uno({"g", "", "00"}));
        b.escribir("txtAnadir", uno({"_a", "", " b"}));
        b.escribir("txtPosicion", QString::number(azar->bounded(12)));
        b.escribir("txtGenerar", uno({"n*", "*.jpg", "f*", "a.b", "", "x*/y"}));
        b.escribir("txtGenerarDesde", QString::number(azar->bounded(-50, 100)));
        if (opcion == 2)
            QTest::mouseClick(b.hijo(uno({"optAnadirPrincipio", "optAnadirFinal", "optAnadirEn"})),
                              Qt::LeftButton);
        b.renombrar();
        QCOMPARE(b.numArchivos(), u"Listo"_qs);
        b.menu("mnuDeshacer")->trigger();
        QCOMPARE(b.c.contenido(), antes);
        QCOMPARE(FicherosAbiertos(), abiertos);
        Avisos::Vistos();
        Escritorio::Abiertos();
        memoria << MemoriaResidenteKiB();
    }
    // After the first runs have filled the caches, the memory stays where it is.
    const long asentada = *std::max_element(memoria.begin() + 5, memoria.begin() + 10);
    const long final = *std::max_element(memoria.end() - 5, memoria.end());
    qInfo("resident memory: %ld KiB after 10 runs, %ld KiB after 30", asentada, final);
    QVERIFY2(final - asentada < 2048, "memory grows from run to run");
}

QTEST_MAIN(PruebaResistencia)
#include "tst_resistencia.moc"
