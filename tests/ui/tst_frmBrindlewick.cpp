#include "Banco.h"

#include "log/Registro.h"
#include "platform/Nombres.h"
#include "ui/Listas.h"
#include "ui/Formas.h"
#include "ui/Idioma.h"
#include "ui/frmAcerca.h"
#include "ui/frmAyuda.h"
#include "ui/frmHistorial.h"
#include "ui/frmVistaPrevia.h"

class PruebaVentana : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void reglaDelPanel_data();
    void reglaDelPanel();
    void rechazos_data();
    void rechazos();
    void resumenYOfertaDeGuardar();
    void cargarLog();
    void deshacerDesdeElMenu();
    void duranteElProceso();
    void dados_data();
    void dados();
    void soltar();
    void dialogoDeFicheros();
    void acercaDe();
    void vistaPrevia();
    void historial();
    void teclado();
    void nombresAccesibles();
    void etiquetaYBarra();
    void idioma();
};

namespace {

// The controls Tab walks through, by object name, from `primero` until it comes back.
QStringList CadenaDeTab(QWidget* primero)
{
    primero->setFocus();
    QStringList cadena;
    for (QWidget* f = primero; f && cadena.size() < 40;) {
        cadena << f->objectName();
        QTest::keyClick(f, Qt::Key_Tab);
        f = primero->window()->focusWidget();
        if (f == primero)
            break;
    }
    return cadena;
}

// Whether a caption is wider than the room its control gives it.
bool Corto(QWidget* w)
{
    const auto ancho = [w](QString t) { return w->fontMetrics().horizontalAdvance(t.remove(u'&')); };
    if (auto* radio = qobject_cast<QRadioButton*>(w))
        return ancho(radio->text()) + w->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth)
            + w->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing) > w->width();
    auto* etiqueta = qobject_cast<QLabel*>(w);
    return etiqueta && !etiqueta->wordWrap() && ancho(etiqueta->text().section(u'\n', 0, 0)) > etiqueta->contentsRect().width();
}

// What a user can see or hear in each window: titles, names and descriptions, menus, column
// headers, the manual's title; and the message of a refused run. The captions cut short by
// their width go to `cortos`, the controls Tab reaches without a name to `sinNombre`.
QStringList Textos(QStringList& cortos, QStringList& sinNombre)
{
    Banco b;
    frmAcerca acerca;
    frmAyuda ayuda;
    frmHistorial historial(b.c.ruta(), {}, {});
    frmResultado resultado({{u"a"_qs, u"b"_qs, {}}});
    frmVistaPrevia vista({});
    QStringList textos;
    for (QWidget* ventana : QList<QWidget*>{b.w.get(), b.w->findChild<frmSeleccion*>(), &acerca, &ayuda, &historial,
                                            &resultado, &vista}) {
        textos << ventana->windowTitle();
        for (QWidget* w : ventana->findChildren<QWidget*>()) {
            const QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            textos << a->text(QAccessible::Name) << a->text(QAccessible::Description);
            if (Corto(w))
                cortos << w->objectName();
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(ventana) && a->text(QAccessible::Name).isEmpty())
                sinNombre << ventana->objectName() + u'.' + w->objectName();
            if (auto* tabla = qobject_cast<QTableView*>(w))
                for (int c = 0; c < tabla->model()->columnCount(); ++c)
                    textos << tabla->model()->headerData(c, Qt::Horizontal).toString();
        }
        for (const QAction* accion : ventana->findChildren<QAction*>())
            textos << accion->text();
    }
    textos << ayuda.findChild<QTextBrowser*>()->toPlainText().trimmed().section(u'\n', 0, 0).trimmed();
    b.c.crear(Lista({"a"}));
    b.seleccionar(Lista({"a"}));
    b.escribir("txtExtension", u"t?t"_qs);
    b.renombrar();
    return textos << Mensajes().value(0).section(u'\n', 0, 0);
}

}  // namespace

void PruebaVentana::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(u"Brindlewick"_qs);
    Hablar(Idioma::Espanol);  // as the program does, whatever the system's language
}

void PruebaVentana::init()
{
    PrepararVentanas();
}

void PruebaVentana::reglaDelPanel_data()
{
    QTest::addColumn<int>("opcion");
    QTest::addColumn<QString>("subopcion");  // of "Añadir:", chosen first
    QTest::addColumn<QStringList>("activas");
    QTest::addColumn<QString>("foco");  // empty: the focus stays where it was
    QTest::newRow("extension") << 0 << "optAnadirEn" << Lista({"txtExtension"}) << "txtExtension";
    QTest::newRow("replace") << 1 << "optAnadirEn" << Lista({"txtString1", "txtString2"}) << "txtString1";
    QTest::newRow("add") << 2 << "optAnadirFinal" << Lista({"txtAnadir"}) << "txtAnadir";
    QTest::newRow("add at a position") << 2 << "optAnadirEn" << Lista({"txtAnadir", "txtPosicion"}) << "txtAnadir";
    QTest::newRow("generate") << 3 << "optAnadirEn" << Lista({"txtGenerar", "txtGenerarDesde"}) << "txtGenerar";
    QTest::newRow("upper case") << 5 << "optAnadirEn" << QStringList() << "";
}

