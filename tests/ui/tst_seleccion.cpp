#include "Soporte.h"

#include "app/Estado.h"
#include "ui/Avisos.h"
#include "ui/Discos.h"
#include "ui/Listas.h"
#include "ui/frmSeleccion.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

namespace {

template <typename T>
T* Hijo(QWidget& ventana, const char* nombre)
{
    T* hijo = ventana.findChild<T*>(QString::fromUtf8(nombre));
    if (!hijo)
        qFatal("no control %s", nombre);
    return hijo;
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

QStringList Marcados(frmSeleccion& f)
{
    return Hijo<ListaFicheros>(f, "lstFicheros")->Seleccionados();
}

QString Carpeta(frmSeleccion& f)
{
    return Hijo<ListaCarpetas>(f, "lstCarpetas")->Ruta();
}

// A click on a row of the file list: "3" plain, "^3" with Ctrl, "+3" with Shift; "*" is Ctrl+A.
void Pulsar(frmSeleccion& f, const QString& orden)
{
    auto* lista = Hijo<QAbstractItemView>(f, "lstFicheros");
    if (orden == u"*") {
        QTest::keyClick(lista, Qt::Key_A, Qt::ControlModifier);
        return;
    }
    Qt::KeyboardModifiers teclas;
    QString fila = orden;
    if (fila.startsWith(u'^'))
        teclas = Qt::ControlModifier;
    else if (fila.startsWith(u'+'))
        teclas = Qt::ShiftModifier;
    if (teclas)
        fila.remove(0, 1);
    const QModelIndex indice = lista->model()->index(fila.toInt(), 0);
    lista->scrollTo(indice);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, teclas, lista->visualRect(indice).center());
}

// Types into the filter as a user does: the old text selected and erased, then key by key.
void Escribir(frmSeleccion& f, const QString& texto)
{
    QLineEdit* campo = Hijo<QComboBox>(f, "cmbFiltro")->lineEdit();
    campo->selectAll();
    QTest::keyClick(campo, Qt::Key_Backspace);
    QTest::keyClicks(campo, texto);
}

// Picks an entry of the filter list with the arrow keys, as from the keyboard.
void Elegir(frmSeleccion& f, int entrada)
{
    auto* combo = Hijo<QComboBox>(f, "cmbFiltro");
    if (combo->currentIndex() == entrada)
        QTest::keyClick(combo, entrada == 0 ? Qt::Key_Down : Qt::Key_Up);
    while (combo->currentIndex() != entrada)
        QTest::keyClick(combo, combo->currentIndex() < entrada ? Qt::Key_Down : Qt::Key_Up);
}

// Opens a subfolder of the folder list from the keyboard: arrows to it, then Enter.
void AbrirSubcarpeta(frmSeleccion& f, const QString& nombre)
{
    auto* arbol = Hijo<ListaCarpetas>(f, "lstCarpetas");
    arbol->setFocus();
    while (arbol->currentItem()->text(0) != nombre) {
        const QTreeWidgetItem* antes = arbol->currentItem();
        QTest::keyClick(arbol, Qt::Key_Down);
        if (arbol->currentItem() == antes)
            QFAIL(qPrintable(u"no subfolder "_qs + nombre));
    }
    QTest::keyClick(arbol, Qt::Key_Return);
}

void Mostrar(QDialog& f)
{
    f.show();
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
}

}  // namespace

class PruebaSeleccion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void ventana();
    void carga_data();
    void carga();
    void filtrar_data();
    void filtrar();
    void filtraACadaTecla();
    void aceptar_data();
    void aceptar();
    void sinCambios_data();
    void sinCambios();
    void releeAlMostrarse();
    void carpetas();
    void unidades();
    void masDe32767();
    void cierre_data();
    void cierre();

private:
    // Two drives made of temporary folders, with the program and the process on the first.
    std::unique_ptr<CarpetaPrueba> A;
    std::unique_ptr<CarpetaPrueba> B;
    Estado e;
};

