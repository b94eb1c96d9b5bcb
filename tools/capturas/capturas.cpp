// Draws every window over a folder of sample files into PNGs, for a person to look at.
// Usage: brindlewick_capturas FOLDER   (scripts/screenshots.sh runs it under Xvfb)

#include "app/Prevision.h"
#include "app/Proceso.h"
#include "dialogs/cComDlg.h"
#include "engine/Estado.h"
#include "engine/Listado.h"
#include "engine/Panel.h"
#include "engine/Pantalla.h"
#include "log/Deshacer.h"
#include "log/Historial.h"
#include "log/Simulacion.h"
#include "dialogs/Avisos.h"
#include "ui/Escritorio.h"
#include "ui/frmAcerca.h"
#include "ui/Idioma.h"
#include "ui/frmAyuda.h"
#include "ui/frmBrindlewick.h"
#include "ui/frmHistorial.h"
#include "ui/frmResultado.h"
#include "ui/frmSeleccion.h"
#include "ui/frmVistaPrevia.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

// One picture: the file it goes to and how to build the window, already showing what is
// worth seeing. To add a window, add a row. A window that opens a popup is taken from the
// screen instead, with the popup in it.
struct Captura {
    const char* archivo;
    std::function<std::unique_ptr<QWidget>(Estado&)> crear;
    bool pantalla = false;
};

// The main window with one operation chosen and its boxes filled as a user would.
std::unique_ptr<QWidget> Principal(Estado& e, Opcion opcion)
{
    auto w = std::make_unique<frmBrindlewick>(e);
    const char* textos[] = {"jpg", "IMG_", "Foto_", "_2024", "3", "vacaciones*.jpg", "1"};
    const char* cajas[] = {"txtExtension", "txtString1", "txtString2", "txtAnadir",
                           "txtPosicion", "txtGenerar", "txtGenerarDesde"};
    for (int i = 0; i < 7; ++i)
        w->findChild<QLineEdit*>(QString::fromLatin1(cajas[i]))->setText(QString::fromUtf8(textos[i]));
    if (opcion == Opcion::Anadir)
        w->findChild<QRadioButton*>(u"optAnadirEn"_qs)->click();
    w->findChild<QRadioButton*>(QStringLiteral("optOpciones_%1").arg(int(opcion)))->click();
    return w;
}

void CrearMuestras(const QString& carpeta)
{
    QDir d(carpeta);
    for (const char* sub : {"Fotos", "Vacaciones 2024", ".cache"})
        d.mkdir(QString::fromUtf8(sub));
    QStringList nombres{u".oculto"_qs, u"árbol de Navidad.png"_qs, u"notas.txt"_qs,
                        u"Informe final (revisado).doc"_qs};
    for (int i = 1; i <= 12; ++i)
        nombres << QStringLiteral("IMG_%1.jpg").arg(i);
    for (const QString& n : std::as_const(nombres)) {
        QFile f(d.filePath(n));
        if (!f.open(QIODevice::WriteOnly))
            std::fprintf(stderr, "cannot create %s\n", qPrintable(n));
    }
}

// The preview of "A --> a" over a folder of mixed names: most change, some stay as they are,
// and three fail in the three ways a name can be taken.
std::unique_ptr<QWidget> VistaPrevia(const Estado& e)
{
    QTemporaryDir carpeta;
    QStringList nombres{u"Boda 001.JPG"_qs, u"Boda 002.JPG"_qs, u"IMG_2041.JPG"_qs,
                        u"Informe final.DOC"_qs, u"notas.txt"_qs, u"PLAYA.JPG"_qs,
                        u"Playa.jpg"_qs, u"A.TXT"_qs, u"a.txt"_qs, u"árbol de Navidad.png"_qs,
                        u"Leeme"_qs};
    std::sort(nombres.begin(), nombres.end(), OrdenNatural);
    for (const QString& n : nombres + QStringList{u"boda 002.jpg"_qs}) {
        QFile f(QDir(carpeta.path()).filePath(n));
        if (!f.open(QIODevice::WriteOnly))
            std::fprintf(stderr, "cannot create %s\n", qPrintable(n));
    }
    Estado mezcla = e;
    mezcla.RutaCarpeta = carpeta.path() + u'/';
    mezcla.Archivos = nombres;
    mezcla.NumArchivos = qint16(nombres.size());
    Panel minusculas;
    minusculas.opcion = Opcion::Minusculas;
    return std::make_unique<frmVistaPrevia>(Prever(mezcla, minusculas));
}