// Each operation enables exactly its boxes, and the focus goes to the first; typed text and
// the chosen way of adding survive every switch.
void PruebaVentana::reglaDelPanel()
{
    QFETCH(int, opcion);
    QFETCH(QString, subopcion);
    QFETCH(QStringList, activas);
    QFETCH(QString, foco);
    Banco b;
    b.elegir(Opcion::Anadir);
    QTest::mouseClick(b.hijo(u"optAnadirEn"_qs), Qt::LeftButton);
    QTest::mouseClick(b.hijo(subopcion), Qt::LeftButton);
    QCOMPARE(b.activo("txtPosicion"), subopcion == u"optAnadirEn");
    const QList<QLineEdit*> cajas = b.hijo(u"fraOpciones"_qs)->findChildren<QLineEdit*>();
    for (QLineEdit* caja : cajas)
        caja->setText(caja->objectName().right(2));
    b.elegir(Opcion::Cambiar);  // somewhere else first, with the focus in a box
    QWidget* antes = QApplication::focusWidget();
    b.elegir(Opcion(opcion));
    QStringList obtenidas;
    for (QLineEdit* caja : cajas) {
        QCOMPARE(caja->text(), caja->objectName().right(2));
        if (caja->isEnabled())
            obtenidas << caja->objectName();
    }
    QCOMPARE(obtenidas, activas);
    for (const char* sub : {"optAnadirPrincipio", "optAnadirFinal", "optAnadirEn"})
        QCOMPARE(b.activo(sub), opcion == 2);
    QVERIFY(b.hijo<QRadioButton>(subopcion)->isChecked());
    QWidget* ahora = QApplication::focusWidget();
    QVERIFY(foco.isEmpty() ? ahora == antes || ahora == b.hijo(QStringLiteral("optOpciones_%1").arg(opcion))
                           : ahora && ahora->objectName() == foco);
    // A click on its last box, greyed under another operation, chooses it again, and the way
    // of adding that the box needs.
    if (activas.isEmpty())
        return;
    b.elegir(Opcion::Anadir);
    QTest::mouseClick(b.hijo(u"optAnadirFinal"_qs), Qt::LeftButton);
    b.elegir(Opcion::Mayusculas);
    QTest::mouseClick(b.hijo(activas.last()), Qt::LeftButton);
    QVERIFY(b.hijo<QRadioButton>(QStringLiteral("optOpciones_%1").arg(opcion))->isChecked());
    QVERIFY(b.hijo<QRadioButton>(activas.last() == u"txtPosicion" ? u"optAnadirEn"_qs : u"optAnadirFinal"_qs)->isChecked());
    QCOMPARE(QApplication::focusWidget(), b.hijo(activas.last()));
}

void PruebaVentana::rechazos_data()
{
    QTest::addColumn<int>("opcion");
    QTest::addColumn<QString>("caja");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("mensaje");  // its first line
    QTest::newRow("extension") << 0 << "txtExtension" << "t?t" << "!Extensión no válida";
    QTest::newRow("position") << 2 << "txtPosicion" << "-1" << "!Posición no válida";
    QTest::newRow("start number") << 3 << "txtGenerarDesde" << "99999" << "!Número no válido";
    QTest::newRow("no log") << 0 << "" << "" << "!No se pudo crear el registro:";
    QTest::newRow("loaded log gone") << 0 << "" << "" << "!No se pudo abrir el log:";
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
    b.correr(Lista({"a", "b"}), Opcion::Extension, u"x"_qs);
    const QByteArray log = b.datos.leer(u"temp.txt"_qs);
    b.seleccionar(Lista({"a.x", "b.x"}));
    b.elegir(Opcion(opcion));
    QTest::mouseClick(b.hijo(u"optAnadirEn"_qs), Qt::LeftButton);
    if (!caja.isEmpty())
        b.hijo<QLineEdit>(caja)->setText(texto);
    const QString rutaLog = b.e.RutaLog;
    if (mensaje.contains(u"registro"_qs)) {
        b.datos.escribir(u"no"_qs, {});  // a file where the log's folder should be
        b.e.RutaLog = b.datos.camino(u"no/temp.txt"_qs);
    }
    const bool cargado = mensaje.contains(u"log:"_qs);
    if (cargado) {
        cComDlg::Elegir(b.datos.camino(u"gone.bwk"_qs));
        b.menu("mnuCargar")->trigger();
    }
    for (int vez = 0; vez < 2; ++vez) {
        b.renombrar();
        const QStringList vistos = Mensajes();
        QCOMPARE(vistos.size(), 1);
        QCOMPARE(vistos[0].section(u'\n', 0, 0), mensaje);
        QCOMPARE(b.c.nombres(), Lista({"a.x", "b.x"}));
        QCOMPARE(b.datos.leer(u"temp.txt"_qs), log);
        QVERIFY(b.activo("cmdProcesar") && b.menu("mnuDeshacer")->isEnabled());
        QCOMPARE(b.numArchivos(), cargado ? u"Log"_qs : u"2"_qs);
    }
    b.e.RutaLog = rutaLog;
    b.menu("mnuDeshacer")->trigger();
    QCOMPARE(b.c.nombres(), Lista({"a", "b"}));
}

