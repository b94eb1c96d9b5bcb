#include "Banco.h"

#include "log/Registro.h"
#include "ui/frmVistaPrevia.h"

#include <QMenu>
#include <QStandardPaths>
#include <QTableView>

namespace {

// What an open preview shows, read while it is open.
struct Visto {
    QString titulo;
    bool modal = false;
    bool redimensionable = false;
    QString resumen;
    bool tabla = false;
    QStringList cabeceras;
    QStringList filas;  // "actual > nuevo: resultado"
    bool discoIntacto = false;
};

// Opens the preview from the menu and reads it; `cerrar` then closes it as a user would.
Visto AbrirVista(Banco& b, const std::function<void(frmVistaPrevia*)>& cerrar)
{
    Visto v;
    const auto antes = b.c.contenido();
    QTimer::singleShot(0, b.w.get(), [&] {
        auto* vista = b.w->findChild<frmVistaPrevia*>();
        if (!vista)
            return;
        v.titulo = vista->windowTitle();
        v.modal = QApplication::activeModalWidget() == vista;
        v.redimensionable = vista->minimumSize() != vista->maximumSize();
        v.resumen = vista->findChild<QLabel*>(u"lblResumen"_qs)->text();
        auto* tabla = vista->findChild<QTableView*>(u"lstVistaPrevia"_qs);
        v.tabla = tabla->isVisible();
        if (const QAbstractItemModel* m = tabla->model()) {
            for (int c = 0; c < m->columnCount(); ++c)
                v.cabeceras << m->headerData(c, Qt::Horizontal).toString();
            for (int f = 0; f < m->rowCount(); ++f)
                v.filas << m->index(f, 0).data().toString() + u" > "_qs
                        + m->index(f, 1).data().toString() + u": "_qs
                        + m->index(f, 2).data().toString();
        }
        v.discoIntacto = b.c.contenido() == antes && b.datos.nombres().isEmpty();
        cerrar(vista);
    });
    b.menu("mnuVistaPrevia")->trigger();
    return v;
}

}  // namespace

class PruebaVistaPrevia : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void menuSigueARenombrar();
    void abrirDesdeElMenu_data();
    void abrirDesdeElMenu();
};

void PruebaVistaPrevia::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(u"Brindlewick"_qs);
}

void PruebaVistaPrevia::init()
{
    PrepararVentanas();
}

void PruebaVistaPrevia::menuSigueARenombrar()
{
    Banco b;
    b.menu("mnuGuardar")->trigger();  // no save offer in this test
    QAction* vista = b.menu("mnuVistaPrevia");
    const QList<QAction*> opciones = b.hijo<QMenu>(u"mnuOpciones"_qs)->actions();
    QCOMPARE(opciones.value(0), vista);
    QCOMPARE(vista->text(), u"&Vista previa"_qs);
    QVERIFY(opciones.value(1)->isSeparator());
    QCOMPARE(opciones.value(2), b.menu("mnuDeshacer"));

    QStringList pasos;  // each step, and whether the preview was enabled after it
    const auto anotar = [&](const char* paso) {
        if (vista->isEnabled() != b.activo("cmdProcesar"))
            pasos << u"out of step: "_qs + QString::fromUtf8(paso);
        pasos << QString::fromUtf8(paso) + (vista->isEnabled() ? u" on"_qs : u" off"_qs);
    };
    // Checked between two files of a run or an undo, while it yields.
    const auto durante = [&](const char* paso) {
        QTimer::singleShot(0, b.w.get(), [&anotar, paso] { anotar(paso); });
    };
    anotar("load");
    b.c.crear(Lista({"a", "b"}));
    b.seleccionar(Lista({"a", "b"}));
    anotar("selection");
    b.escribir("txtExtension", u"t?t"_qs);
    b.renombrar();
    anotar("refused run");
    b.escribir("txtExtension", u"x"_qs);
    durante("during a run");
    b.renombrar();
    anotar("run");
    durante("during an undo");
    b.menu("mnuDeshacer")->trigger();
    anotar("undo");
    b.seleccionar(Lista({"a"}));
    b.seleccionar({}, true);
    anotar("cancelled selection");
    cComDlg::Elegir(b.datos.camino(u"lote.bwk"_qs));
    b.menu("mnuCargar")->trigger();
    anotar("log loaded");
    QCOMPARE(pasos, Lista({"load off", "selection on", "refused run on", "during a run off",
                           "run off", "during an undo off", "undo off",
                           "cancelled selection off", "log loaded on"}));
}

