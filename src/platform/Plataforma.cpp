#include "platform/Plataforma.h"

#include "platform/Nombres.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

#include <cerrno>
#include <csignal>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>


namespace {

int ConErrno(int resultado)
{
    return resultado == 0 ? 0 : errno;
}

int EstadoDe(int carpeta, const char* nombre, struct stat& st)
{
    return ConErrno(fstatat(carpeta, nombre, &st, AT_SYMLINK_NOFOLLOW));
}

int Listar(int carpeta, QList<QByteArray>& nombres, QList<quint64>* inodos = nullptr)
{
    const int fd = ::openat(carpeta, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    DIR* dir = fdopendir(fd);
    if (!dir) {
        const int codigo = errno;
        ::close(fd);
        return codigo;
    }
    while (const dirent* entrada = readdir(dir)) {
        const QByteArray nombre(entrada->d_name);
        if (nombre == "." || nombre == "..")
            continue;
        nombres.append(nombre);
        if (inodos)
            inodos->append(entrada->d_ino);
    }
    closedir(dir);
    return 0;
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
    [](int c, QList<QByteArray>& nombres) { return Listar(c, nombres); },
    [](int c, const char* nombre) {
        const int f = ::openat(c, nombre, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (f < 0)
            return errno;
        ::close(f);
        return 0;
    },
    [](int c, const char* nombre) {
        struct stat st;
        if (EstadoDe(c, nombre, st) != 0 || !S_ISREG(st.st_mode) || st.st_size != 0)
            return EEXIST;
        return ConErrno(unlinkat(c, nombre, 0));
    },
};

ResultadoSistema Error(int codigo)
{
    return {false, QString::fromLocal8Bit(std::strerror(codigo)), codigo};
}

}  // namespace

QString TextoDelSistema(Causa causa)
{
    static constexpr int Codigos[] = {EEXIST, ENOENT, ENAMETOOLONG, EACCES, EPERM, EROFS};
    return Error(Codigos[int(causa)]).razon;
}

const LlamadasRenombrar& LlamadasDelSistema()
{
    return Sistema;
}

CarpetaAbierta::CarpetaAbierta(const QString& ruta, const LlamadasRenombrar& llamadas)
    : llamadas(llamadas)
{
    fd = ::open(BytesDeNombre(ruta).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        errorApertura = errno;
    constexpr long Fuse = 0x65735546;
    struct statfs sf;
    enEspacioDeUsuario = fd >= 0 && ::fstatfs(fd, &sf) == 0 && sf.f_type == Fuse;
}

CarpetaAbierta::~CarpetaAbierta()
{
    if (fd >= 0)
        ::close(fd);
}

ResultadoSistema CarpetaAbierta::Renombrar(QStringView viejo, QStringView nuevo)
{
    const QByteArray reservado = ".brindlewick-" + QByteArray::number(::getpid()) + '-' + QByteArray::number(fd);
    return Renombrar(BytesDeNombre(viejo).constData(), BytesDeNombre(nuevo).constData(), reservado.constData());
}

ResultadoSistema CarpetaAbierta::Renombrar(const char* a, const char* b, const char* reservado)
{
    if (fd < 0)
        return Error(errorApertura);
    if (std::strcmp(a, b) == 0) {
        const int codigo = llamadas.estado(fd, a);
        return codigo == 0 ? ResultadoSistema{} : Error(codigo);
    }
    int codigo = SinReemplazo(a, b);
    if (codigo == EEXIST && NombreDesdeBytes(a).compare(NombreDesdeBytes(b), Qt::CaseInsensitive) == 0)
        codigo = CambiarMayusculas(a, b, reservado);
    if (codigo != 0)
        return Error(codigo);
    if (mayusculas != Mayusculas::SinProbar) {
        listado.remove(QByteArray(a));
        listado.insert(QByteArray(b));
    }
    return {};
}

quint64 HashNombre(QByteArrayView nombre)
{
    // FNV-1a: a few instructions a byte, and 64 bits make two names of one folder meet
    // practically never.
    quint64 h = 14695981039346656037ULL;
    for (const char c : nombre)
        h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    return h;
}

ResultadoSistema CarpetaAbierta::QuitarReserva(QStringView nombre)
{
    const int codigo = fd < 0 ? errorApertura : llamadas.quitarReserva(fd, BytesDeNombre(nombre).constData());
    return codigo == 0 ? ResultadoSistema{} : Error(codigo);
}

ResultadoSistema CarpetaAbierta::Abierta() const
{
    return fd >= 0 ? ResultadoSistema{} : Error(errorApertura);
}

QHash<quint64, quint64> CarpetaAbierta::Presentes() const
{
    QHash<quint64, quint64> presentes;
    const int lista = fd < 0 ? -1 : ::openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = lista >= 0 ? fdopendir(lista) : nullptr;
    if (!dir) {
        if (lista >= 0)
            ::close(lista);
        return presentes;
    }
    // Hashed as they come: no copy of each name.
    while (const dirent* entrada = readdir(dir))
        presentes.insert(HashNombre(entrada->d_name), entrada->d_ino);
    closedir(dir);
    return presentes;
}

// A driver that cannot refuse to replace answers the flag with EINVAL. A hard link then fails
// on an existing target just as atomically, and the old name goes once the new one stands.
// Without links either (exFAT, FAT), the new name is reserved first, by creating it, which
// fails on any spelling of a name taken; then the file is renamed over that empty file of its
// own, which is removed again, while still empty, when the rename fails. The way that works
// is kept for the folder's next renames. A kill between the two steps leaves the reservation:
// the run's plan names it, and its undo takes it away.
int CarpetaAbierta::SinReemplazo(const char* a, const char* b)
{
    int codigo = 0;
    if (modo == Modo::SinReemplazo) {
        codigo = llamadas.renombrarSinReemplazo(fd, a, b);
        if (codigo != EINVAL && codigo != ENOSYS)
            return codigo;
        modo = Modo::Enlace;
    }
    if (modo == Modo::Enlace) {
        codigo = llamadas.enlazar(fd, a, b);
        if (codigo == 0) {
            codigo = llamadas.borrar(fd, a);
            if (codigo != 0)
                llamadas.borrar(fd, b);
            return codigo;
        }
        if (codigo != EPERM && codigo != EOPNOTSUPP && codigo != ENOSYS)
            return codigo;
        modo = Modo::Reserva;
    }
    codigo = llamadas.reservar(fd, b);
    if (codigo != 0)
        return codigo;
    codigo = llamadas.renombrar(fd, a, b);
    if (codigo != 0)
        llamadas.quitarReserva(fd, b);
    return codigo;
}

// The system says the new name is taken, and it differs from the old one in letter case
// alone: another entry holds it, or the folder ignores case and found this very file. Only
// the listing tells the two apart: the two names of one file need not share an inode number,
// and two hard links of one file do.
int CarpetaAbierta::CambiarMayusculas(const char* a, const char* b, const char* reservado)
{
    const QByteArray hacia(b);
    if (mayusculas == Mayusculas::SinProbar) {
        QList<QByteArray> nombres;
        if (llamadas.listar(fd, nombres) != 0)
            return EEXIST;
        listado = QSet<QByteArray>(nombres.cbegin(), nombres.cend());
        // Taken, yet listed under no such name: the folder found it by ignoring case. Where
        // case counts, a fresh listing always holds the name that the system found taken.
        if (!listado.contains(hacia))
            mayusculas = Mayusculas::Ignora;
    }
    if (mayusculas == Mayusculas::SinProbar || listado.contains(hacia))
        return EEXIST;
    // A driver in user space may botch a rename to another case of the same name (fusefat
    // leaves the entry pointing at freed space): two renames to other names instead.
    if (mayusculas == Mayusculas::IgnoraSinEfecto || enEspacioDeUsuario)
        return PorTemporal(a, b, reservado);
    // Only this file answers to the new name, so a plain rename can replace nothing else.
    const int codigo = llamadas.renombrar(fd, a, b);
    if (codigo != 0 || mayusculas == Mayusculas::IgnoraDirecto)
        return codigo == 0 ? 0 : PorTemporal(a, b, reservado);
    // Some file systems report success and keep the old case: the first rename is checked.
    QList<QByteArray> nombres;
    llamadas.listar(fd, nombres);
    if (nombres.contains(hacia)) {
        mayusculas = Mayusculas::IgnoraDirecto;
        return 0;
    }
    mayusculas = Mayusculas::IgnoraSinEfecto;
    return PorTemporal(a, b, reservado);
}

// A change of case in two steps, through a name of the run's own that nothing else holds.
int CarpetaAbierta::PorTemporal(const char* a, const char* b, const char* reservado)
{
    if (!reservado)
        return EEXIST;
    int codigo = SinReemplazo(a, reservado);
    if (codigo != 0)
        return codigo;
    codigo = SinReemplazo(reservado, b);
    if (codigo != 0)
        SinReemplazo(reservado, a);
    return codigo;
}

ResultadoSistema EnlazarEnLugarDe(const QString& desde, const QString& hacia)
{
    const QByteArray a = BytesDeNombre(desde), b = BytesDeNombre(hacia);
    const QByteArray temporal = b + '.' + QByteArray::number(::getpid());
    ::unlink(temporal.constData());  // left by a process that died here with this number
    if (::link(a.constData(), temporal.constData()) != 0) {
        // Relative, so that the data folder can move with its history.
        const QByteArray relativo = BytesDeNombre(QFileInfo(hacia).dir().relativeFilePath(desde));
        if (::symlink(relativo.constData(), temporal.constData()) != 0)
            return Error(errno);
    }
    if (::rename(temporal.constData(), b.constData()) != 0) {
        const ResultadoSistema r = Error(errno);
        ::unlink(temporal.constData());
        return r;
    }
    return {};
}

namespace {

// A name as the system's tables write it, some bytes as a backslash and a code: "\040" (octal,
// the table of mounts) or "\x20" (hexadecimal, the links of the volumes' labels).
QString Desescapar(const QByteArray& campo)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < campo.size(); ++i) {
        const bool hexadecimal = campo.mid(i, 2) == "\\x";
        const qsizetype inicio = i + 1 + hexadecimal, cifras = hexadecimal ? 2 : 3;
        bool ok = campo[i] == '\\' && inicio + cifras <= campo.size();
        const int valor = ok ? campo.mid(inicio, cifras).toInt(&ok, hexadecimal ? 16 : 8) : 0;
        if (ok) {
            bytes += char(valor);
            i = inicio + cifras - 1;
        } else {
            bytes += campo[i];
        }
    }
    return NombreDesdeBytes(bytes);
}

}  // namespace

QList<Montaje> LeerMontajes()
{
    QList<Montaje> montajes;
    QFile tabla(QStringLiteral("/proc/self/mountinfo"));
    if (!tabla.open(QIODevice::ReadOnly))
        return montajes;
    // "id parent major:minor root mount-point options [optional...] - type source options"
    for (const QByteArray& linea : tabla.readAll().split('\n')) {
        const QList<QByteArray> campos = linea.split(' ');
        const qsizetype guion = campos.indexOf("-");
        if (campos.size() < 5 || guion < 5 || guion + 2 >= campos.size())
            continue;
        montajes.append({Desescapar(campos[4]), Desescapar(campos[guion + 1]), Desescapar(campos[guion + 2])});
    }
    return montajes;
}

QHash<QString, QString> EtiquetasDeVolumenes()
{
    QHash<QString, QString> etiquetas;
    const QDir porEtiqueta(QStringLiteral("/dev/disk/by-label"));
    for (const QFileInfo& e : porEtiqueta.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        etiquetas.insert(e.canonicalFilePath(), Desescapar(BytesDeNombre(e.fileName())));
    return etiquetas;
}

Sonda::Sonda(const QString& ruta)
{
    reloj.start();
    const QByteArray camino = BytesDeNombre(ruta);
    int tubo[2];
    if (::pipe2(tubo, O_CLOEXEC) != 0) {
        respuesta = false;
        return;
    }
    // The child starts a grandchild and goes at once: the one that may hang for ever is no
    // child of ours, so nothing is left to reap. Between fork and exit only what is safe
    // there; every descriptor but the answer's closed first, lest a hung process hold a lock
    // of ours, or the pipe of whoever reads our output.
    const pid_t hijo = ::fork();
    if (hijo == 0) {
        ::dup2(tubo[1], 3);
        ::close_range(0, 2, 0);
        ::close_range(4, ~0U, 0);
        struct sigaction callar {};  // an answer nobody reads any more is no crash
        callar.sa_handler = SIG_IGN;
        ::sigaction(SIGPIPE, &callar, nullptr);
        if (::fork() != 0)
            ::_exit(0);
        struct stat st;
        const char si = ::stat(camino.constData(), &st) == 0 && S_ISDIR(st.st_mode)
                && ::access(camino.constData(), R_OK | X_OK) == 0 ? '1' : '0';
        [[maybe_unused]] const ssize_t n = ::write(3, &si, 1);
        ::_exit(0);
    }
    ::close(tubo[1]);
    if (hijo < 0) {
        ::close(tubo[0]);
        respuesta = false;
        return;
    }
    ::waitpid(hijo, nullptr, 0);
    lectura = tubo[0];
}

Sonda::~Sonda()
{
    if (lectura >= 0)
        ::close(lectura);
}

std::optional<bool> Sonda::Respuesta()
{
    if (!respuesta && lectura >= 0) {
        pollfd p{lectura, POLLIN, 0};
        char si = '0';
        if (::poll(&p, 1, 0) > 0)
            respuesta = ::read(lectura, &si, 1) == 1 && si == '1';
    }
    return respuesta;
}

bool VacioRegular(const QString& carpeta, const QString& nombre)
{
    struct stat st;
    return ::lstat(BytesDeNombre(QDir(carpeta).filePath(nombre)).constData(), &st) == 0 && S_ISREG(st.st_mode)
        && st.st_size == 0;
}

bool SinSoporte(const ResultadoSistema& r)
{
    return r.codigo == EPERM || r.codigo == ENOSYS || r.codigo == EOPNOTSUPP;
}

Cerrojo::Cerrojo(const QString& ruta)
{
    fd = ::open(BytesDeNombre(ruta).constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        fd = -1;
    }
}

Cerrojo::~Cerrojo()
{
    if (fd >= 0)
        ::close(fd);
}

bool Bloqueado(const QString& ruta)
{
    const int fd = ::open(BytesDeNombre(ruta).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool libre = ::flock(fd, LOCK_SH | LOCK_NB) == 0;
    ::close(fd);
    return !libre;
}

ResultadoSistema EscribirEntero(const QString& ruta, const QByteArray& bytes, bool sincronizar)
{
    const QByteArray destino = BytesDeNombre(ruta);
    const QByteArray temporal = destino + ".brindlewick-" + QByteArray::number(::getpid());
    const int fd = ::open(temporal.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return Error(errno);
    int codigo = 0;
    for (qsizetype hecho = 0; codigo == 0 && hecho < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + hecho, size_t(bytes.size() - hecho));
        if (n > 0)
            hecho += n;
        else if (n < 0 && errno != EINTR)
            codigo = errno;
    }
    if (codigo == 0 && sincronizar && ::fdatasync(fd) != 0)
        codigo = errno;
    if (::close(fd) != 0 && codigo == 0)
        codigo = errno;
    if (codigo == 0 && ::rename(temporal.constData(), destino.constData()) != 0)
        codigo = errno;
    if (codigo != 0) {
        ::unlink(temporal.constData());
        return Error(codigo);
    }
    // The new name itself lives in the folder, which is synced in turn.
    if (sincronizar) {
        const int carpeta = ::open(BytesDeNombre(QFileInfo(ruta).path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (carpeta >= 0) {
            ::fsync(carpeta);
            ::close(carpeta);
        }
    }
    return {};
}


QByteArray ClaveNombre(const QString& nombre, bool ignoraMayusculas)
{
    return BytesDeNombre(ignoraMayusculas ? nombre.toCaseFolded() : nombre);
}

QList<EntradaCarpeta> ListarCarpeta(const QString& ruta)
{
    QList<EntradaCarpeta> entradas;
    const int fd = ::open(BytesDeNombre(ruta).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd >= 0 ? fdopendir(fd) : nullptr;
    if (!dir) {
        if (fd >= 0)
            ::close(fd);
        return entradas;
    }
    while (const dirent* entrada = readdir(dir)) {
        const QByteArray nombre(entrada->d_name);
        if (nombre == "." || nombre == "..")
            continue;
        bool carpeta = entrada->d_type == DT_DIR;
        if (entrada->d_type == DT_LNK || entrada->d_type == DT_UNKNOWN) {
            struct stat st;  // a link followed: one to a folder lists as a folder
            carpeta = fstatat(fd, entrada->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        entradas.append({NombreDesdeBytes(nombre), carpeta});
    }
    closedir(dir);
    return entradas;
}

bool Entrable(const QString& ruta)
{
    const QByteArray b = BytesDeNombre(ruta);
    struct stat st;
    return ::stat(b.constData(), &st) == 0 && S_ISDIR(st.st_mode) && ::access(b.constData(), R_OK | X_OK) == 0;
}

ClaseRuta ClaseDeRuta(const QString& ruta)
{
    const QByteArray b = BytesDeNombre(ruta);
    struct stat st;
    if (::lstat(b.constData(), &st) != 0)
        return ClaseRuta::Nada;
    return S_ISDIR(st.st_mode) || (S_ISLNK(st.st_mode) && ::stat(b.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        ? ClaseRuta::Carpeta
        : ClaseRuta::Archivo;
}

namespace {

// What a name the folder holds tells of its case rule: that name with its letters' case turned
// round is looked up; where the system finds it, the listing (`listado`, or a fresh one) tells
// whether it is another entry. Nothing from a name without letters or one that is gone.
std::optional<bool> ProbarMayusculas(int fd, const QString& nombre, const QList<QByteArray>* listado)
{
    const QByteArray bytes = BytesDeNombre(nombre);
    const QByteArray vuelta = BytesDeNombre(nombre == nombre.toUpper() ? nombre.toLower() : nombre.toUpper());
    struct stat st;
    if (vuelta == bytes || EstadoDe(fd, bytes.constData(), st) != 0)
        return std::nullopt;
    if (EstadoDe(fd, vuelta.constData(), st) != 0)
        return false;
    QList<QByteArray> fresco;
    if (!listado && Listar(fd, fresco) != 0)
        return std::nullopt;
    return !(listado ? *listado : fresco).contains(vuelta);
}

}  // namespace

bool IgnoraMayusculas(const QString& carpeta, const QStringList& nombres)
{
    const int fd = ::open(BytesDeNombre(carpeta).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    std::optional<bool> ignora;
    for (qsizetype i = 0; fd >= 0 && !ignora && i < nombres.size(); ++i)
        ignora = ProbarMayusculas(fd, nombres[i], nullptr);
    if (fd >= 0)
        ::close(fd);
    return ignora.value_or(false);
}

NombresCarpeta LeerNombresCarpeta(const QString& ruta)
{
    NombresCarpeta carpeta;
    const int fd = ::open(BytesDeNombre(ruta).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return carpeta;
    Listar(fd, carpeta.nombres, &carpeta.inodos);
    std::optional<bool> ignora;
    for (qsizetype i = 0; !ignora && i < carpeta.nombres.size(); ++i)
        ignora = ProbarMayusculas(fd, NombreDesdeBytes(carpeta.nombres[i]), &carpeta.nombres);
    carpeta.ignoraMayusculas = ignora.value_or(false);
    const long largo = fpathconf(fd, _PC_NAME_MAX);
    carpeta.largoMaximo = largo > 0 ? largo : NAME_MAX;
    carpeta.sinEscritura = ::access(BytesDeNombre(ruta).constData(), W_OK) == 0 ? 0 : errno;
    ::close(fd);
    return carpeta;
}

