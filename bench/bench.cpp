// One measured case per process, so that each starts cold and its peak memory is its own.
//   brindlewick_bench crear CARPETA N     N empty files f00000.jpg ... in CARPETA
//   brindlewick_bench suelo CARPETA       the floor: renameat2 + one write(2) per file
//   brindlewick_bench motor CARPETA       the operation loop, the real step and log writer
//   brindlewick_bench ventana CARPETA     the main window: run, then undo from the menu
//   brindlewick_bench seleccion CARPETA   the selection dialog: show, select all; refilter
//   brindlewick_bench vista CARPETA       the preview: foretell the run, then show it
//   brindlewick_bench historial CARPETA   the history window over 1000 entries
//   brindlewick_bench plan -              planning 32767 renames in one chain, and in swaps
// Prints "name seconds" lines (and "memoria KiB" for the window).
#include "app/Prevision.h"
#include "app/Proceso.h"
#include "dialogs/cComDlg.h"
#include "engine/Estado.h"
#include "engine/Panel.h"
#include "engine/Plan.h"
#include "engine/Pantalla.h"
#include "dialogs/Avisos.h"
#include "ui/Escritorio.h"
#include "log/Historial.h"
#include "log/Registro.h"
#include "ui/frmBrindlewick.h"
#include "ui/frmHistorial.h"
#include "ui/frmSeleccion.h"
#include "ui/frmVistaPrevia.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

QStringList Nombres(const QString& carpeta)
{
    QStringList nombres = QDir(carpeta).entryList(QDir::Files, QDir::Name);
    return nombres;
}

void Informar(const char* caso, qint64 nanosegundos)
{
    std::printf("%s %.6f\n", caso, double(nanosegundos) / 1e9);
}

int Crear(const QString& carpeta, int n)
{
    QDir().mkpath(carpeta);
    for (int i = 0; i < n; ++i) {
        const QByteArray ruta = QFile::encodeName(carpeta + QStringLiteral("/f%1.jpg").arg(i, 5, 10, QLatin1Char('0')));
        const int fd = ::open(ruta.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0)
            return 1;
        ::close(fd);
    }
    return 0;
}

