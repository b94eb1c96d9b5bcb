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

// A folder of numbered files with its data folder beside it, and the runs of a child process
// over it: the real rename step, log and plan, killed where the test says.
struct Matadero {
    explicit Matadero(int cuantos, const QString& dentro = QDir::tempPath() + u'/') : c(dentro)
    {
        c.crear(Numerados(cuantos));
        antes = c.contenido();
    }
    QString Temporal() const { return datos.camino(u"temp.txt"_qs); }
    // `modo` as the child takes it; killed before or after its rename number `matar`, or after
    // `ms` milliseconds. Whether it was killed.
    bool Hijo(const QString& modo, int matar = 0, const QString& cuando = {}, int ms = -1)
    {
        QProcess hijo;
        QStringList args{c.ruta(), Temporal(), modo};
        if (matar > 0)
            args << QString::number(matar) << cuando;
        hijo.start(QStringLiteral(BRINDLEWICK_HIJO), args);
        if (!hijo.waitForStarted())
            return false;
        if (ms >= 0) {
            QTest::qWait(ms);
            hijo.kill();
        }
        hijo.waitForFinished();
        return hijo.exitStatus() == QProcess::CrashExit;
    }
    QList<EntradaHistorial> Historial() const { return LeerHistorial(CarpetaHistorial(Temporal())); }
    // The history's undo of the first run, with whatever undid it since: every file whole
    // under its own name, no name of the program's left.
    void DeshacerTodo()
    {
        if (const QList<EntradaHistorial> h = Historial(); !h.isEmpty()) {
            Estado e;
            e.RutaLog = Temporal();
            PantallaRegistro pantalla;
            const ResultadoProceso r = DeshacerEntrada(e, pantalla, h.constLast());
            QVERIFY2(r.aceptado, qPrintable(r.mensaje));
        }
        QCOMPARE(c.contenido(), antes);
    }
    CarpetaPrueba c, datos;
    QMap<QString, QByteArray> antes;
};

}  // namespace

class PruebaResistencia : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void matarEnCadaPunto_data();
    void matarEnCadaPunto();
    void matarEnUnaTarjeta();
    void matarAlAzar();
    void corteDeLuz();
    void discoLleno();
};

void PruebaResistencia::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(u"Brindlewick"_qs);
    PrepararVentanas();
}

void PruebaResistencia::matarEnCadaPunto_data()
{
    QTest::addColumn<QString>("modo");
    QTest::addColumn<int>("matar");  // the child's rename call where it dies
    QTest::addColumn<QString>("cuando");
    QTest::addColumn<int>("matarDeshacer");  // then its undo dies at this call too
    QTest::addColumn<QString>("estorbo");  // a file made after the kill, taken away for a second undo
    QTest::newRow("before the first rename") << "extension" << 1 << "antes" << 0 << "";
    QTest::newRow("after a rename, before its record") << "extension" << 500 << "despues" << 0 << "";
    QTest::newRow("a chain, after a rename") << "cadena" << 700 << "despues" << 0 << "";
    QTest::newRow("a swap's first step, set apart") << "intercambio" << 1 << "despues" << 0 << "";
    QTest::newRow("before a swap's last step") << "intercambio" << 3 << "antes" << 0 << "";
    QTest::newRow("a swap's last step, before its record") << "intercambio" << 3 << "despues" << 0 << "";
    QTest::newRow("its undo killed inside a swap") << "intercambio" << 601 << "despues" << 2 << "";
    QTest::newRow("the folder changed since") << "extension" << 500 << "despues" << 0 << "f00600.renombrado";
}

