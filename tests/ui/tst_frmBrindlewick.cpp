#include "Banco.h"

#include "log/Registro.h"
#include "ui/Formas.h"
#include "ui/frmAyuda.h"

#include <QScreen>
#include <QStandardPaths>

namespace {

const QStringList CajasTexto = Lista({"txtExtension", "txtString1", "txtString2", "txtAnadir",
                                      "txtPosicion", "txtGenerar", "txtGenerarDesde"});

}  // namespace

class PruebaVentana : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void alCargar();
    void reglaDelPanel_data();
    void reglaDelPanel();
    void subopciones();
    void limitesDeLasCajas();
    void seleccion();
    void cadaOperacion_data();
    void cadaOperacion();
    void rechazos_data();
    void rechazos();
    void intro();
    void menusDeAyuda();
    void resumenDeFallos_data();
    void resumenDeFallos();
    void ofertaDeGuardar();
    void ajusteGuardarEntreVentanas();
    void cargarLogYRenombrar();
    void deshacerDesdeElMenu();
    void seleccionEnOtraCarpeta();
    void nadaSeMueveDuranteElProceso();
    void cerrarDuranteElProceso();
    void tamanoFijo();
};

void PruebaVentana::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(u"Brindlewick"_qs);
}

void PruebaVentana::init()
{
    PrepararVentanas();
}

void PruebaVentana::alCargar()
{
    Banco b;
    QCOMPARE(b.w->windowTitle(), u"Brindlewick"_qs);
    QCOMPARE(b.numArchivos(), u"0"_qs);
    QVERIFY(!b.activo("cmdProcesar"));
    QVERIFY(b.hijo<QRadioButton>(u"optOpciones_0"_qs)->isChecked());
    QVERIFY(b.hijo<QRadioButton>(u"optAnadirPrincipio"_qs)->isChecked());
    QVERIFY(!b.menu("mnuDeshacer")->isEnabled());
    QVERIFY(b.menu("mnuGuardar")->isChecked());  // no stored setting: on
    QVERIFY(b.e.GuardarLog);

    auto* marco = b.hijo<Forma>(u"shpOutProgreso"_qs);
    auto* barra = b.hijo<Forma>(u"shpProgreso"_qs);
    QVERIFY(!marco->isVisible() && !barra->isVisible());
    QCOMPARE(barra->Left(), 130.0f);
    QCOMPARE(barra->Top(), 3795.0f);
    QCOMPARE(barra->Height(), 200.0f);
    QCOMPARE(barra->Width(), 0.0f);
    QCOMPARE(b.hijo(u"lblFichop"_qs)->geometry(), marco->geometry());
}

void PruebaVentana::reglaDelPanel_data()
{
    QTest::addColumn<int>("opcion");
    QTest::addColumn<bool>("enPosicion");  // "En la posicion:" is the chosen way of adding
    QTest::addColumn<QStringList>("activas");
    QTest::addColumn<QString>("foco");  // empty: the focus stays where it was
    QTest::newRow("extension") << 0 << false << Lista({"txtExtension"}) << "txtExtension";
    QTest::newRow("replace") << 1 << false << Lista({"txtString1", "txtString2"}) << "txtString1";
    QTest::newRow("add") << 2 << false << Lista({"txtAnadir"}) << "txtAnadir";
    QTest::newRow("add at a position") << 2 << true << Lista({"txtAnadir", "txtPosicion"})
                                       << "txtAnadir";
    QTest::newRow("generate") << 3 << false << Lista({"txtGenerar", "txtGenerarDesde"})
                              << "txtGenerar";
    QTest::newRow("lower case") << 4 << false << QStringList() << "";
    QTest::newRow("upper case") << 5 << true << QStringList() << "";
}

