#include "Soporte.h"

#include "app/Estado.h"
#include "app/Main.h"
#include "app/Proceso.h"
#include "engine/Panel.h"
#include "engine/Reglas.h"
#include "log/Deshacer.h"
#include "log/Guardar.h"
#include "log/Registro.h"

#include <QStandardPaths>
#include <QtTest>

namespace {

Panel ConOpcion(int opcion)
{
    Panel p;
    p.opcion = opcion;
    p.modo = ModoFinal;
    return p;
}

// A selection in its own folder, and the temporary log in another.
struct Run {
    explicit Run(const QStringList& nombres)
    {
        c.crear(nombres);
        e.RutaCarpeta = c.ruta();
        e.Archivos = nombres;
        e.NumArchivos = qint16(nombres.size());
        e.RutaLog = datos.camino(u"temp.txt"_qs);
    }
    ResultadoProceso procesar(const Panel& panel, const QString& cargado = {})
    {
        return Procesar(e, pantalla, panel, cargado, QFileInfo(cargado).path() + u'/');
    }
    QByteArray temporal() const { return datos.leer(u"temp.txt"_qs); }
    CarpetaPrueba c, datos;
    Estado e;
    PantallaRegistro pantalla;
};

}  // namespace

class PruebaApp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void inicio();
    void cadaOperacion_data();
    void cadaOperacion();
    void rechazos_data();
    void rechazos();
    void guardarCargarYDeshacer();
    void cerrarDuranteElProceso();
};

void PruebaApp::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(u"Brindlewick"_qs);
}

void PruebaApp::inicio()
{
    Estado e;
    e.LogCargado = true;
    Main(e);
    QVERIFY(!e.LogCargado);
    QCOMPARE(e.RutaPrograma, QCoreApplication::applicationDirPath());
    const QString datos = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QVERIFY(datos.endsWith(u"/Brindlewick"_qs));
    QCOMPARE(e.RutaLog, datos + u"/temp.txt"_qs);
    QVERIFY(QFileInfo(datos).isDir());
}

void PruebaApp::cadaOperacion_data()
{
    QTest::addColumn<Panel>("panel");
    QTest::addColumn<QStringList>("despues");
    auto panel = [](int opcion, QString Panel::*campo, const char* valor,
                    QString Panel::*campo2 = nullptr, const char* valor2 = nullptr) {
        Panel p = ConOpcion(opcion);
        p.*campo = QString::fromUtf8(valor);
        if (campo2)
            p.*campo2 = QString::fromUtf8(valor2);
        return p;
    };
    // The folder: "Foto 1.JPG", "foto 2.jpg", "leeme".
    QTest::newRow("extension") << panel(0, &Panel::extension, "png")
                               << Lista({"Foto 1.png", "foto 2.png", "leeme.png"});
    QTest::newRow("replace") << panel(1, &Panel::buscar, "foto", &Panel::reemplazo, "img")
                             << Lista({"Foto 1.JPG", "img 2.jpg", "leeme"});
    QTest::newRow("add") << panel(2, &Panel::anadir, "_x")
                         << Lista({"Foto 1_x.JPG", "foto 2_x.jpg", "leeme_x"});
    QTest::newRow("generate") << panel(3, &Panel::patron, "n*.txt", &Panel::desde, "7")
                              << Lista({"n07.txt", "n08.txt", "n09.txt"});
    QTest::newRow("lower case") << ConOpcion(4) << Lista({"foto 1.jpg", "foto 2.jpg", "leeme"});
    QTest::newRow("upper case") << ConOpcion(5) << Lista({"FOTO 1.JPG", "FOTO 2.JPG", "LEEME"});
    QTest::newRow("nothing chosen") << ConOpcion(-1) << Lista({"Foto 1.JPG", "foto 2.jpg", "leeme"});
}

void PruebaApp::cadaOperacion()
{
    QFETCH(Panel, panel);
    QFETCH(QStringList, despues);
    const QStringList antes = Lista({"Foto 1.JPG", "foto 2.jpg", "leeme"});
    Run run(antes);
    run.e.Fallos = 5;
    run.e.GuardarLog = true;
    const ResultadoProceso r = run.procesar(panel);
    QVERIFY(r.aceptado);
    QCOMPARE(r.mensaje, QString());
    QVERIFY(r.ofrecerGuardar);
    QCOMPARE(run.e.Fallos, 0);

    QStringList ordenados = despues;
    ordenados.sort();
    QCOMPARE(run.c.nombres(), ordenados);
    // The log: the header, then one record per rename handed to the step, in list order.
    QByteArray esperado = CabeceraLog(3, run.c.ruta());
    for (int i = 0; i < 3; ++i)
        if (antes[i] != despues[i] || panel.opcion != 1)
            esperado += LineaRegistro(antes[i], despues[i]);
    if (panel.opcion == -1)
        esperado = CabeceraLog(3, run.c.ruta());
    QCOMPARE(run.temporal(), esperado);

    // And the menu's undo puts every name back.
    QVERIFY(DeshacerTemporal(run.e, run.pantalla));
    QCOMPARE(run.c.nombres(), antes);
}