// Killed at each kind of point: the history's undo restores every name and every content, and
// no name of the program's stays, an undo killed in turn included.
void PruebaResistencia::matarEnCadaPunto()
{
    QFETCH(QString, modo);
    QFETCH(int, matar);
    QFETCH(QString, cuando);
    QFETCH(int, matarDeshacer);
    QFETCH(QString, estorbo);
    Matadero m(1000);
    QVERIFY(m.Hijo(modo, matar, cuando));
    if (matarDeshacer > 0)
        QVERIFY(m.Hijo(u"deshacer"_qs, matarDeshacer, u"despues"_qs));
    QVERIFY(!m.Historial().isEmpty());
    // What the folder no longer tells is left as it is, and the entry does not read undone.
    if (!estorbo.isEmpty()) {
        m.c.escribir(estorbo, "ajeno");
        Estado e;
        e.RutaLog = m.Temporal();
        PantallaRegistro pantalla;
        QVERIFY(DeshacerEntrada(e, pantalla, m.Historial().constLast()).aceptado);
        QCOMPARE(m.Historial().constLast().estado, EstadoEntrada::DeshechaEnParte);
        QCOMPARE(m.c.leer(estorbo), "ajeno");
        QVERIFY(QFile::remove(m.c.camino(estorbo)));
    }
    m.DeshacerTodo();
}

// On a card without rename flag or links, killed between reserving a new name and renaming
// onto it, then as it sets a file apart: the undo takes the empty reservation away too.
void PruebaResistencia::matarEnUnaTarjeta()
{
    VolumenExfat tarjeta;
    if (tarjeta.ruta().isEmpty())
        QSKIP(qPrintable(tarjeta.fallo));
    for (const auto& [modo, matar] : {std::pair{"extension", 31}, std::pair{"intercambio", 5}}) {
        Matadero m(1000, tarjeta.ruta());
        QVERIFY(m.Hijo(QString::fromLatin1(modo), matar, u"antes"_qs));
        m.DeshacerTodo();
    }
}

void PruebaResistencia::matarAlAzar()
{
    // Runs killed at random moments, a third each changing extensions, renumbering a chain and
    // swapping pairs: none loses a rename, and the undo of its entry restores every file.
    int matados = 0;
    const QStringList modos = Lista({"extension", "cadena", "intercambio"});
    for (int vuelta = 0; vuelta < 30; ++vuelta) {
        Matadero m(3000);
        matados += m.Hijo(modos[vuelta % 3], 0, {}, int(QRandomGenerator::global()->bounded(1, 100)));
        const QList<EntradaHistorial> historial = m.Historial();
        const LogLeido leido = LeerLog(m.datos.leer(u"temp.txt"_qs), true);
        // Its counts come from its log: each record of a change of extension is a file. Every
        // rename has its record before the next one starts: one at most is in flight.
        if (vuelta % 3 == 0 && !historial.isEmpty()) {
            QCOMPARE(historial[0].renombrados, int(leido.registros.size()));
            QVERIFY(m.c.nombres().filter(u".renombrado"_qs).size() - leido.registros.size() <= 1);
        }
        for (const EntradaHistorial& entrada : historial)
            QVERIFY(entrada.estado != EstadoEntrada::EnCurso);
        m.DeshacerTodo();
    }
    qInfo("%d of 30 runs killed before their end", matados);
    QVERIFY(matados > 5);
}

// A power cut: the records after some point never reached the disk, while the renames did.
// The plan and the folder tell the rest.
void PruebaResistencia::corteDeLuz()
{
    for (const char* modo : {"extension", "cadena", "intercambio"}) {
        for (const double corte : {0.0, 0.5, 0.9}) {
            Matadero m(1000);
            QVERIFY(!m.Hijo(QString::fromLatin1(modo)));
            const QString log = m.Historial().value(0).log;
            const qint64 largo = QFileInfo(log).size();
            QVERIFY(QFile::resize(log, qint64(double(largo) * corte) + (corte > 0 ? 7 : 0)));  // mid-record
            m.DeshacerTodo();
        }
    }
}