void PruebaVentana::reglaDelPanel()
{
    QFETCH(int, opcion);
    QFETCH(bool, enPosicion);
    QFETCH(QStringList, activas);
    QFETCH(QString, foco);
    Banco b;
    if (enPosicion) {
        b.elegir(2);
        QTest::mouseClick(b.hijo(u"optAnadirEn"_qs), Qt::LeftButton);
    }
    for (const QString& caja : CajasTexto)
        b.hijo<QLineEdit>(caja)->setText(caja.right(2));  // typed text survives every switch
    b.elegir(1);  // somewhere else first, with the focus in a box
    QWidget* antes = QApplication::focusWidget();
    b.elegir(opcion);

    QStringList obtenidas;
    for (const QString& caja : CajasTexto)
        if (b.hijo(caja)->isEnabled())
            obtenidas << caja;
    QCOMPARE(obtenidas, activas);
    for (const char* sub : {"optAnadirPrincipio", "optAnadirFinal", "optAnadirEn"})
        QCOMPARE(b.activo(sub), opcion == 2);
    QCOMPARE(b.hijo<QRadioButton>(u"optAnadirEn"_qs)->isChecked(), enPosicion);
    QWidget* ahora = QApplication::focusWidget();
    if (foco.isEmpty())
        QVERIFY(ahora == antes || ahora == b.hijo(QStringLiteral("optOpciones_%1").arg(opcion)));
    else
        QCOMPARE(ahora ? ahora->objectName() : QString(), foco);
    for (const QString& caja : CajasTexto)
        QCOMPARE(b.hijo<QLineEdit>(caja)->text(), caja.right(2));
}

void PruebaVentana::subopciones()
{
    Banco b;
    b.elegir(2);
    b.escribir("txtPosicion", u"7"_qs);
    QTest::mouseClick(b.hijo(u"optAnadirEn"_qs), Qt::LeftButton);
    QVERIFY(b.activo("txtPosicion"));
    QCOMPARE(QApplication::focusWidget(), b.hijo(u"txtPosicion"_qs));
    QTest::mouseClick(b.hijo(u"optAnadirFinal"_qs), Qt::LeftButton);
    QVERIFY(!b.activo("txtPosicion"));
    QCOMPARE(b.hijo<QLineEdit>(u"txtPosicion"_qs)->text(), u"7"_qs);
    // The way of adding stays chosen while another operation is.
    b.elegir(3);
    QVERIFY(b.hijo<QRadioButton>(u"optAnadirFinal"_qs)->isChecked());
}

void PruebaVentana::limitesDeLasCajas()
{
    Banco b;
    const QList<std::pair<const char*, int>> limites{
        {"txtExtension", 20}, {"txtString1", 25}, {"txtString2", 25}, {"txtAnadir", 25},
        {"txtPosicion", 2},   {"txtGenerar", 200}, {"txtGenerarDesde", 200}};
    for (const auto& [caja, limite] : limites) {
        auto* c = b.hijo<QLineEdit>(QString::fromLatin1(caja));
        c->setEnabled(true);
        QTest::keyClicks(c, QString(200, u'x'));
        QCOMPARE(c->text().size(), limite);
    }
}

void PruebaVentana::seleccion()
{
    Banco b;
    b.c.crear(Lista({"a.txt", "b.txt", "c.txt", "d.txt"}));
    b.seleccionar(Lista({"a.txt", "c.txt", "d.txt"}));
    QCOMPARE(b.numArchivos(), u"3"_qs);
    QVERIFY(b.activo("cmdProcesar"));
    QCOMPARE(b.e.Archivos, Lista({"a.txt", "c.txt", "d.txt"}));
    QCOMPARE(b.e.RutaCarpeta, b.c.ruta());

    b.seleccionar({}, true);  // "Cancelar" after a selection: none any more
    QCOMPARE(b.numArchivos(), u"0"_qs);
    QVERIFY(!b.activo("cmdProcesar"));

    b.seleccionar(Lista({"a.txt"}));
    b.seleccionar({});  // accepted with nothing selected
    QCOMPARE(b.numArchivos(), u"0"_qs);
    QVERIFY(!b.activo("cmdProcesar"));
}

