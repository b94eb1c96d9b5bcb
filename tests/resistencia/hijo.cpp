// A run in a process of its own, for the tests that kill it half-way: renames every file of
// the folder given (a new extension) with the real rename step, its log at the path given.
#include "app/Proceso.h"
#include "engine/Estado.h"
#include "engine/Panel.h"
#include "engine/Pantalla.h"

#include <QCoreApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    Estado e;
    e.RutaCarpeta = args[1];
    e.RutaLog = args[2];
    e.Archivos = QDir(args[1]).entryList(QDir::Files, QDir::Name);
    e.NumArchivos = qint16(e.Archivos.size());
    Panel panel;
    panel.opcion = 0;
    panel.extension = QStringLiteral("renombrado");
    PantallaMuda pantalla;
    return Procesar(e, pantalla, panel, {}, {}).aceptado ? 0 : 1;
}
