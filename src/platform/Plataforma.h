#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QFile;

// Everything that is neither Qt nor the C++ library lives behind these functions.

struct ResultadoSistema {
    bool ok = true;
    QString razon;  // the system's description of the error when not ok
};

// Renames the file at `desde` to `hacia` (full paths) in one atomic step that never replaces
// an existing file, even one that another program creates at the same moment. A rename to
// the identical path succeeds when the file exists.
ResultadoSistema RenombrarSinSobrescribir(const QString& desde, const QString& hacia);

// Pushes what was written to `fichero` onto the disk.
bool SincronizarFichero(QFile& fichero);

// A name as the file system tells names apart, for a model of a folder that renames nothing.
// On Linux the very bytes that a rename hands to the system: case counts.
QByteArray ClaveNombre(const QString& nombre);

// The entries of a folder, of every kind, "." and ".." left out, keyed as ClaveNombre keys
// them but read as the disk holds them: a name that is not valid UTF-8 there matches no name
// the program shows for it, just as renaming it by that name fails. Empty when the folder
// can't be read.
QList<QByteArray> ClavesCarpeta(const QString& carpeta);

// The longest key (ClaveNombre) that a name in `carpeta` may have.
qsizetype LargoMaximoClave(const QString& carpeta);

#ifndef Q_OS_WIN
// The system calls behind RenombrarSinSobrescribir, replaceable so that tests reach the
// branches this machine's file systems never take. Each returns 0 or an errno value.
struct LlamadasRenombrar {
    int (*renombrarSinReemplazo)(const char* desde, const char* hacia);
    int (*renombrar)(const char* desde, const char* hacia);
    int (*enlazar)(const char* desde, const char* hacia);
    int (*borrar)(const char* ruta);
    int (*estado)(const char* ruta);  // 0 when the path exists
    bool (*mismoArchivo)(const char* a, const char* b);
};
ResultadoSistema RenombrarSinSobrescribir(const QString& desde, const QString& hacia,
                                          const LlamadasRenombrar& llamadas);
#endif
