#include "Banco.h"

#include "app/Proceso.h"
#include "log/Historial.h"
#include "log/Registro.h"

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
    return int(QDir(u"/proc/self/fd"_qs).entryList(QDir::System | QDir::Files).size());
}

long MemoriaResidenteKiB()
{
    QFile statm(u"/proc/self/statm"_qs);
    statm.open(QIODevice::ReadOnly);
    return statm.readAll().split(' ').value(1).toLong() * 4;
}

}  // namespace

class PruebaResistencia : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void matarAlAzar();
    void discoLleno();
    void usoProlongado();
};

void PruebaResistencia::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(u"Brindlewick"_qs);
    PrepararVentanas();
}

void PruebaResistencia::matarAlAzar()
{
    // Runs killed at random moments, half of them swapping pairs of files through names of
    // their own: the log replayed gives the folder but for at most the one rename in flight,
    // and, that one taken back, the undo of the run's entry restores every file, none lost.
    int matados = 0;
    for (int vuelta = 0; vuelta < 50; ++vuelta) {
        CarpetaPrueba c, datos;
        c.crear(Numerados(3000));
        const auto antes = c.contenido();
        Estado e;
        e.RutaCarpeta = c.ruta();
        e.RutaLog = datos.camino(u"temp.txt"_qs);
        QProcess hijo;
        hijo.start(QStringLiteral(BRINDLEWICK_HIJO), {c.ruta(), e.RutaLog, vuelta % 2 ? u"intercambio"_qs : u""_qs});
        QVERIFY(hijo.waitForStarted());
        QTest::qWait(int(QRandomGenerator::global()->bounded(1, 100)));  // a run takes 50 to 150 ms
        hijo.kill();
        hijo.waitForFinished();
        matados += hijo.exitStatus() == QProcess::CrashExit;

        auto repetido = antes;
        const LogLeido leido = LeerLog(datos.leer(u"temp.txt"_qs), true);
        for (const Registro& r : leido.registros) {
            QVERIFY(r.deshacible);
            repetido.insert(r.nuevo, repetido.take(r.viejo));
        }
        auto ahora = c.contenido();
        if (ahora != repetido) {  // the rename in flight: done, its record not yet written
            const auto nombres = [](const auto& m) { return QSet(m.keyBegin(), m.keyEnd()); };
            const QStringList ido = nombres(repetido).subtract(nombres(ahora)).values();
            const QStringList llegado = nombres(ahora).subtract(nombres(repetido)).values();
            QVERIFY(ido.size() == 1 && llegado.size() == 1 && ahora.value(llegado[0]) == repetido.value(ido[0]));
            QVERIFY(QFile::rename(c.camino(llegado[0]), c.camino(ido[0])));
        }
        // Its entry in the history, never "en curso" once its process is gone, undoes it.
        const QList<EntradaHistorial> historial = LeerHistorial(CarpetaHistorial(e.RutaLog));
        QVERIFY(historial.size() == 1 || (historial.isEmpty() && leido.registros.isEmpty()));
        PantallaRegistro pantalla;
        for (const EntradaHistorial& entrada : historial) {
            QVERIFY(entrada.estado != EstadoEntrada::EnCurso);
            // Its counts come from its log: each record of a change of extension is a file.
            if (vuelta % 2 == 0)
                QCOMPARE(entrada.renombrados, int(leido.registros.size()));
            const ResultadoProceso r = DeshacerEntrada(e, pantalla, entrada);
            QVERIFY2(r.completa, qPrintable(r.mensaje));
        }
        QCOMPARE(c.contenido(), antes);
    }
    qInfo("%d of 50 runs killed before their end", matados);
    QVERIFY(matados > 10);
}