void PruebaApp::rechazos_data()
{
    QTest::addColumn<QString>("caso");
    QTest::addColumn<QString>("mensaje");  // its first line
    QTest::newRow("bad extension") << "extension" << "Extensión no válida";
    QTest::newRow("position") << "position" << "Posición no válida";
    QTest::newRow("start number") << "start" << "Número no válido";
    QTest::newRow("log can't be created") << "nolog" << "No se pudo crear el registro:";
    QTest::newRow("full disk") << "full" << "No se pudo crear el registro:";
    QTest::newRow("loaded log gone") << "noloaded" << "No se pudo abrir el log:";
}

void PruebaApp::rechazos()
{
    QFETCH(QString, caso);
    QFETCH(QString, mensaje);
    Run run(Lista({"a.txt", "b.txt"}));
    Panel panel = ConOpcion(0);
    QString cargado;
    if (caso == u"extension")
        panel.extension = u"t?t"_qs;
    if (caso == u"position") {
        panel = ConOpcion(2);
        panel.modo = ModoPosicion;
        panel.posicion = u"256"_qs;
    }
    if (caso == u"start") {
        panel = ConOpcion(3);
        panel.desde = u"32766"_qs;
    }
    if (caso == u"nolog")
        run.e.RutaLog = run.datos.camino(u"no/temp.txt"_qs);
    if (caso == u"full")
        run.e.RutaLog = u"/dev/full"_qs;
    if (caso == u"noloaded") {
        run.e.LogCargado = true;
        cargado = run.datos.camino(u"gone.bwk"_qs);
    }
    const ResultadoProceso r = run.procesar(panel, cargado);
    QVERIFY(!r.aceptado);
    QVERIFY(!r.ofrecerGuardar);
    QCOMPARE(r.mensaje.section(u'\n', 0, 0), mensaje);
    if (mensaje.endsWith(u':'))  // the path and the reason on lines of their own
        QCOMPARE(r.mensaje.count(u'\n'), 2);
    QCOMPARE(run.c.nombres(), Lista({"a.txt", "b.txt"}));
    QVERIFY(!run.e.LogCargado);
    QVERIFY(!run.e.FicheroLog);
    if (caso != u"nolog" && caso != u"full")  // a refused run leaves its bare header
        QCOMPARE(run.temporal(), CabeceraLog(2, run.c.ruta()));
}

void PruebaApp::guardarCargarYDeshacer()
{
    // A run with one failure, saved; later, from another selection, the saved log is loaded
    // and undone in its own folder; then "Deshacer" applies its renames again.
    Run run(Lista({"a", "b", "c", "b.x"}));
    run.e.Archivos = Lista({"a", "b", "c"});
    run.e.NumArchivos = 3;
    Panel panel = ConOpcion(0);
    panel.extension = u"x"_qs;
    QVERIFY(run.procesar(panel).aceptado);
    QCOMPARE(run.e.Fallos, 1);
    const QString guardado = run.c.camino(u"lote.bwk"_qs);
    QVERIFY(CopiarLogGuardado(run.e.RutaLog, guardado).ok);
    QCOMPARE(run.c.leer(u"lote.bwk"_qs), LineaRegistro(u"a"_qs, u"a.x"_qs) + LineaRegistro(u"c"_qs, u"c.x"_qs));

    CarpetaPrueba otra;
    otra.crear(Lista({"a.x"}));  // same names elsewhere are not touched
    run.e.RutaCarpeta = otra.ruta();
    run.e.NumArchivos = 1;
    run.e.LogCargado = true;
    run.e.GuardarLog = true;
    const ResultadoProceso r = run.procesar(Panel(), guardado);
    QVERIFY(r.aceptado);
    QVERIFY(!r.ofrecerGuardar);
    QVERIFY(!run.e.LogCargado);
    QCOMPARE(run.e.RutaCarpeta, run.c.ruta());
    QCOMPARE(run.c.nombres(), Lista({"a", "b", "b.x", "c", "lote.bwk"}));
    QCOMPARE(otra.nombres(), Lista({"a.x"}));
    // The header as it stood before the run; the reverse renames in the order made.
    QCOMPARE(run.temporal(), CabeceraLog(1, otra.ruta()) + LineaRegistro(u"c.x"_qs, u"c"_qs)
                                 + LineaRegistro(u"a.x"_qs, u"a"_qs));

    QVERIFY(DeshacerTemporal(run.e, run.pantalla));
    QCOMPARE(run.c.nombres(), Lista({"a.x", "b", "b.x", "c.x", "lote.bwk"}));
}

void PruebaApp::cerrarDuranteElProceso()
{
    // The window closes while the second file is in hand: it is renamed and recorded, the run
    // goes no further and offers nothing.
    struct Cierre : PantallaRegistro {
        void CederEventos() override { detener = ++cesiones == 2; }
    };
    Run run(Lista({"1", "2", "3"}));
    Cierre pantalla;
    run.e.GuardarLog = true;
    Panel panel = ConOpcion(0);
    panel.extension = u"x"_qs;
    const ResultadoProceso r = Procesar(run.e, pantalla, panel, {}, {});
    QVERIFY(r.aceptado);
    QVERIFY(!r.ofrecerGuardar);
    QCOMPARE(run.c.nombres(), Lista({"1.x", "2.x", "3"}));
    QCOMPARE(run.temporal(), CabeceraLog(3, run.c.ruta()) + LineaRegistro(u"1"_qs, u"1.x"_qs)
                                 + LineaRegistro(u"2"_qs, u"2.x"_qs));
}

QTEST_GUILESS_MAIN(PruebaApp)
#include "tst_app.moc"
