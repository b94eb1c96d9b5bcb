#include "app/Main.h"

#include "engine/Estado.h"
#include "log/Historial.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

void Main(Estado& e)
{
    e.RutaPrograma = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    e.LogCargado = false;
    // Per user and never beside the program: an installed program's folder is not writable,
    // and a log shared by the users of a machine would rename one user's files for another.
    const QString datos = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(datos);
    e.RutaLog = QDir::toNativeSeparators(QDir(datos).filePath(QStringLiteral("temp.txt")));
    PodarHistorial(CarpetaHistorial(e.RutaLog));
}