void PruebaSeleccion::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    Avisos::ModoPrueba(true);
}

void PruebaSeleccion::init()
{
    A = std::make_unique<CarpetaPrueba>();
    B = std::make_unique<CarpetaPrueba>();
    Discos::ModoPrueba(true, {{SinBarra(*A), u"A"_qs}, {SinBarra(*B), u"B"_qs}});
    e = Estado();
    e.RutaPrograma = SinBarra(*A);
    QVERIFY(QDir::setCurrent(SinBarra(*A)));
    Avisos::Vistos();
}

void PruebaSeleccion::cleanup()
{
    QDir::setCurrent(QDir::tempPath());
    QCOMPARE(Avisos::Vistos().size(), 0);
}

void PruebaSeleccion::ventana()
{
    frmSeleccion f(e);
    QVERIFY(!f.isVisible());
    QCOMPARE(f.windowTitle(), u"Seleccionar archivos"_qs);
    QCOMPARE(f.size(), QSize(358, 242));
    QCOMPARE(f.minimumSize(), f.maximumSize());
    QVERIFY(Hijo<QPushButton>(f, "cmdAceptar")->isDefault());
    QCOMPARE(Hijo<QPushButton>(f, "cmdAceptar")->text(), u"Aceptar"_qs);
    QCOMPARE(Hijo<QPushButton>(f, "cmdCancelar")->text(), u"Cancelar"_qs);
    QCOMPARE(Hijo<QLabel>(f, "Label1")->text(), u"FILTRO:"_qs);
    QVERIFY(Hijo<QLabel>(f, "Label1")->font().bold());

    auto* filtro = Hijo<QComboBox>(f, "cmbFiltro");
    QVERIFY(filtro->isEditable());
    QStringList entradas;
    for (int i = 0; i < filtro->count(); ++i)
        entradas << filtro->itemText(i);
    QCOMPARE(entradas, Lista({"*.*", "*.avi", "*.c*", "*.dat", "*.doc", "*.exe", "*.gif",
                              "*.html", "*.html", "*.jpg", "*.js", "*.mdb", "*.mid", "*.mp3",
                              "*.rar", "*.txt", "*.wav", "*.zip"}));
    QCOMPARE(filtro->currentText(), u"*.*"_qs);
}

void PruebaSeleccion::carga_data()
{
    QTest::addColumn<bool>("programaEnB");
    QTest::addColumn<bool>("empiezaEnTrabajo");
    QTest::newRow("program's drive holds the current folder") << false << true;
    QTest::newRow("program on another drive") << true << false;
}

// The folder list starts at the process's folder, unless the program's drive is another.
void PruebaSeleccion::carga()
{
    QFETCH(bool, programaEnB);
    QFETCH(bool, empiezaEnTrabajo);
    QVERIFY(QDir(SinBarra(*A)).mkdir(u"trabajo"_qs));
    A->crear({u"trabajo/a.txt"_qs});
    B->crear({u"b.txt"_qs});
    QVERIFY(QDir(SinBarra(*B)).mkdir(u"prog"_qs));
    QVERIFY(QDir::setCurrent(A->camino(u"trabajo"_qs)));
    if (programaEnB)
        e.RutaPrograma = B->camino(u"prog"_qs);

    frmSeleccion f(e);
    auto* discos = Hijo<QComboBox>(f, "lstDiscos");
    QCOMPARE(discos->count(), 2);
    QCOMPARE(discos->itemText(0), SinBarra(*A) + u" [A]"_qs);
    QCOMPARE(discos->currentIndex(), programaEnB ? 1 : 0);
    QCOMPARE(Carpeta(f), empiezaEnTrabajo ? A->camino(u"trabajo"_qs) : SinBarra(*B));
    QCOMPARE(Mostrados(f), empiezaEnTrabajo ? Lista({"a.txt"}) : Lista({"b.txt"}));
}

