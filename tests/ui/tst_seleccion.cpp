#include "Banco.h"

#include "ui/Discos.h"
#include "ui/Listas.h"

#include <sys/stat.h>

namespace {

template <typename T>
T* Hijo(QWidget& ventana, const char* nombre)
{
    return ventana.findChild<T*>(QString::fromUtf8(nombre));
}

QString SinBarra(const CarpetaPrueba& c)
{
    return QDir::cleanPath(c.ruta());
}

QStringList Mostrados(frmSeleccion& f)
{
    const auto* lista = Hijo<QAbstractItemView>(f, "lstFicheros");
    QStringList nombres;
    for (int fila = 0; fila < lista->model()->rowCount(); ++fila)
        nombres << lista->model()->index(fila, 0).data().toString();
    return nombres;
}

// A click on a row of the file list: "3" plain, "^3" with Ctrl, "+3" with Shift; "*" is Ctrl+A.
void Pulsar(frmSeleccion& f, const QString& orden)
{
    auto* lista = Hijo<QAbstractItemView>(f, "lstFicheros");
    if (orden == u"*")
        return QTest::keyClick(lista, Qt::Key_A, Qt::ControlModifier);
    const Qt::KeyboardModifiers teclas = orden.startsWith(u'^')   ? Qt::ControlModifier
                                         : orden.startsWith(u'+') ? Qt::ShiftModifier
                                                                  : Qt::NoModifier;
    const QModelIndex indice = lista->model()->index(orden.mid(orden[0].isDigit() ? 0 : 1).toInt(), 0);
    lista->scrollTo(indice);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, teclas, lista->visualRect(indice).center());
}

void Mostrar(QDialog& f)
{
    f.show();
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
}

void Aceptar(frmSeleccion& f)
{
    Hijo<QPushButton>(f, "cmdAceptar")->click();
}

}  // namespace

class PruebaSeleccion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void carga();
    void filtrar();
    void cerrar_data();
    void cerrar();
    void carpetas();
    void nombresQueNoSonTexto();
    void masDe32767();

private:
    // Two drives made of temporary folders, with the program and the process on the first.
    std::unique_ptr<CarpetaPrueba> A;
    std::unique_ptr<CarpetaPrueba> B;
    Estado e;
};

void PruebaSeleccion::init()
{
    QStandardPaths::setTestModeEnabled(true);
    PrepararVentanas();
    A = std::make_unique<CarpetaPrueba>();
    B = std::make_unique<CarpetaPrueba>();
    Discos::ModoPrueba(true, {{SinBarra(*A), u"A"_qs}, {SinBarra(*B), u"B"_qs}});
    e = Estado();
    e.RutaPrograma = SinBarra(*A);
    QVERIFY(QDir::setCurrent(SinBarra(*A)));
}

void PruebaSeleccion::cleanup()
{
    QDir::setCurrent(QDir::tempPath());
    QCOMPARE(Mensajes(), QStringList());
}

// Built hidden; with the process's folder on another drive than the program's, the lists
// start at the program's drive, with every file shown.
void PruebaSeleccion::carga()
{
    B->crear({u"b.txt"_qs});
    e.RutaPrograma = B->camino(u"prog"_qs);
    frmSeleccion f(e);
    QVERIFY(!f.isVisible());
    QCOMPARE(Hijo<QComboBox>(f, "lstDiscos")->currentText(), SinBarra(*B) + u" [B]"_qs);
    QCOMPARE(Hijo<QComboBox>(f, "cmbFiltro")->currentText(), u"*.*"_qs);
    QCOMPARE(Mostrados(f), Lista({"b.txt"}));
}

// Every file, hidden ones too, in natural order; a pattern typed filters at every key, and an
// entry of the list replaces it. Shown again after a run, the dialog lists what is on disk
// now, in the same folder with the same filter; names still there stay selected.
void PruebaSeleccion::filtrar()
{
    QVERIFY(QDir(SinBarra(*A)).mkpath(u"sub/carpeta.jpg"_qs));  // folders are not files
    A->crear(Lista({"sub/IMG_10.jpg", "sub/IMG_2.JPG", "sub/.oculto.jpg", "sub/árbol.png",
                    "sub/notas.txt", "sub/LEEME"}));
    QVERIFY(QDir::setCurrent(A->camino(u"sub"_qs)));
    frmSeleccion f(e);
    Mostrar(f);
    QCOMPARE(Mostrados(f),
             Lista({".oculto.jpg", "árbol.png", "IMG_2.JPG", "IMG_10.jpg", "LEEME", "notas.txt"}));
    auto* filtro = Hijo<QComboBox>(f, "cmbFiltro");
    filtro->lineEdit()->selectAll();
    QTest::keyClicks(filtro->lineEdit(), u"*.t"_qs);
    QCOMPARE(Mostrados(f), QStringList());
    QTest::keyClicks(filtro->lineEdit(), u"xt;*.png"_qs);
    QCOMPARE(Mostrados(f), Lista({"árbol.png", "notas.txt"}));
    for (int entrada = filtro->currentIndex(); entrada < 9; ++entrada)
        QTest::keyClick(filtro, Qt::Key_Down);
    QCOMPARE(Mostrados(f), Lista({".oculto.jpg", "IMG_2.JPG", "IMG_10.jpg"}));
    Pulsar(f, u"*"_qs);
    Aceptar(f);

    QVERIFY(QFile::rename(A->camino(u"sub/IMG_2.JPG"_qs), A->camino(u"sub/IMG_3.jpg"_qs)));
    QVERIFY(QFile::remove(A->camino(u"sub/.oculto.jpg"_qs)));
    A->crear(Lista({"sub/nueva.jpg", "sub/otra.png"}));
    QVERIFY(QDir::setCurrent(SinBarra(*B)));  // the process's folder is no longer the shown one
    Mostrar(f);
    QTRY_COMPARE(Mostrados(f), Lista({"IMG_3.jpg", "IMG_10.jpg", "nueva.jpg"}));
    Aceptar(f);
    QCOMPARE(e.Archivos, Lista({"IMG_10.jpg"}));
    QCOMPARE(e.RutaCarpeta, A->camino(u"sub/"_qs));
}

