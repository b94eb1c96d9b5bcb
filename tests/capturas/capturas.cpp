// Draws every window over a folder of sample files into PNGs, for a person to look at.
// Usage: brindlewick_capturas FOLDER   (scripts/screenshots.sh runs it under Xvfb)

#include "app/Estado.h"
#include "ui/Avisos.h"
#include "ui/Escritorio.h"
#include "ui/frmAcerca.h"
#include "ui/frmSeleccion.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

// One picture: the file it goes to and how to build the window, already showing what is
// worth seeing. To add a window, add a row.
struct Captura {
    const char* archivo;
    std::function<std::unique_ptr<QWidget>(Estado&)> crear;
};

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
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QString destino = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(destino);
    // Nothing may open a real message box or hand anything to the desktop.
    Avisos::ModoPrueba(true);
    Escritorio::ModoPrueba(true);

    QTemporaryDir muestras;
    CrearMuestras(muestras.path());
    QDir::setCurrent(muestras.path());
    Estado e;
    e.RutaPrograma = muestras.path();

    int fallos = 0;
    for (const Captura& c : Capturas) {
        const std::unique_ptr<QWidget> ventana = c.crear(e);
        ventana->show();
        QApplication::processEvents();
        const QString archivo = QDir(destino).filePath(QString::fromUtf8(c.archivo));
        if (ventana->grab().save(archivo))
            std::printf("%s\n", qPrintable(archivo));
        else
            ++fallos;
    }
    return fallos == 0 ? 0 : 1;
}
