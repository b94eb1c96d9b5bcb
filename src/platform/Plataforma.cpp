#include "platform/Plataforma.h"

#include <QFile>

#ifdef Q_OS_WIN
#include <QDir>
#include <windows.h>
#else
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef Q_OS_WIN

ResultadoSistema RenombrarSinSobrescribir(const QString& desde, const QString& hacia)
{
    const auto w = [](const QString& s) { return reinterpret_cast<const wchar_t*>(s.utf16()); };
    if (desde == hacia) {
        if (GetFileAttributesW(w(desde)) != INVALID_FILE_ATTRIBUTES)
            return {};
    } else if (MoveFileExW(w(desde), w(hacia), 0)) {  // no MOVEFILE_REPLACE_EXISTING
        return {};
    }
    wchar_t* texto = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                       | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, GetLastError(), 0, reinterpret_cast<wchar_t*>(&texto), 0, nullptr);
    ResultadoSistema r{false, QString::fromWCharArray(texto).trimmed()};
    LocalFree(texto);
    return r;
}

bool SincronizarFichero(QFile& fichero)
{
    return fichero.flush();
}

QByteArray ClaveNombre(const QString& nombre)
{
    // NTFS ignores case; its names are counted in UTF-16 units.
    const QString plegado = nombre.toCaseFolded();
    return QByteArray(reinterpret_cast<const char*>(plegado.utf16()), plegado.size() * 2);
}

QList<QByteArray> ClavesCarpeta(const QString& carpeta)
{
    QList<QByteArray> claves;
    const QStringList nombres = QDir(carpeta).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& n : nombres)
        claves.append(ClaveNombre(n));
    return claves;
}

qsizetype LargoMaximoClave(const QString&)
{
    return 255 * 2;
}

#else

namespace {

int ConErrno(int resultado)
{
    return resultado == 0 ? 0 : errno;
}

const LlamadasRenombrar Sistema{
    [](const char* a, const char* b) {
        return ConErrno(renameat2(AT_FDCWD, a, AT_FDCWD, b, RENAME_NOREPLACE));
    },
    [](const char* a, const char* b) { return ConErrno(std::rename(a, b)); },
    // linkat without AT_SYMLINK_FOLLOW links a symlink itself, never its target.
    [](const char* a, const char* b) { return ConErrno(linkat(AT_FDCWD, a, AT_FDCWD, b, 0)); },
    [](const char* ruta) { return ConErrno(unlink(ruta)); },
    [](const char* ruta) {
        struct stat st;
        return ConErrno(lstat(ruta, &st));
    },
    [](const char* a, const char* b) {
        struct stat sa, sb;
        return lstat(a, &sa) == 0 && lstat(b, &sb) == 0 && sa.st_dev == sb.st_dev
            && sa.st_ino == sb.st_ino;
    },
};

ResultadoSistema Error(int codigo)
{
    return {false, QString::fromLocal8Bit(std::strerror(codigo))};
}

}  // namespace

ResultadoSistema RenombrarSinSobrescribir(const QString& desde, const QString& hacia)
{
    return RenombrarSinSobrescribir(desde, hacia, Sistema);
}

ResultadoSistema RenombrarSinSobrescribir(const QString& desde, const QString& hacia,
                                          const LlamadasRenombrar& llamadas)
{
    const QByteArray a = QFile::encodeName(desde);
    const QByteArray b = QFile::encodeName(hacia);
    if (a == b) {
        const int codigo = llamadas.estado(a.constData());
        return codigo == 0 ? ResultadoSistema{} : Error(codigo);
    }
    int codigo = llamadas.renombrarSinReemplazo(a.constData(), b.constData());
    if (codigo == EEXIST && llamadas.mismoArchivo(a.constData(), b.constData())) {
        // Both names lead to one file: a change of letter case on a file system that
        // ignores case. Nothing else can be replaced.
        codigo = llamadas.renombrar(a.constData(), b.constData());
    } else if (codigo == EINVAL || codigo == ENOSYS) {
        // The file system cannot refuse to replace: a hard link fails on an existing target
        // just as atomically, and the old name goes once the new one stands.
        codigo = llamadas.enlazar(a.constData(), b.constData());
        if (codigo == 0) {
            codigo = llamadas.borrar(a.constData());
            if (codigo != 0)
                llamadas.borrar(b.constData());
        }
    }
    return codigo == 0 ? ResultadoSistema{} : Error(codigo);
}

bool SincronizarFichero(QFile& fichero)
{
    return fichero.flush() && fsync(fichero.handle()) == 0;
}

QByteArray ClaveNombre(const QString& nombre)
{
    return QFile::encodeName(nombre);
}

QList<QByteArray> ClavesCarpeta(const QString& carpeta)
{
    QList<QByteArray> claves;
    DIR* dir = opendir(QFile::encodeName(carpeta).constData());
    if (!dir)
        return claves;
    while (const dirent* entrada = readdir(dir)) {
        const QByteArray nombre(entrada->d_name);
        if (nombre != "." && nombre != "..")
            claves.append(nombre);
    }
    closedir(dir);
    return claves;
}

qsizetype LargoMaximoClave(const QString& carpeta)
{
    const long largo = pathconf(QFile::encodeName(carpeta).constData(), _PC_NAME_MAX);
    return largo > 0 ? largo : NAME_MAX;
}

#endif