// Two failures of three: the summary, and Yes shows "Resultado", the log's rows in words,
// failures first; the save dialog opens in the files' folder and asks before replacing. A
// next run counts only its own failures; a save that fails says so.
void PruebaVentana::resumenYOfertaDeGuardar()
{
    Banco b;
    b.c.crear(Lista({"a", "b", "c", "a.x", "b.x", "d", "d.y"}));
    Avisos::Responder(QMessageBox::Yes);
    cComDlg::Elegir(b.datos.camino(u"lote.bwk"_qs));
    QStringList filas;
    CuandoSeAbra<frmResultado>(b.w.get(), [&filas](frmResultado* resultado) {
        filas << resultado->findChild<QLabel*>(u"lblResumen"_qs)->text() << Filas(resultado);
        QTest::keyClick(resultado, Qt::Key_Escape);
    });
    b.correr(Lista({"a", "b", "c", "a.x"}), Opcion::Extension, u"x"_qs);
    QCOMPARE(Mensajes(), QStringList{u"Aviso:  2 archivos no se pudieron renombrar.\n¿Desea ver el resultado?"_qs});
    QCOMPARE(filas, Lista({"1 renombrados, 2 no se pudieron renombrar", "a|a.x|El nombre ya existe",
                           "b|b.x|El nombre ya existe", "a.x|a.x|Sin cambios", "c|c.x|Correcto"}));
    const QList<cComDlg::Peticion> pedidas = cComDlg::Peticiones();
    QVERIFY(pedidas.size() == 1 && !pedidas[0].abrir && pedidas[0].confirmarSobrescribir);
    QCOMPARE(pedidas[0].titulo + pedidas[0].carpeta, u"Guardar Log"_qs + b.c.ruta());
    QCOMPARE(b.datos.leer(u"lote.bwk"_qs), LineaRegistro(u"a.x"_qs, u"a.x"_qs) + LineaRegistro(u"c"_qs, u"c.x"_qs));

    Avisos::Responder(QMessageBox::No);
    cComDlg::Elegir(b.datos.camino(u"no/lote.bwk"_qs));
    b.correr(Lista({"a", "d"}), Opcion::Extension, u"y"_qs);
    QCOMPARE(Mensajes(), QStringList({u"Aviso:  1 archivos no se pudieron renombrar.\n¿Desea ver el resultado?"_qs,
                                      u"!No se pudo guardar el log:\n"_qs + b.datos.camino(u"no/lote.bwk"_qs)
                                          + u'\n' + Razon(ENOENT)}));
    QVERIFY(!QApplication::activeModalWidget() && b.menu("mnuDeshacer")->isEnabled() && !b.activo("cmdProcesar"));
}

// "Cargar Log" opens in the user's folder before any selection; "Renombrar" then undoes the
// saved log in its own folder, recording the reverse renames, with no offer to save. A
// selection accepted after a load cancels it.
void PruebaVentana::cargarLog()
{
    Banco b;
    b.menu("mnuCargar")->trigger();  // cancelled
    QList<cComDlg::Peticion> pedidas = cComDlg::Peticiones();
    QVERIFY(pedidas.size() == 1 && pedidas[0].abrir && pedidas[0].ficheroDebeExistir && !b.activo("cmdProcesar"));
    QCOMPARE(pedidas[0].titulo, u"Cargar log"_qs);
    QCOMPARE(QDir(pedidas[0].carpeta), QDir::home());
    CarpetaPrueba viejos;
    viejos.crear(Lista({"a.x", "c.x"}));
    viejos.escribir(u"lote.bwk"_qs, LineaRegistro(u"a"_qs, u"a.x"_qs) + LineaRegistro(u"c"_qs, u"c.x"_qs));
    b.c.crear(Lista({"a.x"}));  // the same name in the selected folder stays as it is
    b.correr(Lista({"a.x"}), Opcion::Extension, u"x"_qs);  // a run that changes no name, for the history
    cComDlg::Peticiones();
    cComDlg::Elegir(viejos.camino(u"lote.bwk"_qs));
    b.menu("mnuCargar")->trigger();
    QCOMPARE(b.numArchivos(), u"Log"_qs);
    // A save dialog in between chooses another file: "Renombrar" still undoes the loaded log.
    cComDlg::Elegir(b.datos.camino(u"otro.bwk"_qs));
    QTimer::singleShot(0, b.w.get(), [] {
        QApplication::activeModalWidget()->findChild<QPushButton*>(u"cmdGuardarHist"_qs)->click();
        QApplication::activeModalWidget()->close();
    });
    b.menu("mnuHistorial")->trigger();
    b.renombrar();
    QCOMPARE(viejos.nombres() + b.c.nombres(), Lista({"a", "c", "lote.bwk", "a.x"}));
    QCOMPARE(b.datos.leer(u"temp.txt"_qs),
             CabeceraLog(1, b.c.ruta()) + LineaRegistro(u"c.x"_qs, u"c"_qs) + LineaRegistro(u"a.x"_qs, u"a"_qs));
    QCOMPARE(cComDlg::Peticiones().size(), 2);  // the load's and the history's; no offer to save
    QCOMPARE(b.numArchivos(), u"Listo"_qs);

    cComDlg::Elegir(viejos.camino(u"lote.bwk"_qs));
    b.menu("mnuCargar")->trigger();
    b.correr(Lista({"a.x"}), Opcion::Extension, u"png"_qs);
    QCOMPARE(viejos.nombres() + b.c.nombres(), Lista({"a", "c", "lote.bwk", "a.png"}));
}

// Undone last record first, the failure passed over, "temp.txt" left as the run wrote it;
// "Deshacer" then goes off. A selection in another folder since changes nothing: the undo
// happens where the run renamed.
void PruebaVentana::deshacerDesdeElMenu()
{
    Banco b;
    b.menu("mnuGuardar")->trigger();
    b.c.crear(Lista({"1", "2"}));
    QVERIFY(QDir().mkdir(b.c.camino(u"sub"_qs)));
    b.c.crear(Lista({"sub/3"}));
    b.escribir("txtGenerarDesde", u"2"_qs);
    b.correr(Lista({"1", "2"}), Opcion::Generar, u"*"_qs);  // 2 -> 3, then 1 -> 2
    const QByteArray temporal = b.datos.leer(u"temp.txt"_qs);
    QDir::setCurrent(b.c.camino(u"sub"_qs));
    delete b.w->findChild<frmSeleccion*>();  // built anew, it starts in the current folder
    b.seleccionar(Lista({"3"}));
    b.menu("mnuDeshacer")->trigger();
    QCOMPARE(b.c.nombres(), Lista({"1", "2", "sub"}));
    QCOMPARE(QDir(b.c.camino(u"sub"_qs)).entryList(QDir::Files), Lista({"3"}));
    QCOMPARE(b.datos.leer(u"temp.txt"_qs), temporal);
    QCOMPARE(b.numArchivos(), u"Listo"_qs);
    QVERIFY(!b.menu("mnuDeshacer")->isEnabled() && !b.activo("cmdProcesar"));
}