void PruebaSeleccion::filtrar_data()
{
    QTest::addColumn<int>("entrada");     // -1: typed instead
    QTest::addColumn<QString>("escrito");
    QTest::addColumn<QStringList>("mostrados");
    const QStringList todos = Lista({".oculto.jpg", "[a].txt", "árbol.png", "IMG_2.JPG",
                                     "IMG_10.jpg", "LEEME", "notas.txt"});
    QTest::newRow("*.*: every file, hidden ones too, natural order") << 0 << "" << todos;
    QTest::newRow("*.jpg in any case") << 9 << ""
                                       << Lista({".oculto.jpg", "IMG_2.JPG", "IMG_10.jpg"});
    QTest::newRow("*.txt, the last but two") << 15 << "" << Lista({"[a].txt", "notas.txt"});
    QTest::newRow("*.html, no match") << 8 << "" << QStringList();
    QTest::newRow("typed, two patterns") << -1 << "*.jpg;*.png"
                                         << Lista({".oculto.jpg", "árbol.png", "IMG_2.JPG", "IMG_10.jpg"});
    QTest::newRow("typed, brackets as they are") << -1 << "[a]*" << Lista({"[a].txt"});
    QTest::newRow("typed, question mark") << -1 << "img_?.*" << Lista({"IMG_2.JPG"});
    QTest::newRow("typed, accented capitals") << -1 << "ÁRBOL*" << Lista({"árbol.png"});
    QTest::newRow("typed, erased") << -1 << "" << todos;
}

void PruebaSeleccion::filtrar()
{
    QFETCH(int, entrada);
    QFETCH(QString, escrito);
    A->crear({u"IMG_10.jpg"_qs, u"IMG_2.JPG"_qs, u".oculto.jpg"_qs, u"árbol.png"_qs,
              u"notas.txt"_qs, u"[a].txt"_qs, u"LEEME"_qs});
    QVERIFY(QDir(SinBarra(*A)).mkdir(u"carpeta.jpg"_qs));  // folders are not files
    frmSeleccion f(e);
    Mostrar(f);
    if (entrada >= 0) {
        Escribir(f, u"*.doc"_qs);  // something else first, so the choice must change it
        Elegir(f, entrada);
    } else {
        Elegir(f, 9);
        Escribir(f, escrito);
    }
    QTEST(Mostrados(f), "mostrados");
}

void PruebaSeleccion::filtraACadaTecla()
{
    A->crear(Lista({"a", "ab.txt", "abc.txt", "b.txt"}));
    frmSeleccion f(e);
    Mostrar(f);
    QLineEdit* campo = Hijo<QComboBox>(f, "cmbFiltro")->lineEdit();
    campo->selectAll();
    QTest::keyClick(campo, Qt::Key_A);
    QCOMPARE(Mostrados(f), Lista({"a"}));
    QTest::keyClick(campo, Qt::Key_B);
    QCOMPARE(Mostrados(f), QStringList());
    QTest::keyClick(campo, Qt::Key_Asterisk);
    QCOMPARE(Mostrados(f), Lista({"ab.txt", "abc.txt"}));
    QTest::keyClick(campo, Qt::Key_Backspace);
    QTest::keyClick(campo, Qt::Key_Backspace);
    QCOMPARE(Mostrados(f), Lista({"a"}));
}

void PruebaSeleccion::aceptar_data()
{
    QTest::addColumn<QStringList>("pulsaciones");
    QTest::addColumn<QStringList>("archivos");
    QTest::newRow("2, 5 and 9 picked out of order") << Lista({"^9", "^2", "^5"})
                                                    << Lista({"foto3.jpg", "foto6.jpg", "foto10.jpg"});
    QTest::newRow("Shift extends, Ctrl adds") << Lista({"1", "+3", "^7"})
                                              << Lista({"foto2.jpg", "foto3.jpg", "foto4.jpg", "foto8.jpg"});
    QTest::newRow("Ctrl takes one away") << Lista({"^2", "^5", "^2"}) << Lista({"foto6.jpg"});
    QTest::newRow("a plain click starts anew") << Lista({"^2", "^5", "4"}) << Lista({"foto5.jpg"});
    QStringList diez;
    for (int i = 1; i <= 10; ++i)
        diez << QStringLiteral("foto%1.jpg").arg(i);
    QTest::newRow("Ctrl+A") << Lista({"*"}) << diez;
}

