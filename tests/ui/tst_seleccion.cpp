#include "Banco.h"

#include "ui/Discos.h"
#include "ui/Listas.h"

#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>

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

// A volume that never answers, as a share whose server went away: a FUSE mount whose driver
// never reads a request. At the end, or if the test hangs on it for ten seconds, the driver
// goes: every request still waiting fails and the mount is taken away.
class VolumenColgado {
public:
    explicit VolumenColgado(const QString& punto) : punto(BytesDeNombre(punto))
    {
        ::mkdir(this->punto.constData(), 0755);
        driver = ::open("/dev/fuse", O_RDWR | O_CLOEXEC);
        const QByteArray opciones = "rootmode=40000,user_id=0,group_id=0,fd=" + QByteArray::number(driver);
        if (driver < 0 || ::mount("colgado", this->punto.constData(), "fuse.colgado", MS_NOSUID | MS_NODEV,
                                  opciones.constData()) != 0) {
            fallo = u"no FUSE mount here (not root? no /dev/fuse?): "_qs + QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
        guardian = std::thread([this] {
            std::unique_lock cerrojo(m);
            fin.wait_for(cerrojo, std::chrono::seconds(10), [this] { return acabado; });
            ::close(driver);
        });
    }
    ~VolumenColgado()
    {
        if (guardian.joinable()) {
            {
                const std::lock_guard cerrojo(m);
                acabado = true;
            }
            fin.notify_one();
            guardian.join();
            ::umount2(punto.constData(), MNT_DETACH);
        } else if (driver >= 0) {
            ::close(driver);
        }
    }
    QString fallo;

private:
    QByteArray punto;
    int driver = -1;
    std::thread guardian;
    std::mutex m;
    std::condition_variable fin;
    bool acabado = false;
};

}  // namespace

class PruebaSeleccion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void filtrar();
    void cerrar_data();
    void cerrar();
    void carpetas();
    void masDe32767();
    void tamano();
    void colgado();

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

// Every file, hidden ones too, in natural order, in a folder named in Latin-1 as old archives
// are: each byte that is not text shown apart, control characters on the line. A pattern
// typed filters at every key, and an entry of the list replaces it. Shown again after a run,
// the dialog lists what is on disk now, in the same folder with the same filter; names still
// there stay selected, and the selection holds their very bytes.
void PruebaSeleccion::filtrar()
{
    const QString carpeta = NombreDesdeBytes("fotos\xe9/");
    for (const QString& sub : {carpeta, carpeta + u"carpeta.jpg"_qs})  // folders are not files
        QCOMPARE(::mkdir(BytesDeNombre(A->camino(sub)).constData(), 0755), 0);
    const QString tildes[] = {NombreDesdeBytes("caf\xe9.jpg"), NombreDesdeBytes("caf\xe8.jpg")};
    for (const QString& n : Lista({"IMG_10.jpg", "IMG_2.JPG", ".oculto.jpg", "árbol.png", "notas.txt", "LEEME",
                                   "c\naf.jpg"}) + QStringList(std::begin(tildes), std::end(tildes)))
        A->crear({carpeta + n});
    frmSeleccion f(e);
    Mostrar(f);
    auto* arbol = Hijo<ListaCarpetas>(f, "lstCarpetas");
    arbol->setCurrentItem(arbol->currentItem()->child(0));
    QCOMPARE(arbol->currentItem()->text(0), u"fotos\\xE9"_qs);
    QTest::keyClick(arbol, Qt::Key_Return);
    QCOMPARE(Mostrados(f), Lista({".oculto.jpg", "árbol.png", "c\\naf.jpg", "caf\\xE8.jpg", "caf\\xE9.jpg",
                                  "IMG_2.JPG", "IMG_10.jpg", "LEEME", "notas.txt"}));
    auto* filtro = Hijo<QComboBox>(f, "cmbFiltro");
    filtro->lineEdit()->selectAll();
    QTest::keyClicks(filtro->lineEdit(), u"*.t"_qs);
    QCOMPARE(Mostrados(f), QStringList());
    QTest::keyClicks(filtro->lineEdit(), u"xt;*.png"_qs);
    QCOMPARE(Mostrados(f), Lista({"árbol.png", "notas.txt"}));
    for (int entrada = filtro->currentIndex(); entrada < 9; ++entrada)
        QTest::keyClick(filtro, Qt::Key_Down);
    QCOMPARE(Mostrados(f), Lista({".oculto.jpg", "c\\naf.jpg", "caf\\xE8.jpg", "caf\\xE9.jpg", "IMG_2.JPG", "IMG_10.jpg"}));
    Pulsar(f, u"*"_qs);
    Hijo<QPushButton>(f, "cmdAceptar")->click();

    for (const char* ido : {"IMG_2.JPG", ".oculto.jpg"})
        QCOMPARE(std::remove(BytesDeNombre(A->camino(carpeta + QString::fromUtf8(ido))).constData()), 0);
    A->crear({carpeta + u"IMG_3.jpg"_qs, carpeta + u"nueva.jpg"_qs, carpeta + u"otra.png"_qs});
    QVERIFY(QDir::setCurrent(SinBarra(*B)));  // the process's folder is no longer the shown one
    Mostrar(f);
    QTRY_COMPARE(Mostrados(f), Lista({"c\\naf.jpg", "caf\\xE8.jpg", "caf\\xE9.jpg", "IMG_3.jpg", "IMG_10.jpg", "nueva.jpg"}));
    Hijo<QPushButton>(f, "cmdAceptar")->click();
    QCOMPARE(e.Archivos, QStringList({u"c\naf.jpg"_qs, tildes[1], tildes[0], u"IMG_10.jpg"_qs}));
    QCOMPARE(e.RutaCarpeta, A->camino(carpeta));
}