void PruebaVistaPrevia::abrirDesdeElMenu_data()
{
    QTest::addColumn<QString>("caso");
    QTest::addColumn<QStringList>("disco");
    QTest::addColumn<QStringList>("seleccion");
    QTest::addColumn<QString>("resumen");
    QTest::addColumn<QStringList>("filas");
    const char* despues = "Lo tiene un archivo que se renombra después";
    QTest::newRow("shift chain")
        << "shift" << Lista({"foto1", "foto2", "foto3", "foto4"})
        << Lista({"foto1", "foto2", "foto3", "foto4"}) << "1 cambios, 3 fallarán"
        << QStringList{u"foto1 > foto2: "_qs + QString::fromUtf8(despues),
                       u"foto2 > foto3: "_qs + QString::fromUtf8(despues),
                       u"foto3 > foto4: "_qs + QString::fromUtf8(despues),
                       u"foto4 > foto5: Correcto"_qs};
    QTest::newRow("replace, a name left alone")
        << "replace" << Lista({"foto1", "foto2", "nota3", "img2"})
        << Lista({"foto1", "foto2", "nota3"}) << "1 cambios, 1 fallarán"
        << Lista({"foto1 > img1: Correcto", "foto2 > img2: El nombre ya existe",
                  "nota3 > nota3: Sin cambios"});
    QTest::newRow("refused parameter") << "refused" << Lista({"a"}) << Lista({"a"})
                                       << "Cadena no válida" << QStringList();
    QTest::newRow("loaded log")
        << "log" << Lista({"foto2"}) << Lista({"foto2"}) << "2 cambios, 0 fallarán"
        << Lista({"foto4 > foto3: Correcto",
                  "foto9 <#FAILED#>: File exists > foto2: Omitido (fallo registrado)",
                  "foto2 > foto1: Correcto"});
}

void PruebaVistaPrevia::abrirDesdeElMenu()
{
    QFETCH(QString, caso);
    QFETCH(QStringList, disco);
    QFETCH(QStringList, seleccion);
    QFETCH(QString, resumen);
    QFETCH(QStringList, filas);
    CarpetaPrueba viejos;  // where a saved log lies, with the files it renamed
    Banco b;
    b.c.crear(disco);
    b.seleccionar(seleccion);
    if (caso == u"shift") {
        b.elegir(3);
        b.escribir("txtGenerar", u"foto*"_qs);
        b.escribir("txtGenerarDesde", u"2"_qs);
    } else if (caso == u"replace") {
        b.escribir("txtExtension", u"t?t"_qs);  // not the chosen operation: not checked
        b.elegir(1);
        b.escribir("txtString1", u"foto"_qs);
        b.escribir("txtString2", u"img"_qs);
    } else if (caso == u"refused") {
        b.elegir(3);
        b.escribir("txtGenerar", u"a*b*c"_qs);
    } else {
        viejos.crear(Lista({"foto2", "foto4"}));
        viejos.escribir(u"lote.bwk"_qs,
                        LineaRegistro(u"foto1"_qs, u"foto2"_qs)
                            + LineaRegistro(u"foto2"_qs, CampoFallo(u"foto9"_qs, u"File exists"_qs))
                            + LineaRegistro(u"foto3"_qs, u"foto4"_qs));
        cComDlg::Elegir(viejos.camino(u"lote.bwk"_qs));
        b.menu("mnuCargar")->trigger();
        cComDlg::Peticiones();
    }
    const Estado antes = b.e;
    const QString numArchivos = b.numArchivos();

    const Visto v = AbrirVista(b, [&](frmVistaPrevia* vista) {
        if (caso == u"shift")
            QTest::keyClick(vista, Qt::Key_Escape);
        else
            vista->findChild<QPushButton*>(u"cmdCerrar"_qs)->click();
    });
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(v.titulo, u"Vista previa"_qs);
    QVERIFY(v.modal);
    QVERIFY(v.redimensionable);
    QCOMPARE(v.resumen, resumen);
    QCOMPARE(v.tabla, !filas.isEmpty());
    if (!filas.isEmpty())
        QCOMPARE(v.cabeceras, Lista({"Nombre actual", "Nombre nuevo", "Resultado"}));
    QCOMPARE(v.filas, filas);
    // Nothing moved while it was open, and nothing has changed since.
    QVERIFY(v.discoIntacto);
    QCOMPARE(b.datos.nombres(), QStringList());
    QCOMPARE(b.e.Archivos, antes.Archivos);
    QCOMPARE(b.e.RutaCarpeta, antes.RutaCarpeta);
    QCOMPARE(b.e.LogCargado, antes.LogCargado);
    QCOMPARE(b.e.NumArchivos, antes.NumArchivos);
    QCOMPARE(b.numArchivos(), numArchivos);
    QVERIFY(b.activo("cmdProcesar"));
    QVERIFY(Avisos::Vistos().isEmpty());
    QCOMPARE(viejos.nombres(), caso == u"log" ? Lista({"foto2", "foto4", "lote.bwk"})
                                              : QStringList());

    if (caso != u"shift")
        return;
    // The run then fails just where it was foretold.
    b.menu("mnuGuardar")->trigger();
    b.renombrar();
    const QList<Avisos::Visto> avisos = Avisos::Vistos();
    QCOMPARE(avisos.size(), 1);
    QVERIFY(avisos[0].texto.startsWith(u" 3 archivos no se pudieron renombrar."_qs));
    QCOMPARE(b.c.nombres(), Lista({"foto1", "foto2", "foto3", "foto5"}));
}

QTEST_MAIN(PruebaVistaPrevia)
#include "tst_vistaPrevia.moc"