// While a run yields between files, nothing may start another run or change what it works
// on, not even the history's keys; closing the window then stops the run after the file in
// hand, recorded, and closes it.
void PruebaVentana::duranteElProceso()
{
    Banco b;
    b.c.crear(Lista({"a", "b", "c"}));
    b.seleccionar(Lista({"a", "b", "c"}));
    b.escribir("txtExtension", u"x"_qs);
    QString durante;
    QTimer::singleShot(0, b.w.get(), [&] {
        for (const char* control : {"cmdSeleccionar", "cmdProcesar"})
            durante += QString::number(b.activo(control));
        for (const char* menu : {"mnuDeshacer", "mnuCargar", "mnuHistorial", "mnuVistaPrevia"})
            durante += QString::number(b.menu(menu)->isEnabled());
        durante += QString::number(b.hijo(u"shpOutProgreso"_qs)->isVisible());
        QMimeData uris;  // files dragged over it
        uris.setData(u"text/uri-list"_qs, "file:///a\r\n");
        QDragEnterEvent arrastre({1, 1}, Qt::CopyAction, &uris, Qt::LeftButton, {});
        QCoreApplication::sendEvent(b.w.get(), &arrastre);
        durante += QString::number(arrastre.isAccepted());
        bool abierto = false;  // a dialog the keys opened, closed at once
        CuandoSeAbra<QDialog>(b.w.get(), [&abierto](QDialog* d) { abierto = true, d->reject(); });
        QTest::keyClick(b.w.get(), Qt::Key_H, Qt::ControlModifier);
        QTest::keyClick(b.w.get(), Qt::Key_Z, Qt::ControlModifier);
        durante += QString::number(abierto);
        b.w->close();
    });
    b.renombrar();
    QCOMPARE(durante, u"000000100"_qs);
    QVERIFY(!b.w->isVisible() && cComDlg::Peticiones().isEmpty() && Mensajes().isEmpty());
    QCOMPARE(b.c.nombres(), Lista({"a.x", "b", "c"}));
    QCOMPARE(b.datos.leer(u"temp.txt"_qs), CabeceraLog(3, b.c.ruta()) + LineaRegistro(u"a"_qs, u"a.x"_qs));
}

namespace {

// A file given by its URI, each byte that is not plain escaped.
QByteArray Uri(const QString& ruta)
{
    return "file://" + BytesDeNombre(ruta).toPercentEncoding("/");
}

// Names of every kind a file manager hands over: a byte that is not UTF-8, blanks, quotes, a
// line break.
const QStringList Raros = {NombreDesdeBytes("caf\xe9.jpg"), u"con espacio.jpg"_qs,
                           u"comillas \"dobles\" y 'simples'.jpg"_qs, u"salto\nde línea.jpg"_qs,
                           u"IMG_10.jpg"_qs, u"IMG_2.jpg"_qs};

}  // namespace

// Files given on the command line, "@" standing for the test folder, "%" for another one: by
// path, relative or not, or by URI, taken as "Aceptar" takes them, in the list's order; what is
// left out is named.
void PruebaVentana::dados_data()
{
    QTest::addColumn<QStringList>("dados");
    QTest::addColumn<QStringList>("archivos");
    QTest::addColumn<QStringList>("mensajes");
    QTest::newRow("paths and URIs, byte for byte")
        << QStringList{u"@"_qs + Raros[0], u"uri:"_qs + Raros[3], Raros[1], Raros[2], u"@IMG_10.jpg"_qs, u"uri:IMG_2.jpg"_qs}
        << QStringList{Raros[0], Raros[2], Raros[1], u"IMG_2.jpg"_qs, u"IMG_10.jpg"_qs, Raros[3]} << QStringList();
    QTest::newRow("a missing file, a folder, a file of another machine")
        << Lista({"@IMG_2.jpg", "falta.jpg", "@sub", "http://ejemplo.org/a.jpg", "file://otro/a.jpg"}) << Lista({"IMG_2.jpg"})
        << Lista({"!No se han podido elegir:\n\n@falta.jpg: no existe\n@sub: es una carpeta\n"
                  "http://ejemplo.org/a.jpg: no es un archivo de este equipo\nfile://otro/a.jpg: no es un archivo de este equipo"});
    QTest::newRow("two folders") << Lista({"@IMG_2.jpg", "%otro.jpg"}) << QStringList()
                                 << Lista({"!Los archivos están en 2 carpetas distintas, y cada vez se renombran los archivos "
                                           "de una sola carpeta.\nNo se ha elegido ninguno: elija archivos de una sola carpeta."});
}