void PruebaSeleccion::cerrar_data()
{
    QTest::addColumn<QStringList>("pulsaciones");
    QTest::addColumn<int>("como");  // 0 close box, 1 Aceptar, 2 Cancelar, 3 Enter
    QTest::addColumn<QMessageBox::StandardButton>("respuesta");  // to the question on saved logs
    QTest::addColumn<QStringList>("archivos");  // empty: the selection as it was
    const auto no = QMessageBox::NoButton;
    QTest::newRow("a click starts anew, Shift extends, Ctrl adds and takes away; in list order; Enter accepts")
        << Lista({"^5", "3", "+1", "^9", "^2", "^7"}) << 3 << no << Lista({"foto2.jpg", "foto4.jpg", "foto8.jpg", "foto10.jpg"});
    QTest::newRow("Aceptar with nothing selected") << QStringList() << 1 << no << QStringList();
    QTest::newRow("Cancelar") << Lista({"*"}) << 2 << no << QStringList();
    QTest::newRow("close box: unloaded") << Lista({"*"}) << 0 << no << QStringList();
    QTest::newRow("a saved log beside other files, Yes leaves it out") << Lista({"1", "^10"}) << 1 << QMessageBox::Yes << Lista({"foto2.jpg"});
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

// With the process's folder on another drive than the program's, the lists start at the
// process's folder. The path from the root down, then the subfolders (".oculta", "d2", "d10");
// Enter opens one. Each drive keeps the last folder visited on it; one that cannot be entered
// brings the message and the drive shown before. A double click on the path goes up.
void PruebaSeleccion::carpetas()
{
    CarpetaPrueba C;
    const QString ausente = SinBarra(*B) + u"-no-montada"_qs;
    Discos::ModoPrueba(true, {{SinBarra(*A), u"A"_qs}, {ausente, u"B"_qs}, {SinBarra(C), u"C"_qs}});
    for (const char* sub : {"sub/d10", "sub/d2", "sub/.oculta"})
        QVERIFY(QDir(SinBarra(*A)).mkpath(QString::fromUtf8(sub)));
    A->crear(Lista({"sub/f.txt", "sub/d2/dentro.txt"}));
    C.crear(Lista({"c.txt"}));
    e.RutaPrograma = C.camino(u"prog"_qs);
    QVERIFY(QDir::setCurrent(A->camino(u"sub"_qs)));
    frmSeleccion f(e);
    Mostrar(f);
    auto* discos = Hijo<QComboBox>(f, "lstDiscos");
    QCOMPARE(discos->currentText(), SinBarra(*A) + u" [A]"_qs);
    QCOMPARE(Mostrados(f), Lista({"f.txt"}));
    auto* arbol = Hijo<ListaCarpetas>(f, "lstCarpetas");
    arbol->setCurrentItem(arbol->currentItem()->child(1));
    QTest::keyClick(arbol, Qt::Key_Return);
    QVERIFY(f.isVisible());
    QCOMPARE(Mostrados(f), Lista({"dentro.txt"}));

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

// The count of a selection is 16 bits wide: one file more is refused, with the dialog and
// its selection left as they were so the user can take some away.
void PruebaSeleccion::masDe32767()
{
    for (int i = 0; i <= 32767; ++i)
        A->escribir(QStringLiteral("f%1").arg(i), {});
    frmSeleccion f(e);
    Mostrar(f);
    Pulsar(f, u"*"_qs);
    Hijo<QPushButton>(f, "cmdAceptar")->click();
    QCOMPARE(Mensajes(), Lista({"!Se pueden seleccionar como máximo 32767 archivos."}));
    QVERIFY(f.isVisible());
    QVERIFY(e.Archivos.isEmpty() && e.NumArchivos == 0);

    Pulsar(f, u"^0"_qs);
    Hijo<QPushButton>(f, "cmdAceptar")->click();
    QVERIFY(!f.isVisible());
    QCOMPARE(e.NumArchivos, qint16(32767));
    QCOMPARE(e.Archivos.first(), u"f1"_qs);
}

// The dialog grows and can be maximised: the lists take the room, a third of the width to the
// folders, and the buttons keep to the right edge. It opens again at the size it was left at.
void PruebaSeleccion::tamano()
{
    QSize dejado;
    {
        frmSeleccion f(e);
        Mostrar(f);
        QVERIFY(f.windowFlags() & Qt::WindowMaximizeButtonHint && f.size() == f.minimumSize());
        const auto donde = [&f](const char* n) { return Hijo<QWidget>(f, n)->geometry(); };
        const QRect carpetas = donde("lstCarpetas"), ficheros = donde("lstFicheros"), aceptar = donde("cmdAceptar");
        f.resize(f.width() + 90, f.height() + 60);
        QCOMPARE(donde("lstCarpetas"), carpetas.adjusted(0, 0, 30, 60));
        QCOMPARE(donde("lstFicheros"), ficheros.adjusted(30, 0, 90, 60));
        QCOMPARE(donde("cmdAceptar"), aceptar.translated(90, 0));
        dejado = f.size();
        f.hide();
    }
    QCOMPARE(frmSeleccion(e).size(), dejado);
}

// A mounted volume that never answers: the dialog is up at once, the drive is marked as such,
// and choosing it, or opening its folder, says so and stays where it was.
void PruebaSeleccion::colgado()
{
    const QString raiz = A->camino(u"colgado"_qs);
    VolumenColgado volumen(raiz);
    if (!volumen.fallo.isEmpty())
        QSKIP(qPrintable(volumen.fallo));
    Discos::ModoPrueba(false);
    A->crear(Lista({"a.jpg"}));
    QElapsedTimer reloj;
    reloj.start();
    frmSeleccion f(e);
    Mostrar(f);
    QCOMPARE_LT(reloj.elapsed(), 1000);
    auto* discos = Hijo<QComboBox>(f, "lstDiscos");
    const int colgado = discos->findData(raiz);
    QVERIFY(colgado >= 0);
    QTRY_COMPARE_WITH_TIMEOUT(discos->itemText(colgado), raiz + u" (no responde)"_qs, 2 * Discos::EsperaMaxima);
    const int antes = discos->currentIndex();
    discos->setCurrentIndex(colgado);
    QCOMPARE(Mensajes(), Lista({"!Dispositivo no disponible: no responde."}));
    QCOMPARE(discos->currentIndex(), antes);
    QCOMPARE(Mostrados(f), Lista({"a.jpg"}));

    // Its mount point, opened from the folder above, says so too.
    auto* arbol = Hijo<ListaCarpetas>(f, "lstCarpetas");
    arbol->setCurrentItem(arbol->currentItem()->child(0));
    QTest::keyClick(arbol, Qt::Key_Return);
    QCOMPARE(Mensajes(), Lista({"!Dispositivo no disponible: no responde."}));
    QCOMPARE(arbol->Ruta(), SinBarra(*A));
}

QTEST_MAIN(PruebaSeleccion)
#include "tst_seleccion.moc"