void PruebaVentana::cadaOperacion_data()
{
    QTest::addColumn<int>("opcion");
    QTest::addColumn<QString>("texto1");
    QTest::addColumn<QString>("texto2");
    QTest::addColumn<QStringList>("despues");
    // The folder holds "Foto.JPG", "nota.txt" and "otro"; the first two are selected.
    QTest::newRow("extension") << 0 << "png" << "" << Lista({"Foto.png", "nota.png", "otro"});
    QTest::newRow("replace") << 1 << "o" << "0" << Lista({"F0to.JPG", "n0ta.txt", "otro"});
    QTest::newRow("add at the end") << 2 << "_1" << "" << Lista({"Foto_1.JPG", "nota_1.txt", "otro"});
    QTest::newRow("generate") << 3 << "n*.x" << "9" << Lista({"n09.x", "n10.x", "otro"});
    QTest::newRow("lower case") << 4 << "" << "" << Lista({"foto.jpg", "nota.txt", "otro"});
    QTest::newRow("upper case") << 5 << "" << "" << Lista({"FOTO.JPG", "NOTA.TXT", "otro"});
}

void PruebaVentana::cadaOperacion()
{
    QFETCH(int, opcion);
    QFETCH(QString, texto1);
    QFETCH(QString, texto2);
    QFETCH(QStringList, despues);
    Banco b;
    b.menu("mnuGuardar")->trigger();  // no save offer in this test
    b.c.crear(Lista({"Foto.JPG", "nota.txt", "otro"}));
    const auto contenidos = b.c.contenido().values();
    b.seleccionar(Lista({"Foto.JPG", "nota.txt"}));
    b.elegir(opcion);
    const char* cajas[][2] = {{"txtExtension", ""}, {"txtString1", "txtString2"},
                              {"txtAnadir", ""}, {"txtGenerar", "txtGenerarDesde"}};
    if (opcion == 2)
        QTest::mouseClick(b.hijo(u"optAnadirFinal"_qs), Qt::LeftButton);
    if (opcion < 4) {
        b.escribir(cajas[opcion][0], texto1);
        if (*cajas[opcion][1])
            b.escribir(cajas[opcion][1], texto2);
    }
    b.renombrar();

    QCOMPARE(b.c.nombres(), despues);
    QByteArray log = CabeceraLog(2, b.c.ruta());
    log += LineaRegistro(u"Foto.JPG"_qs, despues[0]) + LineaRegistro(u"nota.txt"_qs, despues[1]);
    QCOMPARE(b.datos.leer(u"temp.txt"_qs), log);
    QCOMPARE(b.numArchivos(), u"Listo"_qs);
    QVERIFY(!b.activo("cmdProcesar"));
    QVERIFY(b.menu("mnuDeshacer")->isEnabled());
    QVERIFY(b.menu("mnuGuardar")->isEnabled());
    QVERIFY(Avisos::Vistos().isEmpty());
    QVERIFY(cComDlg::Peticiones().isEmpty());
    // The bar ended full: the frame's width less 25 twips.
    QCOMPARE(b.hijo<Forma>(u"shpProgreso"_qs)->Width(), 3015.0f - 25);
    QCOMPARE(b.hijo<EtiquetaRapida>(u"lblFichop"_qs)->text(), QString());

    b.menu("mnuDeshacer")->trigger();
    QCOMPARE(b.c.nombres(), Lista({"Foto.JPG", "nota.txt", "otro"}));
    QCOMPARE(b.c.contenido().values(), contenidos);
}

void PruebaVentana::rechazos_data()
{
    QTest::addColumn<int>("opcion");
    QTest::addColumn<QString>("caja");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("mensaje");  // its first line
    QTest::newRow("extension") << 0 << "txtExtension" << "t?t" << "Extensión no válida";
    QTest::newRow("replacement") << 1 << "txtString2" << "a:b" << "Cadena no válida";
    QTest::newRow("text to add") << 2 << "txtAnadir" << "a|b" << "Cadena no válida";
    QTest::newRow("position") << 2 << "txtPosicion" << "-1" << "Posición no válida";
    QTest::newRow("two stars") << 3 << "txtGenerar" << "a*b*c" << "Cadena no válida";
    QTest::newRow("start number") << 3 << "txtGenerarDesde" << "99999" << "Número no válido";
    QTest::newRow("no log") << 0 << "" << "" << "No se pudo crear el registro:";
    QTest::newRow("loaded log gone") << 0 << "" << "" << "No se pudo abrir el log:";
}