void PruebaResistencia::discoLleno()
{
    // The data folder on a small disk, its room taken by a filler: a run of swaps whose plan
    // does not fit renames nothing; one whose log fills up half-way stops, says so, leaves no
    // name of its own, and stays in the history, undone whole once there is room. A saved log
    // that does not fit is not said to be saved.
    CarpetaPrueba punto;
    if (QProcess::execute(u"mount"_qs, {u"-t"_qs, u"tmpfs"_qs, u"-o"_qs, u"size=1m"_qs, u"tmpfs"_qs, punto.ruta()}) != 0)
        QSKIP("this machine won't mount a tmpfs here (not root?)");
    const auto desmontar = qScopeGuard([&] { QProcess::execute(u"umount"_qs, {punto.ruta()}); });
    const auto dejarLibre = [&punto](qint64 libre) {
        QFile::remove(punto.camino(u"relleno"_qs));
        const qint64 ocupar = QStorageInfo(punto.ruta()).bytesAvailable() - libre;
        QFile relleno(punto.camino(u"relleno"_qs));
        QVERIFY(relleno.open(QIODevice::WriteOnly) && relleno.write(QByteArray(ocupar, 'x')) == ocupar);
    };
    Banco b;
    b.e.RutaLog = punto.camino(u"temp.txt"_qs);
    b.c.crear(Numerados(2000));
    const auto antes = b.c.contenido();
    const auto intercambiar = [&b] {
        b.escribir("txtGenerarDesde", u"0"_qs);
        b.seleccionar({u"*"_qs});
        b.e.Archivos = Numerados(2000);
        for (qsizetype i = 0; i + 1 < b.e.Archivos.size(); i += 2)
            b.e.Archivos.swapItemsAt(i, i + 1);
        b.elegir(Opcion::Generar);
        b.escribir("txtGenerar", u"f0*.jpg"_qs);
        b.renombrar();
        return Mensajes();
    };
    dejarLibre(16 * 1024);
    QCOMPARE(intercambiar().value(0).section(u'\n', 0, 0), u"!No se pudo crear el registro:"_qs);
    QCOMPARE(b.c.contenido(), antes);
    dejarLibre(300 * 1024);
    QCOMPARE(intercambiar().value(0).section(u'\n', 0, 0), u"!No se pudo escribir el registro. El proceso se detuvo."_qs);
    const auto cortado = b.c.contenido();
    QVERIFY(cortado != antes);
    QVERIFY(QStringList(cortado.keys()).filter(u".brindlewick"_qs).isEmpty());
    const QList<EntradaHistorial> historial = LeerHistorial(CarpetaHistorial(b.e.RutaLog));
    QVERIFY(historial.size() == 1 && historial[0].estado == EstadoEntrada::Interrumpida);
    // The undo keeps a log of its own: refused while the disk is full, it renames nothing;
    // once there is room again, it restores every file.
    b.menu("mnuDeshacer")->trigger();
    QCOMPARE(Mensajes().value(0).section(u'\n', 0, 0), u"!No se pudo crear el registro:"_qs);
    QCOMPARE(b.c.contenido(), cortado);
    QVERIFY(QFile::remove(punto.camino(u"relleno"_qs)));
    b.menu("mnuDeshacer")->trigger();
    QCOMPARE(b.c.contenido(), antes);
    dejarLibre(4 * 1024);
    cComDlg::Elegir(punto.camino(u"lote.bwk"_qs));
    QTimer::singleShot(0, b.w.get(), [] {
        QApplication::activeModalWidget()->findChild<QPushButton*>(u"cmdGuardarHist"_qs)->click();
        QApplication::activeModalWidget()->close();
    });
    b.menu("mnuHistorial")->trigger();
    QCOMPARE(Mensajes().value(0).section(u'\n', 0, 0), u"!No se pudo guardar el log:"_qs);
    QVERIFY(!QFile::exists(punto.camino(u"lote.bwk"_qs)));
}

QTEST_MAIN(PruebaResistencia)
#include "tst_resistencia.moc"