void PruebaSeleccion::cerrar_data()
{
    QTest::addColumn<QStringList>("pulsaciones");
    QTest::addColumn<int>("como");  // 0 close box, 1 Aceptar, 2 Cancelar, 3 Enter
    QTest::addColumn<QMessageBox::StandardButton>("respuesta");  // to the question on saved logs
    QTest::addColumn<QStringList>("archivos");  // empty: the selection as it was
    const auto no = QMessageBox::NoButton;
    QTest::newRow("2, 5 and 9 picked out of order")
        << Lista({"^9", "^2", "^5"}) << 1 << no << Lista({"foto3.jpg", "foto6.jpg", "foto10.jpg"});
    QTest::newRow("a click starts anew, Shift extends, Ctrl adds and takes away; Enter accepts")
        << Lista({"^5", "1", "+3", "^7", "^2"}) << 3 << no << Lista({"foto2.jpg", "foto4.jpg", "foto8.jpg"});
    QTest::newRow("Aceptar with nothing selected") << QStringList() << 1 << no << QStringList();
    QTest::newRow("Cancelar") << Lista({"*"}) << 2 << no << QStringList();
    QTest::newRow("close box: unloaded") << Lista({"*"}) << 0 << no << QStringList();
    QTest::newRow("a saved log beside other files, Yes leaves it out")
        << Lista({"1", "^10"}) << 1 << QMessageBox::Yes << Lista({"foto2.jpg"});
    QTest::newRow("No keeps it") << Lista({"1", "^10"}) << 1 << QMessageBox::No << Lista({"foto2.jpg", "lote.BWK"});
    QTest::newRow("a saved log alone, taken as it is") << Lista({"10"}) << 1 << no << Lista({"lote.BWK"});
}