void PruebaSeleccion::aceptar()
{
    QFETCH(QStringList, pulsaciones);
    QFETCH(QStringList, archivos);
    QVERIFY(QDir(SinBarra(*A)).mkpath(u"Fotos/2024"_qs));
    const QString carpeta = A->camino(u"Fotos/2024"_qs);
    for (int i = 10; i >= 1; --i)
        A->crear({QStringLiteral("Fotos/2024/foto%1.jpg").arg(i)});
    QVERIFY(QDir::setCurrent(carpeta));
    frmSeleccion f(e);
    Mostrar(f);
    for (const QString& p : pulsaciones)
        Pulsar(f, p);
    QTest::mouseClick(Hijo<QPushButton>(f, "cmdAceptar"), Qt::LeftButton);

    QVERIFY(!f.isVisible());
    QCOMPARE(f.result(), int(QDialog::Accepted));
    QCOMPARE(e.NumArchivos, qint16(archivos.size()));
    QCOMPARE(e.Archivos, archivos);
    QCOMPARE(e.RutaCarpeta, carpeta + u'/');
}

void PruebaSeleccion::sinCambios_data()
{
    QTest::addColumn<QString>("boton");
    QTest::addColumn<bool>("conSeleccion");
    QTest::newRow("Aceptar with nothing selected") << "cmdAceptar" << false;
    QTest::newRow("Cancelar with a selection") << "cmdCancelar" << true;
}

void PruebaSeleccion::sinCambios()
{
    QFETCH(QString, boton);
    QFETCH(bool, conSeleccion);
    A->crear(Lista({"a.txt", "b.txt"}));
    e.Archivos = Lista({"antes.txt"});
    e.RutaCarpeta = u"/antes/"_qs;
    frmSeleccion f(e);
    Mostrar(f);
    if (conSeleccion)
        Pulsar(f, u"*"_qs);
    QTest::mouseClick(f.findChild<QPushButton*>(boton), Qt::LeftButton);

    QVERIFY(!f.isVisible());
    QCOMPARE(e.NumArchivos, qint16(0));
    QCOMPARE(e.Archivos, Lista({"antes.txt"}));
    QCOMPARE(e.RutaCarpeta, u"/antes/"_qs);
}

// Shown again after a run, the dialog lists what is on disk now, in the same folder with
// the same filter; names still there stay selected.
void PruebaSeleccion::releeAlMostrarse()
{
    QVERIFY(QDir(SinBarra(*A)).mkdir(u"sub"_qs));
    A->crear(Lista({"sub/a.txt", "sub/b.txt", "sub/c.txt", "sub/d.jpg"}));
    QVERIFY(QDir::setCurrent(A->camino(u"sub"_qs)));
    frmSeleccion f(e);
    Mostrar(f);
    Escribir(f, u"*.txt"_qs);
    Pulsar(f, u"0"_qs);
    Pulsar(f, u"^1"_qs);
    QTest::mouseClick(Hijo<QPushButton>(f, "cmdAceptar"), Qt::LeftButton);
    QCOMPARE(e.Archivos, Lista({"a.txt", "b.txt"}));

    QVERIFY(QFile::rename(A->camino(u"sub/b.txt"_qs), A->camino(u"sub/x.txt"_qs)));
    QVERIFY(QFile::remove(A->camino(u"sub/c.txt"_qs)));
    A->crear(Lista({"sub/e.txt", "sub/f.jpg"}));
    e.NumArchivos = 0;
    Mostrar(f);
    QTRY_COMPARE(Mostrados(f), Lista({"a.txt", "e.txt", "x.txt"}));
    QCOMPARE(Carpeta(f), A->camino(u"sub"_qs));
    QCOMPARE(Hijo<QComboBox>(f, "cmbFiltro")->currentText(), u"*.txt"_qs);
    QCOMPARE(Marcados(f), Lista({"a.txt"}));
}

