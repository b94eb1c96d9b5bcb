#include "platform/Plataforma.h"

#include <QFile>
#include <QStringEncoder>

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

CarpetaAbierta::CarpetaAbierta(const QString& ruta) : ruta(ruta) {}

CarpetaAbierta::~CarpetaAbierta() = default;

ResultadoSistema CarpetaAbierta::Renombrar(QStringView viejo, QStringView nuevo)
{
    const QString desde = ruta + viejo, hacia = ruta + nuevo;
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

int EstadoDe(int carpeta, const char* nombre, struct stat& st)
{
    return ConErrno(fstatat(carpeta, nombre, &st, AT_SYMLINK_NOFOLLOW));
}

const LlamadasRenombrar Sistema{
    [](int c, const char* a, const char* b) {
        return ConErrno(renameat2(c, a, c, b, RENAME_NOREPLACE));
    },
    [](int c, const char* a, const char* b) { return ConErrno(renameat(c, a, c, b)); },
    // Without AT_SYMLINK_FOLLOW a symlink itself is linked, never its target.
    [](int c, const char* a, const char* b) { return ConErrno(linkat(c, a, c, b, 0)); },
    [](int c, const char* nombre) { return ConErrno(unlinkat(c, nombre, 0)); },
    [](int c, const char* nombre) {
        struct stat st;
        return EstadoDe(c, nombre, st);
    },
    [](int c, const char* a, const char* b) {
        struct stat sa, sb;
        return EstadoDe(c, a, sa) == 0 && EstadoDe(c, b, sb) == 0 && sa.st_dev == sb.st_dev
            && sa.st_ino == sb.st_ino;
    },
};

ResultadoSistema Error(int codigo)
{
    return {false, QString::fromLocal8Bit(std::strerror(codigo))};
}

// The name in the file system's encoding, NUL-terminated, in a buffer reused call after call.
const char* Codificar(QByteArray& destino, QStringView nombre)
{
    QStringEncoder utf8(QStringEncoder::Utf8);
    destino.resize(utf8.requiredSpace(nombre.size()) + 1);
    char* fin = utf8.appendToBuffer(destino.data(), nombre);
    *fin = '\0';
    destino.resize(fin - destino.constData());
    return destino.constData();
}

}  // namespace

const LlamadasRenombrar& LlamadasDelSistema()
{
    return Sistema;
}

CarpetaAbierta::CarpetaAbierta(const QString& ruta, const LlamadasRenombrar& llamadas)
    : llamadas(llamadas)
{
    fd = ::open(QFile::encodeName(ruta).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        errorApertura = errno;
}

CarpetaAbierta::~CarpetaAbierta()
{
    if (fd >= 0)
        ::close(fd);
}

ResultadoSistema CarpetaAbierta::Renombrar(QStringView viejo, QStringView nuevo)
{
    if (fd < 0)
        return Error(errorApertura);
    const char* a = Codificar(desde, viejo);
    const char* b = Codificar(hacia, nuevo);
    if (desde == hacia) {
        const int codigo = llamadas.estado(fd, a);
        return codigo == 0 ? ResultadoSistema{} : Error(codigo);
    }
    int codigo = llamadas.renombrarSinReemplazo(fd, a, b);
    if (codigo == EEXIST && viejo.compare(nuevo, Qt::CaseInsensitive) == 0
        && llamadas.mismoArchivo(fd, a, b)) {
        // Both names lead to one file: a change of letter case on a file system that ignores
        // case. Two hard links of one file are no such case: there the plain rename would do
        // nothing and report success.
        codigo = llamadas.renombrar(fd, a, b);
    } else if (codigo == EINVAL || codigo == ENOSYS) {
        // The file system cannot refuse to replace: a hard link fails on an existing target
        // just as atomically, and the old name goes once the new one stands.
        codigo = llamadas.enlazar(fd, a, b);
        if (codigo == 0) {
            codigo = llamadas.borrar(fd, a);
            if (codigo != 0)
                llamadas.borrar(fd, b);
        }
    }
    return codigo == 0 ? ResultadoSistema{} : Error(codigo);
}

bool SincronizarFichero(QFile& fichero)
{
    return fichero.flush() && fdatasync(fichero.handle()) == 0;
}

QByteArray ClaveNombre(const QString& nombre)
{
    QByteArray clave;
    Codificar(clave, nombre);
    return clave;
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