// Only "Aceptar" with files selected writes the selection; the others leave it as it was.
// A saved log lies among the files it renamed: selected with them, it is asked about.
void PruebaSeleccion::cerrar()
{
    QFETCH(QStringList, pulsaciones);
    QFETCH(int, como);
    QFETCH(QMessageBox::StandardButton, respuesta);
    QFETCH(QStringList, archivos);
    for (int i = 10; i >= 1; --i)
        A->crear({QStringLiteral("foto%1.jpg").arg(i)});
    A->crear(Lista({"lote.BWK"}));
    e.Archivos = Lista({"antes.txt"});
    e.RutaCarpeta = u"/antes/"_qs;
    QPointer<frmSeleccion> f = new frmSeleccion(e);
    Mostrar(*f);
    for (const QString& p : pulsaciones)
        Pulsar(*f, p);
    Avisos::Responder(respuesta);
    if (como == 0)
        f->close();
    else if (como == 3)
        QTest::keyClick(Hijo<QAbstractItemView>(*f, "lstFicheros"), Qt::Key_Return);
    else
        Hijo<QPushButton>(*f, como == 1 ? "cmdAceptar" : "cmdCancelar")->click();
    QVERIFY(!f->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(f.isNull(), como == 0);
    QCOMPARE(e.NumArchivos, qint16(archivos.size()));
    QCOMPARE(e.Archivos, archivos.isEmpty() ? Lista({"antes.txt"}) : archivos);
    QCOMPARE(e.RutaCarpeta, archivos.isEmpty() ? u"/antes/"_qs : A->ruta());
    QCOMPARE(Mensajes(), respuesta == QMessageBox::NoButton ? QStringList()
             : Lista({"?La selección incluye logs guardados (*.bwk).\n¿Desea dejarlos fuera de la selección?"}));
    Avisos::ModoPrueba(true);  // an answer left unused
    delete f;
}

// The path from the root down, then the subfolders (".oculta", "d2", "d10"); Enter opens one.
// Each drive keeps the last folder visited on it; one that cannot be entered brings the
// message and the drive shown before. A double click on the path goes up.
void PruebaSeleccion::carpetas()
{
    CarpetaPrueba C;
    const QString ausente = SinBarra(*B) + u"-no-montada"_qs;
    Discos::ModoPrueba(true, {{SinBarra(*A), u"A"_qs}, {ausente, u"B"_qs}, {SinBarra(C), u"C"_qs}});
    for (const char* sub : {"sub/d10", "sub/d2", "sub/.oculta"})
        QVERIFY(QDir(SinBarra(*A)).mkpath(QString::fromUtf8(sub)));
    A->crear(Lista({"sub/f.txt", "sub/d2/dentro.txt"}));
    C.crear(Lista({"c.txt"}));
    QVERIFY(QDir::setCurrent(A->camino(u"sub"_qs)));
    frmSeleccion f(e);
    Mostrar(f);
    auto* arbol = Hijo<ListaCarpetas>(f, "lstCarpetas");
    arbol->setCurrentItem(arbol->currentItem()->child(1));
    QTest::keyClick(arbol, Qt::Key_Return);
    QVERIFY(f.isVisible());
    QCOMPARE(Mostrados(f), Lista({"dentro.txt"}));

    auto* discos = Hijo<QComboBox>(f, "lstDiscos");
    discos->setCurrentIndex(2);
    discos->setCurrentIndex(1);
    QCOMPARE(Mensajes(), Lista({"!Dispositivo no disponible"}));
    QCOMPARE(discos->currentIndex(), 2);
    QCOMPARE(Mostrados(f), Lista({"c.txt"}));
    discos->setCurrentIndex(0);
    QCOMPARE(Mostrados(f), Lista({"dentro.txt"}));

    const QPoint punto = arbol->visualItemRect(arbol->currentItem()->parent()).center();
    QTest::mouseClick(arbol->viewport(), Qt::LeftButton, {}, punto);
    QTest::mouseDClick(arbol->viewport(), Qt::LeftButton, {}, punto);
    QCOMPARE(Mostrados(f), Lista({"f.txt"}));
}

// Files copied from old archives in Latin-1, in a folder named so too: listed like any other,
// each byte that is not text shown apart, control characters on the line, the filter on the
// text; the selection holds the very names, and the folder.
void PruebaSeleccion::nombresQueNoSonTexto()
{
    const QString carpeta = NombreDesdeBytes("fotos\xe9");
    QCOMPARE(::mkdir(BytesDeNombre(A->camino(carpeta)).constData(), 0755), 0);
    A->crear(QStringList{carpeta + NombreDesdeBytes("/caf\xe9.jpg"), carpeta + NombreDesdeBytes("/caf\xe8.jpg"),
                         carpeta + u"/c\naf.jpg"_qs, carpeta + u"/ok.png"_qs});
    frmSeleccion f(e);
    Mostrar(f);
    auto* arbol = Hijo<ListaCarpetas>(f, "lstCarpetas");
    arbol->setCurrentItem(arbol->currentItem()->child(0));
    QCOMPARE(arbol->currentItem()->text(0), u"fotos\\xE9"_qs);
    QTest::keyClick(arbol, Qt::Key_Return);
    Hijo<QComboBox>(f, "cmbFiltro")->lineEdit()->selectAll();
    QTest::keyClicks(Hijo<QComboBox>(f, "cmbFiltro")->lineEdit(), u"c*.jpg"_qs);
    QCOMPARE(Mostrados(f), Lista({"c\\naf.jpg", "caf\\xE8.jpg", "caf\\xE9.jpg"}));
    Pulsar(f, u"1"_qs);
    Pulsar(f, u"^2"_qs);
    Aceptar(f);
    QCOMPARE(e.Archivos, (QStringList{NombreDesdeBytes("caf\xe8.jpg"), NombreDesdeBytes("caf\xe9.jpg")}));
    QCOMPARE(e.RutaCarpeta, A->camino(carpeta) + u'/');
}

// The count of a selection is 16 bits wide: one file more is refused, with the dialog and
// its selection left as they were so the user can take some away.
void PruebaSeleccion::masDe32767()
{
    for (int i = 0; i <= 32767; ++i)
        A->escribir(QStringLiteral("f%1").arg(i), {});
    frmSeleccion f(e);
    Mostrar(f);
    Pulsar(f, u"*"_qs);
    Aceptar(f);
    QCOMPARE(Mensajes(), Lista({"!Se pueden seleccionar como máximo 32767 archivos."}));
    QVERIFY(f.isVisible());
    QCOMPARE(e.NumArchivos, qint16(0));
    QCOMPARE(e.Archivos, QStringList());

    Pulsar(f, u"^0"_qs);
    Aceptar(f);
    QVERIFY(!f.isVisible());
    QCOMPARE(e.NumArchivos, qint16(32767));
    QCOMPARE(e.Archivos.first(), u"f1"_qs);
}

QTEST_MAIN(PruebaSeleccion)
#include "tst_seleccion.moc"