void PruebaVentana::dados()
{
    QFETCH(QStringList, dados);
    QFETCH(QStringList, archivos);
    QFETCH(QStringList, mensajes);
    Banco b;
    CarpetaPrueba otra;
    b.c.crear(Raros);
    otra.crear(Lista({"otro.jpg"}));
    QVERIFY(QDir(b.c.ruta()).mkdir(u"sub"_qs));
    const QString ruta = QDir::cleanPath(b.c.ruta()) + u'/';
    QList<QByteArray> argumentos;
    for (const QString& d : std::as_const(dados))
        argumentos << (d.startsWith(u"uri:") ? Uri(ruta + d.mid(4))
                                             : BytesDeNombre(QString(d).replace(u'@', ruta).replace(u'%', otra.ruta())));
    b.w->AbrirDados(argumentos);
    QCOMPARE(Mensajes(), mensajes.replaceInStrings(u"@"_qs, ruta));
    QCOMPARE(b.numArchivos(), QString::number(archivos.size()));
    QCOMPARE(b.activo("cmdProcesar"), !archivos.isEmpty());
    if (!archivos.isEmpty())
        QCOMPARE(b.e.Archivos, archivos);

    // A folder alone opens the selection dialog there.
    QString abierta;
    CuandoSeAbra<frmSeleccion>(b.w.get(), [&abierta](frmSeleccion* f) {
        abierta = f->findChild<ListaCarpetas*>()->Ruta();
        f->reject();
    });
    b.w->AbrirDados({BytesDeNombre(ruta + u"sub"_qs)});
    QCOMPARE(abierta, ruta + u"sub"_qs);
}

// Files dropped from a file manager: the list's very bytes, then a run on them renames them,
// byte for byte.
void PruebaVentana::soltar()
{
    Banco b;
    b.c.crear(Raros);
    QByteArray lista = "# from a file manager\r\n";
    for (const QString& n : Raros)
        lista += Uri(b.c.camino(n)) + "\r\n";
    QMimeData datos;
    datos.setData(u"text/uri-list"_qs, lista);
    QDragEnterEvent arrastre({5, 5}, Qt::CopyAction, &datos, Qt::LeftButton, {});
    QCoreApplication::sendEvent(b.w.get(), &arrastre);
    QVERIFY(arrastre.isAccepted());
    QDropEvent soltar({5, 5}, Qt::CopyAction, &datos, Qt::LeftButton, {});
    QCoreApplication::sendEvent(b.w.get(), &soltar);
    QCOMPARE(b.numArchivos(), u"6"_qs);
    b.escribir("txtExtension", u"png"_qs);
    b.renombrar();
    QStringList esperados;
    for (const QString& n : Raros)
        esperados << n.chopped(3) + u"png"_qs;
    esperados.sort();
    QCOMPARE(b.c.nombres(), esperados);
}

// The filter in the system's form; a confirmed dialog split into name and folder, which a
// cancel afterwards leaves; then the real file dialog as the program sets it up, answered by
// typing a name: Save asks before replacing a file, Open refuses one that does not exist.
void PruebaVentana::dialogoDeFicheros()
{
    cComDlg d;
    for (const auto& [entrada, sistema] : {std::pair{u"Log (*.bwk)|*.bwk"_qs, u"Log (*.bwk)\0*.bwk\0\0"_qs},
                                           std::pair{u"  A|*.a| B |*.b|  "_qs, u"A\0*.a\0 B \0*.b\0\0"_qs},
                                           std::pair{u"Registros"_qs, QString()}}) {
        d.Filter(entrada);
        QCOMPARE(d.FiltroSistema(), sistema);
    }
    cComDlg::Elegir(u"/home/ana/Logs/lote.bwk"_qs);
    QVERIFY(d.ShowOpen(true));
    QVERIFY(!d.ShowOpen(false));
    QCOMPARE(d.FileName, u"/home/ana/Logs/lote.bwk"_qs);
    cComDlg::ModoPrueba(false);
    CarpetaPrueba carpeta;
    carpeta.escribir(u"lote.bwk"_qs, QByteArray(3000, 'x'));
    QString tamano;
    d.Filter(u"Log (*.bwk)|*.bwk"_qs);
    for (const bool abrir : {false, true}) {
        QWidget ventana;
        d.Flags = 6150;
        d.hWnd = &ventana;
        d.InitDir = carpeta.ruta();
        d.FileName.clear();
        Avisos::Responder(QMessageBox::No);
        QTimer::singleShot(0, &ventana, [&ventana, &tamano, &carpeta, abrir] {
            auto* dialogo = ventana.findChild<QFileDialog*>();
            const auto* ficheros = dialogo->findChild<QFileSystemModel*>();
            QTRY_VERIFY(ficheros->index(carpeta.camino(u"lote.bwk"_qs)).isValid());
            tamano = dialogo->proxyModel()->mapFromSource(ficheros->index(carpeta.camino(u"lote.bwk"_qs), 1)).data().toString();
            dialogo->findChild<QLineEdit*>(u"fileNameEdit"_qs)->setText(abrir ? u"falta.bwk"_qs : u"lote"_qs);
            dialogo->findChild<QDialogButtonBox*>()->button(abrir ? QDialogButtonBox::Open : QDialogButtonBox::Save)->click();
            if (dialogo->isVisible())
                dialogo->reject();
        });
        QVERIFY(!d.ShowOpen(abrir));
        QCOMPARE(Mensajes().size(), int(!abrir));  // "lote.bwk ya existe. ¿Desea reemplazarlo?"
        QCOMPARE(tamano, u"2,93 KiB"_qs);  // in Spanish, whatever the system's language
    }
}

