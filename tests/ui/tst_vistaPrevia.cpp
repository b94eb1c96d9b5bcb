#include "Banco.h"

#include "log/Registro.h"
#include "ui/frmVistaPrevia.h"

#include <QMenu>
#include <QStandardPaths>
#include <QTableView>

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
    QStringList opciones;
    for (const QAction* a : b.hijo<QMenu>(u"mnuOpciones"_qs)->actions().mid(0, 3))
        opciones << (a->isSeparator() ? u"-"_qs : a->text());
    QCOMPARE(opciones, Lista({"&Vista previa", "-", "&Deshacer"}));

    QStringList pasos;  // each step, and whether the preview was enabled after it
    const auto anotar = [&](const char* paso) {
        pasos << QString::fromUtf8(paso)
                + (b.menu("mnuVistaPrevia")->isEnabled() ? u" on"_qs : u" off"_qs);
    };
    // That a selection and a loaded log enable it shows in abrirDesdeElMenu: a disabled
    // item would not open the preview there.
    anotar("load");
    b.c.crear(Lista({"a", "b"}));
    b.seleccionar(Lista({"a", "b"}));
    b.escribir("txtExtension", u"x"_qs);
    // Between two files of the run, while it yields.
    QTimer::singleShot(0, b.w.get(), [&anotar] { anotar("during a run"); });
    b.renombrar();
    anotar("run");
    QCOMPARE(pasos, Lista({"load off", "during a run off", "run off"}));
}

void PruebaVistaPrevia::abrirDesdeElMenu_data()
{
    QTest::addColumn<QString>("caso");
    QTest::addColumn<QStringList>("filas");  // the summary, then the table if one is shown
    const char* cabecera = "Nombre actual | Nombre nuevo | Resultado";
    QTest::newRow("replace, a name left alone")
        << "replace"
        << Lista({"1 cambios, 1 fallarán", cabecera, "foto1 | img1 | Correcto",
                  "foto2 | img2 | El nombre ya existe", "nota3 | nota3 | Sin cambios"});
    QTest::newRow("refused parameter") << "refused" << Lista({"Extensión no válida"});
    // Undone in the log's own folder, where the selected folder's names mean nothing.
    QTest::newRow("loaded log")
        << "log"
        << Lista({"1 cambios, 0 fallarán", cabecera, "foto4 | foto3 | Correcto"});
}

void PruebaVistaPrevia::abrirDesdeElMenu()
{
    QFETCH(QString, caso);
    QFETCH(QStringList, filas);
    CarpetaPrueba viejos;  // where a saved log lies, with the files it renamed
    Banco b;
    b.c.crear(Lista({"foto1", "foto2", "nota3", "img2"}));
    b.seleccionar(Lista({"foto1", "foto2", "nota3"}));
    b.escribir("txtExtension", u"t?t"_qs);  // refused only while its operation is chosen
    if (caso == u"replace") {
        b.elegir(1);
        b.escribir("txtString1", u"foto"_qs);
        b.escribir("txtString2", u"img"_qs);
    } else if (caso == u"log") {
        viejos.crear(Lista({"foto4"}));
        viejos.escribir(u"lote.bwk"_qs, LineaRegistro(u"foto3"_qs, u"foto4"_qs));
        cComDlg::Elegir(viejos.camino(u"lote.bwk"_qs));
        b.menu("mnuCargar")->trigger();
    }
    // What a user could see change: the files, the count, the loaded log, "Renombrar".
    const auto estado = [&] {
        QStringList s{b.numArchivos(), QString::number(b.e.LogCargado),
                      QString::number(b.activo("cmdProcesar"))};
        for (const CarpetaPrueba* c : {&b.c, &b.datos, &viejos})
            for (const auto& [nombre, bytes] : c->contenido().asKeyValueRange())
                s << nombre + u'=' + QString::fromUtf8(bytes);
        return s;
    };
    const QStringList antes = estado();

    // Read while it is open: its caption and kind, the summary, and the table, if shown, one
    // line per row after the header's. Then closed as a user would.
    QStringList visto, mientras;
    QTimer::singleShot(0, b.w.get(), [&] {
        auto* vista = b.w->findChild<frmVistaPrevia*>();
        if (!vista)
            return;
        mientras = estado();
        visto << vista->windowTitle()
                + (QApplication::activeModalWidget() == vista ? u", modal"_qs : u""_qs)
                + (vista->minimumSize() != vista->maximumSize() ? u", resizable"_qs : u""_qs);
        visto << vista->findChild<QLabel*>(u"lblResumen"_qs)->text();
        // A table shown without a model reads as one empty line.
        const auto* tabla = vista->findChild<QTableView*>(u"lstVistaPrevia"_qs);
        const QAbstractItemModel* m = tabla->model();
        for (int f = -1; tabla->isVisible() && f < (m ? m->rowCount() : 0); ++f) {
            QStringList celdas;
            for (int c = 0; m && c < m->columnCount(); ++c)
                celdas << (f < 0 ? m->headerData(c, Qt::Horizontal) : m->index(f, c).data())
                              .toString();
            visto << celdas.join(u" | ");
        }
        if (caso == u"refused")
            QTest::keyClick(vista, Qt::Key_Escape);
        else
            vista->findChild<QPushButton*>(u"cmdCerrar"_qs)->click();
        if (vista->isVisible()) {
            visto << u"still open"_qs;
            vista->reject();
        }
    });
    b.menu("mnuVistaPrevia")->trigger();
    QCOMPARE(visto, QStringList{u"Vista previa, modal, resizable"_qs} + filas);
    QCOMPARE(mientras, antes);
    QCOMPARE(estado(), antes);
    QVERIFY(Avisos::Vistos().isEmpty());
}

QTEST_MAIN(PruebaVistaPrevia)
#include "tst_vistaPrevia.moc"