void PruebaSeleccion::carpetas()
{
    for (const char* sub : {"sub/d10", "sub/d2", "sub/.oculta"})
        QVERIFY(QDir(SinBarra(*A)).mkpath(QString::fromUtf8(sub)));
    A->crear(Lista({"sub/f.txt", "sub/d2/dentro.txt"}));
    QVERIFY(QDir::setCurrent(A->camino(u"sub"_qs)));
    frmSeleccion f(e);
    Mostrar(f);

    // The path from the root down, then the subfolders, each level under the one above.
    auto* arbol = Hijo<ListaCarpetas>(f, "lstCarpetas");
    QStringList camino;
    const QTreeWidgetItem* actual = arbol->currentItem();
    for (const QTreeWidgetItem* i = actual; i; i = i->parent())
        camino.prepend(i->text(0));
    QCOMPARE(camino.first(), QDir::rootPath());
    QCOMPARE(QDir::rootPath() + camino.mid(1).join(u'/'), A->camino(u"sub"_qs));
    QStringList hijas;
    for (int i = 0; i < actual->childCount(); ++i)
        hijas << actual->child(i)->text(0);
    QCOMPARE(hijas, Lista({".oculta", "d2", "d10"}));

    // Enter opens the folder and leaves the dialog open.
    AbrirSubcarpeta(f, u"d2"_qs);
    QCOMPARE(Carpeta(f), A->camino(u"sub/d2"_qs));
    QCOMPARE(Mostrados(f), Lista({"dentro.txt"}));
    QVERIFY(f.isVisible());

    // A double click on a folder of the path goes back up.
    const QTreeWidgetItem* arriba = arbol->currentItem()->parent();
    const QPoint punto = arbol->visualItemRect(arriba).center();
    QTest::mouseClick(arbol->viewport(), Qt::LeftButton, {}, punto);
    QTest::mouseDClick(arbol->viewport(), Qt::LeftButton, {}, punto);
    QCOMPARE(Carpeta(f), A->camino(u"sub"_qs));
    QCOMPARE(Mostrados(f), Lista({"f.txt"}));
}