// The two links turn red under the pointer and blue again over the background or a plain
// caption, or when a button is released over the description; each opens its address.
void PruebaVentana::acercaDe()
{
    frmAcerca a;
    a.show();
    QVERIFY(QTest::qWaitForWindowExposed(&a));
    const auto colores = [&a] {
        QString c;
        for (const char* enlace : {"lblCorreo", "lblWeb"})
            c += a.findChild<QWidget*>(QString::fromLatin1(enlace))->palette().color(QPalette::WindowText).name();
        return c;
    };
    for (const auto& [paso, esperado] : {std::pair{"lblCorreo", "#ff0000#0000ff"}, std::pair{"lblWeb", "#ff0000#ff0000"},
                                         std::pair{"lblDescription", "#ff0000#ff0000"}, std::pair{"", "#0000ff#0000ff"},
                                         std::pair{"lblWeb", "#0000ff#ff0000"}, std::pair{"lblAutor", "#0000ff#0000ff"},
                                         std::pair{"lblWeb", "#0000ff#ff0000"}, std::pair{"^lblDescription", "#0000ff#0000ff"}}) {
        QWidget* w = *paso ? a.findChild<QWidget*>(QString::fromLatin1(paso + (*paso == '^'))) : &a;
        *paso == '^' ? QTest::mouseClick(w, Qt::LeftButton) : QTest::mouseMove(w, *paso ? w->rect().center() : QPoint(2, a.height() - 2));
        QCOMPARE(colores(), QString::fromLatin1(esperado));
    }
    QTest::mouseClick(a.findChild<QWidget*>(u"lblCorreo"_qs), Qt::LeftButton);
    // The links are reached and followed with the keys as well.
    QCOMPARE(CadenaDeTab(a.findChild<QWidget*>(u"lblCorreo"_qs)), Lista({"lblCorreo", "lblWeb", "cmdOK"}));
    QTest::keyClick(a.findChild<QWidget*>(u"lblWeb"_qs), Qt::Key_Return);
    QCOMPARE(Escritorio::Abiertos(), (QList<QUrl>{QUrl(u"mailto:brindlewick@example.org?Subject=Acerca de Brindlewick "_qs
                                                       + QStringLiteral("%1.%2.%3").arg(BRINDLEWICK_VERSION_MAJOR)
                                                             .arg(BRINDLEWICK_VERSION_MINOR).arg(BRINDLEWICK_VERSION_PATCH)),
                                                  QUrl(u"https://brindlewick.example.org/"_qs)}));
}

// "Vista previa" shows the foretold run, a row per file with its result, and touches nothing.
// (During a run it is off with "Renombrar": duranteElProceso.)
void PruebaVentana::vistaPrevia()
{
    Banco b;
    b.c.crear(Lista({"foto1", "foto2", "nota3", "img2"}));
    b.seleccionar(Lista({"foto1", "foto2", "nota3"}));
    b.elegir(Opcion::Cambiar);
    b.escribir("txtString1", u"foto"_qs);
    b.escribir("txtString2", u"img"_qs);
    const auto antes = b.c.contenido();
    QStringList visto;
    QTimer::singleShot(0, b.w.get(), [&] {
        auto* vista = qobject_cast<frmVistaPrevia*>(QApplication::activeModalWidget());
        visto << vista->findChild<QLabel*>(u"lblResumen"_qs)->text() << Filas(vista);
        QTest::keyClick(vista, Qt::Key_Escape);
    });
    b.menu("mnuVistaPrevia")->trigger();
    QCOMPARE(visto, Lista({"1 cambios, 1 fallarán", "foto1|img1|Correcto", "foto2|img2|El nombre ya existe",
                           "nota3|nota3|Sin cambios"}));
    QCOMPARE(b.c.contenido(), antes);
}

// "Historial" lists the runs, newest first; an entry is undone once its foretold undo is
// confirmed, through the window's run, and the table then shows it undone below the undo;
// in English, the same entries in English.
void PruebaVentana::historial()
{
    Banco b;
    b.menu("mnuGuardar")->trigger();
    b.c.crear(Lista({"a", "b", "a.x"}));
    Avisos::Responder(QMessageBox::No);
    b.correr(Lista({"a", "b"}), Opcion::Extension, u"x"_qs);
    b.correr(Lista({"a.x"}), Opcion::Extension, u"y"_qs);
    QStringList filas;
    QTimer::singleShot(0, b.w.get(), [&] {
        QWidget* h = QApplication::activeModalWidget();
        filas << Filas(h, 2, 6);
        h->findChild<QTableView*>()->selectRow(1);
        QTimer::singleShot(0, h, [] { QApplication::activeModalWidget()->findChild<QPushButton*>(u"cmdConfirmar"_qs)->click(); });
        h->findChild<QPushButton*>(u"cmdDeshacerHist"_qs)->click();
        filas << Filas(h, 2, 6);
        h->close();
    });
    b.menu("mnuHistorial")->trigger();
    QCOMPARE(filas, Lista({"Cambiar extensiones a: y|1|0|", "Cambiar extensiones a: x|1|1|", "Deshacer: Cambiar extensiones a: x|1|0|",
                           "Cambiar extensiones a: y|1|0|", "Cambiar extensiones a: x|1|1|Deshecho"}));
    QCOMPARE(b.c.nombres(), Lista({"a", "a.y", "b"}));
    // "Guardar Log" turned off: no run offered to save.
    QVERIFY(b.menu("mnuDeshacer")->isEnabled() && b.numArchivos() == u"Listo" && cComDlg::Peticiones().isEmpty());
    // The same cards read in English: they keep what was chosen, not the words.
    Hablar(Idioma::Ingles);
    filas = Filas(std::make_unique<frmHistorial>(CarpetaHistorial(b.e.RutaLog), nullptr, nullptr).get(), 2, 6);
    Hablar(Idioma::Espanol);
    QCOMPARE(filas.mid(0, 2), Lista({"Undo: Change extensions to: x|1|0|", "Change extensions to: y|1|0|"}));
}