void PruebaResistencia::discoLleno()
{
    // The log on a small disk that fills up half-way: the run stops before the next rename,
    // says so, and every rename it made can be undone.
    CarpetaPrueba punto;
    if (QProcess::execute(u"mount"_qs, {u"-t"_qs, u"tmpfs"_qs, u"-o"_qs, u"size=64k"_qs, u"tmpfs"_qs, punto.ruta()}) != 0)
        QSKIP("this machine won't mount a tmpfs here (not root?)");
    const auto desmontar = qScopeGuard([&] { QProcess::execute(u"umount"_qs, {punto.ruta()}); });
    Banco b;
    b.e.RutaLog = punto.camino(u"temp.txt"_qs);
    b.menu("mnuGuardar")->trigger();
    b.c.crear(Numerados(5000));
    const auto antes = b.c.contenido();
    b.correr({u"*"_qs}, 0, u"renombrado"_qs);
    QCOMPARE(b.e.NumArchivos, 5000);
    const QList<Avisos::Visto> vistos = Avisos::Vistos();
    QCOMPARE(vistos.size(), 1);
    QVERIFY2(vistos[0].texto.startsWith(u"No se pudo escribir el registro. El proceso se detuvo.\n"_qs),
             qPrintable(vistos[0].texto));
    int deshacibles = 0;
    for (const Registro& r : LeerLog(punto.leer(u"temp.txt"_qs), true).registros)
        deshacibles += r.deshacible;
    const int renombrados = int(b.c.nombres().filter(u".renombrado"_qs).size());
    QVERIFY(renombrados > 0 && renombrados < 5000);
    QCOMPARE(deshacibles, renombrados);
    // The undo keeps a log of its own: refused while the disk is full, it renames nothing;
    // once there is room again, it restores every file.
    const auto lleno = b.c.contenido();
    b.menu("mnuDeshacer")->trigger();
    const QStringList vistos2 = Mensajes();
    QVERIFY2(vistos2.value(0).startsWith(u"!No se pudo crear el registro:"_qs), qPrintable(vistos2.join(u"|"_qs)));
    QCOMPARE(b.c.contenido(), lleno);
    QCOMPARE(QProcess::execute(u"mount"_qs, {u"-o"_qs, u"remount,size=1m"_qs, punto.ruta()}), 0);
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
    b.c.crear(Numerados(5000) + Lista({"f00001.png", "g.jpg", "n05"}));  // names runs will meet
    const auto antes = b.c.contenido();
    const auto uno = [](const QStringList& textos) {
        return textos.at(QRandomGenerator::global()->bounded(int(textos.size())));
    };
    const QList<QStringList> primeras{Lista({"png", "", ".x"}), Lista({"f0", ".jpg", ""}),
                                      Lista({"_a", "", " b"}), Lista({"n*", "*.jpg", "a.b", "x*/y"}),
                                      {{}}, {{}}};
    const int abiertos = FicherosAbiertos();
    QList<long> memoria;
    // Each "Resultado" a run with failures shows is closed, as a user does.
    QTimer cerrar;
    connect(&cerrar, &QTimer::timeout, this, [] {
        if (auto* resultado = qobject_cast<frmResultado*>(QApplication::activeModalWidget()))
            resultado->reject();
    });
    cerrar.start(5);
    for (int vuelta = 0; vuelta < 30; ++vuelta) {
        b.escribir("txtString2", uno(Lista({"g", "", "00"})));
        b.escribir("txtPosicion", QString::number(QRandomGenerator::global()->bounded(12)));
        b.escribir("txtGenerarDesde", QString::number(QRandomGenerator::global()->bounded(-50, 100)));
        QTest::mouseClick(b.hijo(uno(Lista({"optAnadirPrincipio", "optAnadirFinal", "optAnadirEn"}))),
                          Qt::LeftButton);
        const int opcion = QRandomGenerator::global()->bounded(6);
        b.correr({u"*"_qs}, opcion, uno(primeras[opcion]));
        QCOMPARE(b.numArchivos(), u"Listo"_qs);
        b.menu("mnuDeshacer")->trigger();
        QCOMPARE(b.c.contenido(), antes);
        QCOMPARE(FicherosAbiertos(), abiertos);
        Avisos::Vistos();
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