// A drive that cannot be entered: the message, then back to the drive shown before; each
// drive remembers the last folder visited on it.
void PruebaSeleccion::unidades()
{
    CarpetaPrueba C;
    const QString ausente = SinBarra(*B) + u"-no-montada"_qs;
    Discos::ModoPrueba(true, {{SinBarra(*A), u"A"_qs}, {ausente, u"B"_qs}, {SinBarra(C), u"C"_qs}});
    QVERIFY(QDir(SinBarra(*A)).mkdir(u"sub"_qs));
    A->crear(Lista({"sub/a.txt"}));
    QVERIFY(QDir(SinBarra(C)).mkdir(u"dentro"_qs));
    C.crear(Lista({"c.txt", "dentro/c2.txt"}));
    QVERIFY(QDir::setCurrent(A->camino(u"sub"_qs)));
    frmSeleccion f(e);
    Mostrar(f);
    auto* discos = Hijo<QComboBox>(f, "lstDiscos");

    discos->setCurrentIndex(2);
    QCOMPARE(Carpeta(f), SinBarra(C));
    QCOMPARE(Mostrados(f), Lista({"c.txt"}));
    AbrirSubcarpeta(f, u"dentro"_qs);
    QCOMPARE(Mostrados(f), Lista({"c2.txt"}));

    discos->setCurrentIndex(1);
    const QList<Avisos::Visto> vistos = Avisos::Vistos();
    QCOMPARE(vistos.size(), 1);
    QCOMPARE(vistos[0].texto, u"Dispositivo no disponible"_qs);
    QCOMPARE(vistos[0].titulo, u"Brindlewick"_qs);
    QCOMPARE(vistos[0].icono, QMessageBox::Critical);
    QCOMPARE(vistos[0].botones, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(discos->currentIndex(), 2);
    QCOMPARE(Carpeta(f), C.camino(u"dentro"_qs));
    QCOMPARE(Mostrados(f), Lista({"c2.txt"}));

    discos->setCurrentIndex(0);
    QCOMPARE(Carpeta(f), A->camino(u"sub"_qs));
    QCOMPARE(Mostrados(f), Lista({"a.txt"}));
}

// The count of a selection is 16 bits wide: one file more is refused, with the dialog left
// as it was so the user can take some away.
void PruebaSeleccion::masDe32767()
{
    const int limite = 32767;
    for (int i = 0; i <= limite; ++i)
        A->escribir(QStringLiteral("f%1").arg(i), {});
    e.Archivos = Lista({"antes.txt"});
    frmSeleccion f(e);
    Mostrar(f);
    Pulsar(f, u"*"_qs);
    QTest::mouseClick(Hijo<QPushButton>(f, "cmdAceptar"), Qt::LeftButton);

    const QList<Avisos::Visto> vistos = Avisos::Vistos();
    QCOMPARE(vistos.size(), 1);
    QCOMPARE(vistos[0].texto, u"Se pueden seleccionar como máximo 32767 archivos."_qs);
    QCOMPARE(vistos[0].icono, QMessageBox::Critical);
    QCOMPARE(vistos[0].titulo, u"Brindlewick"_qs);
    QVERIFY(f.isVisible());
    QCOMPARE(e.NumArchivos, qint16(0));
    QCOMPARE(e.Archivos, Lista({"antes.txt"}));
    QCOMPARE(Marcados(f).size(), limite + 1);

    Pulsar(f, u"^0"_qs);
    QTest::mouseClick(Hijo<QPushButton>(f, "cmdAceptar"), Qt::LeftButton);
    QVERIFY(!f.isVisible());
    QCOMPARE(e.NumArchivos, qint16(limite));
    QCOMPARE(e.Archivos.size(), limite);
    QCOMPARE(e.Archivos.first(), u"f1"_qs);
    QCOMPARE(e.Archivos.last(), QStringLiteral("f%1").arg(limite));
}

void PruebaSeleccion::cierre_data()
{
    QTest::addColumn<int>("como");  // 0 close box, 1 Aceptar, 2 Cancelar, 3 Esc
    QTest::addColumn<bool>("descargado");
    QTest::newRow("close box unloads") << 0 << true;
    QTest::newRow("Aceptar hides") << 1 << false;
    QTest::newRow("Cancelar hides") << 2 << false;
    QTest::newRow("Esc hides") << 3 << false;
}

void PruebaSeleccion::cierre()
{
    QFETCH(int, como);
    QFETCH(bool, descargado);
    A->crear(Lista({"a.txt"}));
    e.Archivos = Lista({"antes.txt"});
    QPointer<frmSeleccion> f = new frmSeleccion(e);
    Mostrar(*f);
    Escribir(*f, u"*.txt"_qs);
    switch (como) {
    case 0: f->close(); break;
    case 1: QTest::mouseClick(Hijo<QPushButton>(*f, "cmdAceptar"), Qt::LeftButton); break;
    case 2: QTest::mouseClick(Hijo<QPushButton>(*f, "cmdCancelar"), Qt::LeftButton); break;
    default: QTest::keyClick(f, Qt::Key_Escape); break;
    }
    QVERIFY(!f->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(f.isNull(), descargado);
    QCOMPARE(e.NumArchivos, qint16(0));
    QCOMPARE(e.Archivos, Lista({"antes.txt"}));
    if (!descargado) {
        QCOMPARE(Hijo<QComboBox>(*f, "cmbFiltro")->currentText(), u"*.txt"_qs);
        delete f;
    }
}

QTEST_MAIN(PruebaSeleccion)
#include "tst_seleccion.moc"
