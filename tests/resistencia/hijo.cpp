// A run in a process of its own, for the tests that kill it, with the real rename step, its log
// and its plan at the paths given:
//   brindlewick_hijo CARPETA TEMP.TXT extension|cadena|intercambio|deshacer [N antes|despues]
// "extension" gives every file a new extension; "cadena" renumbers f00000.jpg... one up, each
// file into the next one's name; "intercambio" swaps each pair of files; "deshacer" undoes the
// newest entry of the history. Given N, the process kills itself before or after its Nth call
// to the system's rename (of either kind: where a volume has no rename flag, a plain rename
// comes after the new name is reserved).
#include "app/Proceso.h"
#include "engine/Estado.h"
#include "engine/Panel.h"
#include "engine/Pantalla.h"
#include "log/Historial.h"

#include <QCoreApplication>
#include <QDir>

#include <csignal>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

int matarEn = 0;
bool matarDespues = false;
int llamadas = 0;

}  // namespace

// Taken by the program's own rename step in place of the C library's: both ways it renames.
extern "C" int renameat2(int desdeCarpeta, const char* desde, int haciaCarpeta, const char* hacia, unsigned int banderas)
{
    const bool esta = ++llamadas == matarEn;
    if (esta && !matarDespues)
        ::raise(SIGKILL);
    const long r = ::syscall(SYS_renameat2, desdeCarpeta, desde, haciaCarpeta, hacia, banderas);
    if (esta)
        ::raise(SIGKILL);
    return int(r);
}

extern "C" int renameat(int desdeCarpeta, const char* desde, int haciaCarpeta, const char* hacia)
{
    return renameat2(desdeCarpeta, desde, haciaCarpeta, hacia, 0);
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 && args.size() != 6)
        return 2;
    if (args.size() == 6) {
        matarEn = args[4].toInt();
        matarDespues = args[5] == u"despues";
    }
    Estado e;
    e.RutaCarpeta = args[1];
    e.RutaLog = args[2];
    e.Archivos = QDir(args[1]).entryList(QDir::Files, QDir::Name);
    e.NumArchivos = qint16(e.Archivos.size());
    PantallaMuda pantalla;
    if (args[3] == u"deshacer")
        return DeshacerEntrada(e, pantalla, LeerHistorial(CarpetaHistorial(e.RutaLog)).value(0)).aceptado ? 0 : 1;
    Panel panel;
    if (args[3] == u"extension") {
        panel.opcion = Opcion::Extension;
        panel[Caja::Extension] = QStringLiteral("renombrado");
    } else {
        if (args[3] == u"intercambio")
            for (qsizetype i = 0; i + 1 < e.Archivos.size(); i += 2)
                e.Archivos.swapItemsAt(i, i + 1);
        panel.opcion = Opcion::Generar;
        panel[Caja::Patron] = QStringLiteral("f0*.jpg");
        panel[Caja::Desde] = args[3] == u"cadena" ? QStringLiteral("1") : QStringLiteral("0");
    }
    return Procesar(e, pantalla, panel).aceptado ? 0 : 1;
}