// A refused run renames nothing and leaves the previous run's log, "Deshacer" and a loaded log
// as they were: pressed again, "Renombrar" refuses again, and the previous run can be undone.
void PruebaVentana::rechazos()
{
    QFETCH(int, opcion);
    QFETCH(QString, caja);
    QFETCH(QString, texto);
    QFETCH(QString, mensaje);
    Banco b;
    b.menu("mnuGuardar")->trigger();
    b.c.crear(Lista({"a", "b"}));
    b.seleccionar(Lista({"a", "b"}));
    b.escribir("txtExtension", u"x"_qs);
    b.renombrar();
    const QByteArray log = b.datos.leer(u"temp.txt"_qs);
    b.seleccionar(Lista({"a.x", "b.x"}));
    b.elegir(opcion);
    if (opcion == 2) {
        QTest::mouseClick(b.hijo(u"optAnadirEn"_qs), Qt::LeftButton);
        b.escribir("txtAnadir", u"y"_qs);
    }
    if (!caja.isEmpty())
        b.hijo<QLineEdit>(caja)->setText(texto);
    const QString rutaLog = b.e.RutaLog;
    if (mensaje.contains(u"registro"_qs))
        b.e.RutaLog = b.datos.camino(u"no/temp.txt"_qs);
    const bool cargado = mensaje.contains(u"log:"_qs);
    if (cargado) {
        cComDlg::Elegir(b.datos.camino(u"gone.bwk"_qs));
        b.menu("mnuCargar")->trigger();
        cComDlg::Peticiones();
    }
    for (int vez = 0; vez < 2; ++vez) {
        b.renombrar();
        const QList<Avisos::Visto> vistos = Avisos::Vistos();
        QCOMPARE(vistos.size(), 1);
        QCOMPARE(vistos[0].texto.section(u'\n', 0, 0), mensaje);
        QCOMPARE(vistos[0].titulo, u"Brindlewick"_qs);
        QCOMPARE(vistos[0].icono, QMessageBox::Critical);
        QCOMPARE(vistos[0].botones, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(b.c.nombres(), Lista({"a.x", "b.x"}));
        QCOMPARE(b.datos.leer(u"temp.txt"_qs), log);
        QVERIFY(b.activo("cmdProcesar"));
        QVERIFY(b.menu("mnuDeshacer")->isEnabled());
        QCOMPARE(b.numArchivos(), cargado ? u"Log"_qs : u"2"_qs);
        QCOMPARE(b.e.LogCargado, cargado);
        QVERIFY(cComDlg::Peticiones().isEmpty());  // no save offer after a refusal
    }
    b.e.RutaLog = rutaLog;
    b.menu("mnuDeshacer")->trigger();
    QCOMPARE(b.c.nombres(), Lista({"a", "b"}));
}

void PruebaVentana::intro()
{
    // Enter presses "Seleccionar", wherever the focus is but on another button.
    Banco b;
    int abierto = 0;
    const auto contar = [&] {
        QTimer::singleShot(0, b.w.get(), [&] {
            if (auto* d = b.w->findChild<frmSeleccion*>(); d && d->isVisible()) {
                ++abierto;
                d->reject();
            }
        });
    };
    contar();
    QTest::keyClick(b.hijo(u"txtExtension"_qs), Qt::Key_Return);
    QCOMPARE(abierto, 1);
    QApplication::setActiveWindow(b.w.get());
    b.elegir(4);
    contar();
    QTest::keyClick(b.hijo(u"optOpciones_4"_qs), Qt::Key_Enter);
    QCOMPARE(abierto, 2);
}

void PruebaVentana::menusDeAyuda()
{
    Banco b;
    b.menu("mnuManual")->trigger();
    auto* manual = b.w->findChild<frmAyuda*>();
    QVERIFY(manual && manual->isVisible());
    b.menu("mnuManual")->trigger();  // the one help window, brought forward
    QCOMPARE(b.w->findChildren<frmAyuda*>().size(), 1);

    QString titulo;
    QTimer::singleShot(0, b.w.get(), [&] {
        auto* acerca = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (acerca) {
            titulo = acerca->windowTitle();
            acerca->reject();
        }
    });
    b.menu("mnuAcerca")->trigger();
    QCOMPARE(titulo, u"Acerca de Brindlewick"_qs);
    QVERIFY(!QApplication::activeModalWidget());
}

void PruebaVentana::resumenDeFallos_data()
{
    QTest::addColumn<bool>("ver");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void PruebaVentana::resumenDeFallos()
{
    QFETCH(bool, ver);
    Banco b;
    b.menu("mnuGuardar")->trigger();
    b.c.crear(Lista({"a", "b", "c", "a.x", "b.x"}));
    b.seleccionar(Lista({"a", "b", "c"}));
    b.escribir("txtExtension", u"x"_qs);
    Avisos::Responder(ver ? QMessageBox::Yes : QMessageBox::No);
    b.renombrar();

    const QList<Avisos::Visto> vistos = Avisos::Vistos();
    QCOMPARE(vistos.size(), 1);
    QCOMPARE(vistos[0].texto,
             u" 2 archivos no se pudieron renombrar.\n¿Desea ver el resultado?"_qs);
    QCOMPARE(vistos[0].titulo, u"Aviso"_qs);
    QCOMPARE(vistos[0].icono, QMessageBox::NoIcon);
    QCOMPARE(vistos[0].botones, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(Escritorio::Abiertos(),
             ver ? QList<QUrl>{QUrl::fromLocalFile(b.e.RutaLog)} : QList<QUrl>{});
    QCOMPARE(b.numArchivos(), u"Listo"_qs);
}

void PruebaVentana::ofertaDeGuardar()
{
    Banco b;
    b.c.crear(Lista({"a", "b", "a.x"}));
    b.seleccionar(Lista({"a", "b"}));
    b.escribir("txtExtension", u"x"_qs);
    const QString guardado = b.datos.camino(u"lote.bwk"_qs);
    cComDlg::Elegir(guardado);
    b.renombrar();

    const QList<cComDlg::Peticion> pedidas = cComDlg::Peticiones();
    QCOMPARE(pedidas.size(), 1);
    QVERIFY(!pedidas[0].abrir);
    QCOMPARE(pedidas[0].titulo, u"Guardar Log"_qs);
    QCOMPARE(pedidas[0].carpeta, b.c.ruta());
    QCOMPARE(b.datos.leer(u"lote.bwk"_qs), LineaRegistro(u"b"_qs, u"b.x"_qs));
    Avisos::Vistos();

    // A save that fails says so, and the temporary log stays for "Deshacer".
    b.seleccionar(Lista({"b.x"}));
    b.escribir("txtExtension", u"y"_qs);
    cComDlg::Elegir(b.datos.camino(u"no/lote.bwk"_qs));
    b.renombrar();
    const QList<Avisos::Visto> vistos = Avisos::Vistos();
    QCOMPARE(vistos.size(), 1);
    QVERIFY(vistos[0].texto.startsWith(u"No se pudo guardar el log:\n"_qs + b.datos.camino(u"no/lote.bwk"_qs) + u'\n'));
    QVERIFY(b.menu("mnuDeshacer")->isEnabled());
}

void PruebaVentana::ajusteGuardarEntreVentanas()
{
    for (bool esperado : {false, true}) {
        {
            Banco b;
            QCOMPARE(b.menu("mnuGuardar")->isChecked(), !esperado);
            b.menu("mnuGuardar")->trigger();
            QCOMPARE(b.e.GuardarLog, esperado);
        }
        Banco otra;  // a new start of the program
        QCOMPARE(otra.menu("mnuGuardar")->isChecked(), esperado);
        QCOMPARE(otra.e.GuardarLog, esperado);
    }
}

void PruebaVentana::cargarLogYRenombrar()
{
    Banco b;
    // Before any selection, "Cargar Log" opens in the user's own folder.
    cComDlg::Cancelar();
    b.menu("mnuCargar")->trigger();
    QList<cComDlg::Peticion> pedidas = cComDlg::Peticiones();
    QCOMPARE(pedidas.size(), 1);
    QVERIFY(pedidas[0].abrir);
    QCOMPARE(pedidas[0].titulo, u"Cargar log"_qs);
    QCOMPARE(QDir(pedidas[0].carpeta), QDir::home());
    QVERIFY(!b.activo("cmdProcesar"));

    // The saved log lies in another folder, with the files it renamed.
    CarpetaPrueba viejos;
    viejos.crear(Lista({"a.x", "c.x"}));
    viejos.escribir(u"lote.bwk"_qs, LineaRegistro(u"a"_qs, u"a.x"_qs) + LineaRegistro(u"c"_qs, u"c.x"_qs));
    b.c.crear(Lista({"a.x"}));  // the same name in the selected folder stays as it is
    b.seleccionar(Lista({"a.x"}));
    cComDlg::Elegir(viejos.camino(u"lote.bwk"_qs));
    b.menu("mnuCargar")->trigger();
    QCOMPARE(b.numArchivos(), u"Log"_qs);
    QVERIFY(b.activo("cmdProcesar"));
    QVERIFY(b.e.LogCargado);
    cComDlg::Peticiones();

    b.renombrar();
    QCOMPARE(viejos.nombres(), Lista({"a", "c", "lote.bwk"}));
    QCOMPARE(b.c.nombres(), Lista({"a.x"}));
    QCOMPARE(b.datos.leer(u"temp.txt"_qs), CabeceraLog(1, b.c.ruta())
                                              + LineaRegistro(u"c.x"_qs, u"c"_qs)
                                              + LineaRegistro(u"a.x"_qs, u"a"_qs));
    QVERIFY(cComDlg::Peticiones().isEmpty());  // no save offer after undoing a loaded log
    QVERIFY(!b.e.LogCargado);
    QCOMPARE(b.numArchivos(), u"Listo"_qs);
    // "Deshacer" then applies the saved log's renames again, in its folder.
    b.menu("mnuDeshacer")->trigger();
    QCOMPARE(viejos.nombres(), Lista({"a.x", "c.x", "lote.bwk"}));

    // A log loaded, then files chosen: "Renombrar" renames what the window shows.
    cComDlg::Elegir(viejos.camino(u"lote.bwk"_qs));
    b.menu("mnuCargar")->trigger();
    QVERIFY(b.e.LogCargado);
    b.seleccionar(Lista({"a.x"}));
    QCOMPARE(b.numArchivos(), u"1"_qs);
    b.escribir("txtExtension", u"png"_qs);
    b.renombrar();
    QCOMPARE(b.c.nombres(), Lista({"a.png"}));
    QCOMPARE(viejos.nombres(), Lista({"a.x", "c.x", "lote.bwk"}));
}

void PruebaVentana::deshacerDesdeElMenu()
{
    Banco b;
    b.menu("mnuGuardar")->trigger();
    b.c.crear(Lista({"1", "2"}));
    b.seleccionar(Lista({"1", "2"}));
    b.elegir(3);
    b.escribir("txtGenerar", u"*"_qs);
    b.escribir("txtGenerarDesde", u"2"_qs);  // 1 -> 2 fails, 2 -> 3
    b.renombrar();
    Avisos::Vistos();
    const QByteArray temporal = b.datos.leer(u"temp.txt"_qs);
    QCOMPARE(b.c.nombres(), Lista({"1", "3"}));

    b.menu("mnuDeshacer")->trigger();
    QCOMPARE(b.c.nombres(), Lista({"1", "2"}));
    QCOMPARE(b.datos.leer(u"temp.txt"_qs), temporal);
    QCOMPARE(b.numArchivos(), u"Listo"_qs);
    QVERIFY(!b.menu("mnuDeshacer")->isEnabled());
    QVERIFY(!b.activo("cmdProcesar"));
    QVERIFY(!b.hijo(u"shpProgreso"_qs)->isVisible());

    // A log that is gone: nothing happens and nothing is said.
    b.seleccionar(Lista({"1"}));
    b.renombrar();
    QVERIFY(QFile::remove(b.e.RutaLog));
    Avisos::Vistos();
    b.menu("mnuDeshacer")->trigger();
    QVERIFY(!b.menu("mnuDeshacer")->isEnabled());
    QCOMPARE(b.numArchivos(), u"Listo"_qs);
    QVERIFY(Avisos::Vistos().isEmpty());
}

void PruebaVentana::seleccionEnOtraCarpeta()
{
    Banco b;
    b.menu("mnuGuardar")->trigger();
    b.c.crear(Lista({"a"}));
    QVERIFY(QDir().mkdir(b.c.camino(u"sub"_qs)));
    b.seleccionar(Lista({"a"}));
    b.renombrar();
    QVERIFY(b.menu("mnuDeshacer")->isEnabled());
    b.seleccionar(Lista({"a."}));  // the same folder: "Deshacer" stays
    QVERIFY(b.menu("mnuDeshacer")->isEnabled());

    QFile(b.c.camino(u"sub/x"_qs)).open(QIODevice::WriteOnly);
    QDir::setCurrent(b.c.camino(u"sub"_qs));
    auto* dialogo = b.w->findChild<frmSeleccion*>();
    delete dialogo;  // built anew, it starts in the current folder
    b.seleccionar(Lista({"x"}));
    QCOMPARE(b.e.RutaCarpeta, b.c.camino(u"sub/"_qs));
    QVERIFY(!b.menu("mnuDeshacer")->isEnabled());
}

void PruebaVentana::nadaSeMueveDuranteElProceso()
{
    Banco b;
    b.menu("mnuGuardar")->trigger();
    b.c.crear(Lista({"a", "b", "c"}));
    b.seleccionar(Lista({"a", "b", "c"}));
    QStringList durante;
    QTimer::singleShot(0, b.w.get(), [&] {
        for (const char* c : {"cmdSeleccionar", "cmdProcesar"})
            if (b.activo(c))
                durante << QString::fromLatin1(c);
        for (const char* m : {"mnuDeshacer", "mnuCargar"})
            if (b.menu(m)->isEnabled())
                durante << QString::fromLatin1(m);
        durante << (b.hijo(u"shpOutProgreso"_qs)->isVisible() ? u"bar"_qs : u"no bar"_qs);
    });
    b.renombrar();
    QCOMPARE(durante, Lista({"bar"}));
    QVERIFY(b.activo("cmdSeleccionar"));
    QVERIFY(b.menu("mnuCargar")->isEnabled());
}

void PruebaVentana::cerrarDuranteElProceso()
{
    // Closed while the first file is in hand: it is renamed and recorded, the run stops and
    // the window closes, with no question asked.
    Banco b;
    b.c.crear(Lista({"a", "b", "c"}));
    b.seleccionar(Lista({"a", "b", "c"}));
    b.escribir("txtExtension", u"x"_qs);
    QTimer::singleShot(0, b.w.get(), [&] { b.w->close(); });
    b.renombrar();
    QVERIFY(!b.w->isVisible());
    QCOMPARE(b.c.nombres(), Lista({"a.x", "b", "c"}));
    QCOMPARE(b.datos.leer(u"temp.txt"_qs),
             CabeceraLog(3, b.c.ruta()) + LineaRegistro(u"a"_qs, u"a.x"_qs));
    QVERIFY(cComDlg::Peticiones().isEmpty());
    QVERIFY(Avisos::Vistos().isEmpty());
}

void PruebaVentana::tamanoFijo()
{
    Banco b;
    const QSize tamano = b.w->size();
    QVERIFY(!(b.w->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(b.w->windowFlags() & Qt::WindowMinimizeButtonHint);
    b.w->resize(tamano * 2);
    QCOMPARE(b.w->size(), tamano);
    QCOMPARE(b.w->centralWidget()->size(), QSize(216, 269));
    const QPoint centro = b.w->screen()->availableGeometry().center();
    QVERIFY((b.w->geometry().center() - centro).manhattanLength() < 40);  // opened centred
}

QTEST_MAIN(PruebaVentana)
#include "tst_frmBrindlewick.moc"
