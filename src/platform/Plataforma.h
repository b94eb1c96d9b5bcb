#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

class QFile;

// Everything that is neither Qt nor the C++ library lives behind these functions.

struct ResultadoSistema {
    bool ok = true;
    QString razon;  // the system's description of the error when not ok
};

#ifndef Q_OS_WIN
// The system calls behind a rename, replaceable so that tests reach the branches this
// machine's file systems never take. Names are relative to the open folder `carpeta`; each
// call returns 0 or an errno value.
struct LlamadasRenombrar {
    int (*renombrarSinReemplazo)(int carpeta, const char* desde, const char* hacia);
    int (*renombrar)(int carpeta, const char* desde, const char* hacia);
    int (*enlazar)(int carpeta, const char* desde, const char* hacia);
    int (*borrar)(int carpeta, const char* nombre);
    int (*estado)(int carpeta, const char* nombre);  // 0 when the name exists
    bool (*mismoArchivo)(int carpeta, const char* a, const char* b);
};
const LlamadasRenombrar& LlamadasDelSistema();
#endif

// The folder whose files a run renames, opened once. Each rename names its files relative
// to it: no rename can leave it, and the system need not walk its path again for every file.
class CarpetaAbierta {
public:
#ifdef Q_OS_WIN
    explicit CarpetaAbierta(const QString& ruta);
#else
    explicit CarpetaAbierta(const QString& ruta,
                            const LlamadasRenombrar& llamadas = LlamadasDelSistema());
#endif
    ~CarpetaAbierta();
    CarpetaAbierta(const CarpetaAbierta&) = delete;
    CarpetaAbierta& operator=(const CarpetaAbierta&) = delete;

    // Renames the file `viejo` to `nuevo` (bare names) in one atomic step that never replaces
    // an existing file, even one that another program creates at the same moment. A rename to
    // the identical name succeeds when the file exists.
    ResultadoSistema Renombrar(QStringView viejo, QStringView nuevo);

private:
#ifdef Q_OS_WIN
    QString ruta;
#else
    const LlamadasRenombrar& llamadas;
    int fd = -1;
    int errorApertura = 0;
    QByteArray desde, hacia;  // kept from one rename to the next: no allocation per file
#endif
};

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
