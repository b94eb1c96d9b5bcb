// A run in a process of its own, for the tests that kill it half-way, with the real rename
// step and its log at the path given: every file of the folder given gets a new extension, or,
// with "intercambio", each pair of files swaps names (f00000.jpg and f00001.jpg, ...).
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
    if (args.size() != 4)
        return 2;
    Estado e;
    e.RutaCarpeta = args[1];
    e.RutaLog = args[2];
    e.Archivos = QDir(args[1]).entryList(QDir::Files, QDir::Name);
    e.NumArchivos = qint16(e.Archivos.size());
    Panel panel;
    if (args[3] == u"intercambio") {
        for (qsizetype i = 0; i + 1 < e.Archivos.size(); i += 2)
            e.Archivos.swapItemsAt(i, i + 1);
        panel.opcion = 3;
        panel.patron = QStringLiteral("f0*.jpg");
        panel.desde = QStringLiteral("0");
    } else {
        panel.opcion = 0;
        panel.extension = QStringLiteral("renombrado");
    }
    PantallaMuda pantalla;
    return Procesar(e, pantalla, panel).aceptado ? 0 : 1;
}