// The history after a few runs in a folder of photos: one whole, one with failures, one undone.
std::unique_ptr<QWidget> Historial(const Estado& e)
{
    static QTemporaryDir datos;
    const QString fotos = datos.filePath(u"Fotos"_qs);
    QDir().mkpath(fotos);
    Estado h = e;
    h.RutaLog = datos.filePath(u"temp.txt"_qs);
    h.RutaCarpeta = fotos + u'/';
    for (int i = 1; i <= 12; ++i) {
        h.Archivos << QStringLiteral("IMG_%1.JPG").arg(i);
        QFile(QDir(fotos).filePath(h.Archivos.last())).open(QIODevice::WriteOnly);
    }
    QFile(QDir(fotos).filePath(u"vacaciones03.jpg"_qs)).open(QIODevice::WriteOnly);
    h.NumArchivos = 12;
    PantallaMuda pantalla;
    Panel p;
    p.opcion = Opcion::Minusculas;
    Procesar(h, pantalla, p);
    for (QString& n : h.Archivos)
        n = n.toLower();
    p.opcion = Opcion::Generar;
    p[Caja::Patron] = u"vacaciones*.jpg"_qs;
    p[Caja::Desde] = u"1"_qs;
    Procesar(h, pantalla, p);
    DeshacerPropio(h, pantalla);
    p.opcion = Opcion::Extension;
    p[Caja::Extension] = u"jpeg"_qs;
    Procesar(h, pantalla, p);
    return std::make_unique<frmHistorial>(CarpetaHistorial(h.RutaLog), [](const EntradaHistorial&) {},
                                          [](const EntradaHistorial&) {});
}

const Captura Capturas[] = {
    {"frmSeleccion.png",
     [](Estado& e) -> std::unique_ptr<QWidget> {
         auto f = std::make_unique<frmSeleccion>(e);
         auto* lista = f->findChild<QAbstractItemView*>(u"lstFicheros"_qs);
         for (int fila : {2, 5, 9})
             lista->selectionModel()->select(lista->model()->index(fila, 0),
                                             QItemSelectionModel::Select);
         return f;
     }},
    {"frmAcerca.png", [](Estado&) -> std::unique_ptr<QWidget> { return std::make_unique<frmAcerca>(); }},
    {"frmBrindlewick.png",
     [](Estado& e) -> std::unique_ptr<QWidget> { return std::make_unique<frmBrindlewick>(e); }},
    {"frmBrindlewick-menu.png",
     [](Estado& e) -> std::unique_ptr<QWidget> {
         auto w = std::make_unique<frmBrindlewick>(e);
         w->show();
         auto* menu = w->findChild<QMenu*>(u"mnuOpciones"_qs);
         w->menuBar()->setActiveAction(menu->menuAction());
         return w;
     },
     true},
    {"frmAyuda.png", [](Estado&) -> std::unique_ptr<QWidget> { return std::make_unique<frmAyuda>(); }},
    {"frmVistaPrevia.png", [](Estado& e) { return VistaPrevia(e); }},
    {"frmHistorial.png", [](Estado& e) { return Historial(e); }},
    {"frmResultado.png",
     [](Estado&) -> std::unique_ptr<QWidget> {
         return std::make_unique<frmResultado>(QList<FilaResultado>{
             {u"IMG_2.jpg"_qs, u"IMG_3.jpg"_qs, TextoResultado(ResultadoPrevisto::NombreExiste)},
             {u"IMG_1.jpg"_qs, u"IMG_1.png"_qs, {}},
             {u"notas.txt"_qs, u"notas.txt"_qs, {}}});
     }},
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Hablar(IdiomaPreferido());
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QString destino = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(destino);
    // Nothing may open a real message box or hand anything to the desktop.
    Avisos::ModoPrueba(true);
    Escritorio::ModoPrueba(true);
    cComDlg::ModoPrueba(true);

    QTemporaryDir muestras;
    CrearMuestras(muestras.path());
    QDir::setCurrent(muestras.path());
    Estado e;
    e.RutaPrograma = muestras.path();

    // The main window once per operation, its boxes filled.
    std::vector<Captura> capturas(std::begin(Capturas), std::end(Capturas));
    std::vector<QByteArray> nombres;
    for (const DefinicionOperacion& d : Operaciones())
        nombres.push_back("frmBrindlewick-" + QByteArray(d.clave) + ".png");
    for (const DefinicionOperacion& d : Operaciones())
        capturas.push_back({nombres[size_t(d.opcion)].constData(), [&d](Estado& e) { return Principal(e, d.opcion); }});
    int fallos = 0;
    for (const Captura& c : capturas) {
        const std::unique_ptr<QWidget> ventana = c.crear(e);
        ventana->show();
        QApplication::processEvents();
        QThread::msleep(100);  // the window manager's and the popups' own drawing
        QApplication::processEvents();
        const QString archivo = QDir(destino).filePath(QString::fromUtf8(c.archivo));
        const QPixmap imagen = c.pantalla
            ? QApplication::primaryScreen()->grabWindow(0, ventana->x(), ventana->y(), 240, 300)
            : ventana->grab();
        if (imagen.save(archivo))
            std::printf("%s\n", qPrintable(archivo));
        else
            ++fallos;
    }
    return fallos == 0 ? 0 : 1;
}