// Tab walks every window as it reads, the arrows choose among options, Esc closes each
// dialog, and the usual keys reach every action without taking a key from a text box. Every
// window opens wholly inside the screen, each dialog over its window (tst_pantalla_pequena
// runs this on a 1024x600 screen at scale 2).
void PruebaVentana::teclado()
{
    Banco b;
    const QRect area = b.w->screen()->availableGeometry();
    b.w->move(area.topLeft());  // not where a dialog centred on the screen would be
    QStringList fuera;
    const auto mirar = [&](QWidget* v, bool encima) {
        if (!area.contains(v->frameGeometry()) || (encima && !v->frameGeometry().contains(b.w->frameGeometry().center())))
            fuera << v->objectName();
    };
    mirar(b.w.get(), false);
    b.menu("mnuGuardar")->trigger();
    b.c.crear(Lista({"a"}));
    b.seleccionar(Lista({"a"}));
    const auto tab = [&b](const char* desde) { return CadenaDeTab(b.hijo(QString::fromLatin1(desde))); };
    const auto pulsar = [&b](int tecla, Qt::KeyboardModifiers mod = {}) {
        QTest::keyClick(b.w->focusWidget(), Qt::Key(tecla), mod);
    };
    QCOMPARE(tab("cmdSeleccionar"), Lista({"cmdSeleccionar", "cmdProcesar", "optOpciones_0", "txtExtension"}));
    b.hijo(u"optOpciones_0"_qs)->setFocus();
    for (int vez = 0; vez < 3; ++vez)
        pulsar(Qt::Key_Down);
    QCOMPARE(tab("cmdSeleccionar"),
             Lista({"cmdSeleccionar", "cmdProcesar", "optOpciones_2", "txtAnadir", "optAnadirPrincipio"}));
    b.hijo(u"optAnadirPrincipio"_qs)->setFocus();
    pulsar(Qt::Key_Down);
    pulsar(Qt::Key_Down);
    QCOMPARE(CadenaDeTab(b.w->focusWidget()).mid(0, 3), Lista({"optAnadirEn", "txtPosicion", "cmdSeleccionar"}));

    // Each dialog the keys open, where its focus starts and what Tab walks from there; Esc
    // closes it. The menu shows each shortcut as the desktop writes it.
    QStringList vistos;
    const auto abrir = [&](int tecla, Qt::KeyboardModifiers mod) {
        CuandoSeAbra<QDialog>(b.w.get(), [&vistos, &mirar](QDialog* d) {
            mirar(d, true);
            QTRY_VERIFY(d->focusWidget());  // once the window manager has made it active
            QWidget* primero = d->focusWidget();
            vistos << d->windowTitle() + u": "_qs + CadenaDeTab(primero).join(u' ');
            QTest::keyClick(primero, Qt::Key_Escape);
        });
        QApplication::setActiveWindow(b.w.get());  // back from the last dialog, as on a desktop
        pulsar(tecla, mod);
    };
    b.escribir("txtAnadir", u"_1"_qs);
    abrir(Qt::Key_P, Qt::ControlModifier);
    abrir(Qt::Key_H, Qt::ControlModifier);
    abrir(Qt::Key_Return, {});
    QCOMPARE(vistos, Lista({"Vista previa: lstVistaPrevia cmdCerrar", "Historial: lstHistorial cmdCerrarHist",
                            "Seleccionar archivos: lstFicheros cmdAceptar cmdCancelar cmbFiltro lstDiscos lstCarpetas"}));
    QCOMPARE(b.menu("mnuVistaPrevia")->shortcut().toString(QKeySequence::NativeText), u"Ctrl+P"_qs);
    QVERIFY(b.numArchivos() == u"0" && !b.activo("cmdProcesar"));  // Esc cancelled the selection as "Cancelar" does

    // Ctrl+Z in a text box undoes the typing there; elsewhere it undoes the run.
    b.correr(Lista({"a"}), Opcion::Extension, u"x"_qs);
    QTest::keyClicks(b.hijo(u"txtExtension"_qs), u"y"_qs);
    pulsar(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(b.hijo<QLineEdit>(u"txtExtension"_qs)->text() + b.c.nombres().join(u' '), u"xa.x"_qs);
    b.hijo(u"optOpciones_0"_qs)->setFocus();
    pulsar(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(b.c.nombres(), Lista({"a"}));

    // F10 opens the menus; F1 the manual, which Esc closes.
    pulsar(Qt::Key_F10);
    QCOMPARE(QApplication::activePopupWidget(), b.w->findChild<QMenu*>(u"mnuOpciones"_qs));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    pulsar(Qt::Key_F1);
    b.menu("mnuManual")->trigger();  // the one help window, brought forward, its manual compiled in
    auto* ayuda = b.w->findChild<frmAyuda*>();
    QVERIFY(ayuda->isVisible() && b.w->findChildren<frmAyuda*>().size() == 1);
    mirar(ayuda, false);
    QCOMPARE(fuera, QStringList());
    QVERIFY(ayuda->findChild<QTextBrowser*>()->toPlainText().contains(u"Añadir:"_qs));
    QApplication::setActiveWindow(ayuda);
    QCOMPARE(ayuda->focusWidget(), ayuda->findChild<QTextBrowser*>());  // the arrows scroll the manual
    QTest::keyClick(ayuda->focusWidget(), Qt::Key_Escape);
    QVERIFY(!ayuda->isVisible());
}

// Whatever a user can reach has a name for a screen reader, in every window; a text box says
// what to type in it. A name cut by its column shows whole in a tooltip.
void PruebaVentana::nombresAccesibles()
{
    QStringList cortos, sinNombre;
    Textos(cortos, sinNombre);
    QCOMPARE(sinNombre, QStringList());
    Banco b;
    QStringList cajas;
    for (QLineEdit* caja : b.hijo(u"fraOpciones"_qs)->findChildren<QLineEdit*>())
        cajas << QAccessible::queryAccessibleInterface(caja)->text(QAccessible::Name);
    QCOMPARE(cajas, Lista({"Nueva extensión", "Texto a buscar", "Texto nuevo", "Texto a añadir", "Posición", "Patrón",
                           "Número inicial"}));
    const QString largo(300, u'n');
    frmResultado resultado({{largo, u"b"_qs, {}}});
    resultado.show();
    QVERIFY(QTest::qWaitForWindowExposed(&resultado));
    auto* tabla = resultado.findChild<QTableView*>();
    QStringList pistas;
    for (int columna : {1, 0}) {
        const QPoint centro = tabla->visualRect(tabla->model()->index(0, columna)).center();
        QHelpEvent pide(QEvent::ToolTip, centro, tabla->viewport()->mapToGlobal(centro));
        QApplication::sendEvent(tabla->viewport(), &pide);
        pistas << QToolTip::text();
    }
    QCOMPARE(pistas, QStringList({QString(), largo}));
}

// The label over the bar is drawn in the highlight's text colour where the bar has filled and
// in the window's beyond; it reads its text to a screen reader, and the bar its value.
void PruebaVentana::etiquetaYBarra()
{
    Banco b;
    auto* etiqueta = b.hijo<EtiquetaRapida>(u"lblFichop"_qs);
    auto* barra = b.hijo<Forma>(u"shpProgreso"_qs);
    barra->show();
    barra->setWidth(barra->Maximo() / 2);
    etiqueta->setText(QString(80, QChar(0x2588)));  // a full block: whole pixels of the pen's colour
    QTest::qWait(50);  // both repaint at most every 16 ms
    const QImage imagen = etiqueta->grab().toImage();
    const int lleno = barra->geometry().right() + 1 - etiqueta->x();
    // The text is cut in its middle: a quarter in and three quarters in are whole blocks.
    const auto color = [&imagen](int x) { return imagen.pixelColor(x, imagen.height() / 2); };
    QCOMPARE(color(lleno / 2), etiqueta->palette().color(QPalette::HighlightedText));
    QCOMPARE(color((lleno + imagen.width()) / 2), etiqueta->palette().color(QPalette::WindowText));
    QCOMPARE(QAccessible::queryAccessibleInterface(etiqueta)->text(QAccessible::Name), etiqueta->text());
    QAccessibleInterface* valor = QAccessible::queryAccessibleInterface(barra);
    QCOMPARE(valor->role(), QAccessible::ProgressBar);
    QCOMPARE(valor->valueInterface()->currentValue().toFloat() * 2, valor->valueInterface()->maximumValue().toFloat());

    // The count: the largest shows whole, yellow on a ground of its own it can be read on.
    auto* cuenta = b.hijo<QLabel>(u"lblNumArchivos"_qs);
    cuenta->setText(u"32767"_qs);
    QVERIFY(cuenta->fontMetrics().horizontalAdvance(cuenta->text()) <= cuenta->contentsRect().width());
    const auto luz = [](const QColor& c) {
        const auto canal = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * canal(c.redF()) + 0.7152 * canal(c.greenF()) + 0.0722 * canal(c.blueF());
    };
    const double letra = luz(cuenta->palette().color(QPalette::WindowText)), fondo = luz(cuenta->palette().color(QPalette::Window));
    QVERIFY(cuenta->autoFillBackground() && (std::max(letra, fondo) + 0.05) / (std::min(letra, fondo) + 0.05) >= 4.5);
}

// The user's languages choose English only where English comes before Spanish (tst_lanzar
// starts the program under LANG=en_US, es_ES and de_DE); in English, nothing a user sees or
// hears is left in Spanish, and no caption is cut where the Spanish one is whole.
void PruebaVentana::idioma()
{
    QVERIFY(IdiomaPreferido(Lista({"de-DE", "en-US", "es"})) == Idioma::Ingles
            && IdiomaPreferido(Lista({"es_ES", "en_US"})) == Idioma::Espanol);
    QStringList cortosEspanol, cortosIngles, sinNombre;
    const QStringList espanol = Textos(cortosEspanol, sinNombre);
    Hablar(Idioma::Ingles);
    const QStringList enIngles = Textos(cortosIngles, sinNombre);
    Hablar(Idioma::Espanol);
    for (const QString& n : cortosEspanol)
        cortosIngles.removeOne(n);
    QCOMPARE(cortosIngles, QStringList());
    QCOMPARE(enIngles.size(), espanol.size());
    // The same in both: names, numbers and signs.
    const QStringList iguales = Lista({"Brindlewick", "A --> a", "a --> A", "Manual", "&Manual", "Web:", "e-mail",
                                       "brindlewick.example.org", "By the Brindlewick team", "0"});
    QStringList sinTraducir;
    for (qsizetype i = 0; i < espanol.size(); ++i)
        if (espanol[i] == enIngles[i] && espanol[i].contains(QRegularExpression(u"[a-z]"_qs)) && !iguales.contains(espanol[i]))
            sinTraducir << espanol[i];
    QCOMPARE(sinTraducir, QStringList());
    for (const char* visto : {"Rename", "&Options", "Change extensions to:", "!Invalid extension", "Brindlewick Manual"})
        QVERIFY2(enIngles.contains(QString::fromUtf8(visto)), visto);
}

QTEST_MAIN(PruebaVentana)
#include "tst_frmBrindlewick.moc"