// The least any renamer that keeps an undo log must do: one no-replace rename and one
// unbuffered write of its record per file.
int Suelo(const QString& carpeta, const QString& log)
{
    std::vector<std::string> nombres;
    for (const QString& n : Nombres(carpeta))
        nombres.push_back(n.toStdString());
    const std::string dir = QFile::encodeName(carpeta).toStdString() + '/';
    QElapsedTimer t;
    t.start();
    const int fd = ::open(QFile::encodeName(log).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (const std::string& n : nombres) {
        const std::string base = n.substr(0, n.rfind('.'));
        const std::string viejo = dir + n, nuevo = dir + base + ".png";
        if (renameat2(AT_FDCWD, viejo.c_str(), AT_FDCWD, nuevo.c_str(), RENAME_NOREPLACE) != 0)
            return 1;
        const std::string registro = '"' + n + "\",\"" + base + ".png\"\r\n";
        if (::write(fd, registro.data(), registro.size()) != ssize_t(registro.size()))
            return 1;
    }
    ::close(fd);
    Informar("suelo", t.nsecsElapsed());
    return 0;
}

Panel CambiarAPng()
{
    Panel panel;
    panel.opcion = Opcion::Extension;
    panel[Caja::Extension] = QStringLiteral("png");
    return panel;
}

int Motor(const QString& carpeta, const QString& log)
{
    Estado e;
    e.RutaCarpeta = carpeta + u'/';
    e.RutaLog = log;
    e.Archivos = Nombres(carpeta);
    e.NumArchivos = qint16(e.Archivos.size());
    PantallaMuda pantalla;
    QElapsedTimer t;
    t.start();
    const ResultadoProceso r = Procesar(e, pantalla, CambiarAPng());
    Informar("motor", t.nsecsElapsed());
    return r.aceptado && e.Fallos == 0 ? 0 : 1;
}

// Selects every file of the dialog's list and accepts, once the dialog is up.
void SeleccionarTodo(QWidget* ventana)
{
    QTimer::singleShot(0, ventana, [ventana] {
        auto* dialogo = ventana->findChild<frmSeleccion*>();
        QApplication::setActiveWindow(dialogo);
        dialogo->findChild<QAbstractItemView*>(QStringLiteral("lstFicheros"))->selectAll();
        dialogo->findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
    });
}

long MemoriaPico()
{
    QFile estado(QStringLiteral("/proc/self/status"));
    if (!estado.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& linea : estado.readAll().split('\n'))
        if (linea.startsWith("VmHWM:"))
            return linea.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

int Ventana(const QString& carpeta, const QString& log)
{
    Estado e;
    e.RutaLog = log;
    QDir::setCurrent(carpeta);  // where the selection dialog starts
    frmBrindlewick w(e);
    w.findChild<QAction*>(QStringLiteral("mnuGuardar"))->setChecked(false);
    e.GuardarLog = false;
    w.show();
    QApplication::setActiveWindow(&w);
    SeleccionarTodo(&w);
    w.findChild<QPushButton*>(QStringLiteral("cmdSeleccionar"))->click();
    if (e.NumArchivos != Nombres(carpeta).size())
        return 1;
    w.findChild<QLineEdit*>(QStringLiteral("txtExtension"))->setText(QStringLiteral("png"));

    QElapsedTimer t;
    t.start();
    w.findChild<QPushButton*>(QStringLiteral("cmdProcesar"))->click();
    Informar("ventana", t.nsecsElapsed());
    if (e.Fallos != 0 || !Nombres(carpeta).first().endsWith(u".png"))
        return 1;

    t.restart();
    w.findChild<QAction*>(QStringLiteral("mnuDeshacer"))->trigger();
    Informar("deshacer", t.nsecsElapsed());
    if (!Nombres(carpeta).first().endsWith(u".jpg"))
        return 1;
    std::printf("memoria %ld\n", MemoriaPico());
    return 0;
}

int Seleccion(const QString& carpeta)
{
    Estado e;
    QDir::setCurrent(carpeta);
    QElapsedTimer t;
    t.start();
    frmSeleccion dialogo(e);
    dialogo.show();
    QApplication::setActiveWindow(&dialogo);  // shown and read, as a window manager makes it
    auto* lista = dialogo.findChild<QAbstractItemView*>(QStringLiteral("lstFicheros"));
    lista->selectAll();
    dialogo.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
    Informar("seleccion", t.nsecsElapsed());
    if (e.NumArchivos != lista->model()->rowCount())
        return 1;

    dialogo.show();
    QApplication::setActiveWindow(&dialogo);
    QLineEdit* filtro = dialogo.findChild<QComboBox*>(QStringLiteral("cmbFiltro"))->lineEdit();
    filtro->setText(QStringLiteral("*.jp"));
    t.restart();
    filtro->end(false);
    filtro->insert(QStringLiteral("g"));  // one keystroke
    Q_EMIT filtro->textEdited(filtro->text());
    Informar("refiltro", t.nsecsElapsed());
    return lista->model()->rowCount() == e.NumArchivos ? 0 : 1;
}

int Vista(const QString& carpeta)
{
    Estado e;
    e.RutaCarpeta = carpeta + u'/';
    e.Archivos = Nombres(carpeta);
    e.NumArchivos = qint16(e.Archivos.size());
    QElapsedTimer t;
    t.start();
    Prevision prevision = Prever(e, CambiarAPng());
    const int filas = int(prevision.filas.size());
    frmVistaPrevia dialogo(std::move(prevision));
    dialogo.show();
    QApplication::processEvents();
    Informar("vista", t.nsecsElapsed());
    return filas == e.NumArchivos ? 0 : 1;
}

// The history window opened over the most entries the history keeps.
int Historial(const QString& carpeta)
{
    const QString temporal = carpeta + QStringLiteral("/temp.txt");
    for (int i = 0; i < 1000; ++i) {
        EntradaHistorial d;
        d.fecha = QDateTime::currentDateTime().addSecs(-i);
        d.carpeta = carpeta + u'/';
        d.eleccion.operacion = Operacion{Opcion::Extension, QStringLiteral("png"), {}, 0, 0, 0};
        LogDeCorrida log;
        if (!log.Abrir(temporal, CabeceraLog(1, d.carpeta), d).ok || !log.Comenzar({}).ok)
            return 1;
        log.Terminar(EstadoEntrada::Completa, 1, 0);
    }
    QElapsedTimer t;
    t.start();
    frmHistorial historial(CarpetaHistorial(temporal), [](const EntradaHistorial&) {}, [](const EntradaHistorial&) {});
    historial.show();
    QApplication::processEvents();
    Informar("historial", t.nsecsElapsed());
    return historial.findChild<QAbstractItemView*>()->model()->rowCount() == 1000 ? 0 : 1;
}

// Planning alone, over names keyed as a folder that ignores case keys them (the dearer key):
// one chain of 32767 files (each takes the next one's name) and 16383 swaps.
int Plan()
{
    QList<Renombre> cadena, cambios;
    for (int i = 0; i < 32767; ++i) {
        const QString viejo = QStringLiteral("f%1.jpg").arg(i, 5, 10, QLatin1Char('0'));
        cadena.append({viejo, QStringLiteral("f%1.jpg").arg(i + 1, 5, 10, QLatin1Char('0'))});
        cambios.append({viejo, QStringLiteral("f%1.jpg").arg(i ^ 1, 5, 10, QLatin1Char('0'))});
    }
    cambios.removeLast();  // 16383 pairs
    int pasos = 0;
    for (const auto& [caso, renombres] : {std::pair{"plan-cadena", &cadena}, std::pair{"plan-cambios", &cambios}}) {
        QElapsedTimer t;
        t.start();
        pasos += int(Planificar(*renombres, true).size());
        Informar(caso, t.nsecsElapsed());
    }
    return pasos == 32767 + 32766 + 16383 ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    Avisos::ModoPrueba(true);
    Escritorio::ModoPrueba(true);
    cComDlg::ModoPrueba(true);
    const QString caso = args[1], carpeta = args[2];
    // The log beside the folder, on the same file system.
    const QString log = carpeta + QStringLiteral(".log");
    if (caso == u"crear" && args.size() == 4)
        return Crear(carpeta, args[3].toInt());
    if (caso == u"suelo")
        return Suelo(carpeta, log);
    if (caso == u"motor")
        return Motor(carpeta, log);
    if (caso == u"ventana")
        return Ventana(carpeta, log);
    if (caso == u"seleccion")
        return Seleccion(carpeta);
    if (caso == u"vista")
        return Vista(carpeta);
    if (caso == u"historial")
        return Historial(carpeta);
    if (caso == u"plan")
        return Plan();
    return 2;
}
