#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringView>

#include <optional>


// Everything that is neither Qt nor the C++ library lives behind these functions.

// Never dropped unread: a call whose failure does not matter says so where it is made.
struct [[nodiscard]] ResultadoSistema {
    bool ok = true;
    QString razon;    // the system's description of the error when not ok
    int codigo = 0;   // its errno value, where the system gave one
};

// The usual reasons a rename fails; TextoDelSistema gives the system's own words for each,
// as a log records them.
enum class Causa : quint8 { Existe, NoExiste, NombreLargo, Permiso, NoPermitido, SoloLectura };
QString TextoDelSistema(Causa causa);

// The system calls behind a rename, replaceable so that tests reach the branches this
// machine's file systems never take. Names are relative to the open folder `carpeta`; each
// call returns 0 or an errno value.
struct LlamadasRenombrar {
    int (*renombrarSinReemplazo)(int carpeta, const char* desde, const char* hacia);
    int (*renombrar)(int carpeta, const char* desde, const char* hacia);
    int (*enlazar)(int carpeta, const char* desde, const char* hacia);
    int (*borrar)(int carpeta, const char* nombre);
    int (*estado)(int carpeta, const char* nombre);  // 0 when the name exists
    // The names the folder holds, exactly as its listing gives them; an errno value when it
    // can't be read.
    int (*listar)(int carpeta, QList<QByteArray>& nombres);
    // Creates the name as an empty file, refused (EEXIST) where any entry holds it.
    int (*reservar)(int carpeta, const char* nombre);
    // Removes the name only while it is an empty file, as reservar left it.
    int (*quitarReserva)(int carpeta, const char* nombre);
};
const LlamadasRenombrar& LlamadasDelSistema();

// The folder whose files a run renames, opened once. Each rename names its files relative
// to it: no rename can leave it, and the system need not walk its path again for every file.
class CarpetaAbierta {
public:
    explicit CarpetaAbierta(const QString& ruta,
                            const LlamadasRenombrar& llamadas = LlamadasDelSistema());
    ~CarpetaAbierta();
    CarpetaAbierta(const CarpetaAbierta&) = delete;
    CarpetaAbierta& operator=(const CarpetaAbierta&) = delete;

    // Renames the file `viejo` to `nuevo` (bare names, as bytes) in one atomic step that never
    // replaces an existing file, even one that another program creates at the same moment. A
    // rename to the identical name succeeds when the file exists. A change of letter case alone
    // succeeds where the folder ignores case, and fails where another entry holds the new name;
    // where the folder keeps the old case, it goes through `reservado`, a hidden name of the
    // run's own that nothing else holds (without one, it fails as taken).
    ResultadoSistema Renombrar(const char* viejo, const char* nuevo, const char* reservado);
    // The same for names held as text, through a hidden name of this folder's own.
    ResultadoSistema Renombrar(QStringView viejo, QStringView nuevo);
    // Whether the folder could be opened, and why not.
    ResultadoSistema Abierta() const;
    // Removes a name that a rename reserved, only while it is still the empty file it was.
    ResultadoSistema QuitarReserva(QStringView nombre);
    // What the folder holds now: each name, by HashNombre of its very bytes, to the inode
    // number its listing gives; empty when the folder can't be read.
    QHash<quint64, quint64> Presentes() const;

private:
    int SinReemplazo(const char* a, const char* b);
    int CambiarMayusculas(const char* a, const char* b, const char* reservado);
    int PorTemporal(const char* a, const char* b, const char* reservado);

    const LlamadasRenombrar& llamadas;
    int fd = -1;
    int errorApertura = 0;
    // What a change of letter case has taught about this folder, once the first one is seen.
    // Ignora: the folder ignores case, proven by a fresh listing; then whether a direct rename
    // changes the case (Directo) or does nothing (SinEfecto), learnt from the first one.
    enum class Mayusculas { SinProbar, Ignora, IgnoraDirecto, IgnoraSinEfecto };
    Mayusculas mayusculas = Mayusculas::SinProbar;
    // How a rename is kept from replacing a file, learnt from the first rename: by the
    // system's own flag, by a hard link, or by reserving the new name first.
    enum class Modo { SinReemplazo, Enlace, Reserva };
    Modo modo = Modo::SinReemplazo;
    bool enEspacioDeUsuario = false;  // a driver in user space (FUSE): no rename in place of case
    QSet<QByteArray> listado;  // the exact names, kept up to date once the folder ignores case
};

// Gives the file `desde` the name `hacia` too, replacing in one atomic step whatever `hacia`
// was, so that what is written to either name is read under both. A hard link, or where the
// file system has none, a symbolic link.
ResultadoSistema EnlazarEnLugarDe(const QString& desde, const QString& hacia);
// Whether an error says the volume has no such thing (a link on exFAT or FAT), rather than
// that this one failed.
bool SinSoporte(const ResultadoSistema& r);

// Whether the entry `nombre` of the folder is an empty regular file, as a reservation is left.
bool VacioRegular(const QString& carpeta, const QString& nombre);

// A name's bytes, hashed for a table of many names.
quint64 HashNombre(QByteArrayView nombre);

// An exclusive lock on the file at `ruta`, held for as long as this object lives (a process
// that dies lets go of it), unless someone else holds one already.
class Cerrojo {
public:
    explicit Cerrojo(const QString& ruta);
    ~Cerrojo();
    Cerrojo(const Cerrojo&) = delete;
    Cerrojo& operator=(const Cerrojo&) = delete;
    bool Tomado() const { return fd >= 0; }

private:
    int fd = -1;
};
// Whether someone holds a Cerrojo on the file at `ruta`.
bool Bloqueado(const QString& ruta);

// Writes `bytes` as the whole file at `ruta`: first under a name of its own beside it, every
// write checked (a full disk may take part of one and say so only at the next), then put in
// place with one rename, so the file is whole or as it was. With `sincronizar`, on the disk
// itself before it takes the name, and the name too once it has it.
ResultadoSistema EscribirEntero(const QString& ruta, const QByteArray& bytes, bool sincronizar);

// A mounted volume, as the system's table of mounts tells it, read without asking the volume
// anything: a volume that does not answer can't hold it up.
struct Montaje {
    QString raiz;    // its mount point
    QString tipo;    // its file system, as "ext4", "fuseblk" or "fuse.sshfs"
    QString origen;  // the device or share it comes from
};
QList<Montaje> LeerMontajes();
// The labels of the volumes that have one, by the device they come from, read without asking
// the volumes.
QHash<QString, QString> EtiquetasDeVolumenes();

// A question put to a volume in a process of its own: whether the folder `ruta` can be entered
// and read. The asking process never waits on the volume: a volume that does not answer holds
// up a process apart, which holds none of the program's files and goes once the volume answers
// or goes away.
class Sonda {
public:
    explicit Sonda(const QString& ruta);
    ~Sonda();
    Sonda(const Sonda&) = delete;
    Sonda& operator=(const Sonda&) = delete;
    // The answer, once there is one; no when the question could not be put.
    std::optional<bool> Respuesta();
    // How long ago the question was put, in ms.
    qint64 Espera() const { return reloj.elapsed(); }

private:
    int lectura = -1;
    QElapsedTimer reloj;
    std::optional<bool> respuesta;
};

// An entry of a folder, as the selection dialog lists it.
struct EntradaCarpeta {
    QString nombre;        // as NombreDesdeBytes holds it: whatever bytes the name has
    bool carpeta = false;  // a folder, or a link to one
};
// Every entry of the folder, "." and ".." left out, in the order the system gives them; empty
// when the folder can't be read.
QList<EntradaCarpeta> ListarCarpeta(const QString& ruta);
// True for a folder the user can enter and list.
bool Entrable(const QString& ruta);
// What a path names, as the selection dialog tells them apart: nothing, a folder (or a link to
// one), or a file (any other entry, a link that leads nowhere too).
enum class ClaseRuta : quint8 { Nada, Carpeta, Archivo };
ClaseRuta ClaseDeRuta(const QString& ruta);

// A folder's names, for a model of it that renames nothing.
struct NombresCarpeta {
    // Every entry of every kind, "." and ".." left out, as the very bytes the disk holds. Empty
    // when the folder can't be read.
    QList<QByteArray> nombres;
    // Each one's inode number as the listing gives it: a file's identity, on a disk that keeps
    // one (not every driver in user space does).
    QList<quint64> inodos;
    bool ignoraMayusculas = false;  // one name stands for all its spellings in upper and lower case
    qsizetype largoMaximo = 255;    // bytes a name may have
    // Why no name in it can change (a read-only disk, a folder of another user), as the system
    // would say; 0 when names can change.
    int sinEscritura = 0;
};
NombresCarpeta LeerNombresCarpeta(const QString& carpeta);

// Whether the folder ignores case, probed with the first of `nombres` (names it holds) that
// has letters, at the cost of a look-up or two; a listing only where the folder found the name
// in another case.
bool IgnoraMayusculas(const QString& carpeta, const QStringList& nombres);

// A name as a folder tells names apart: the very bytes that a rename hands to the system,
// case-folded where the folder ignores case.
QByteArray ClaveNombre(const QString& nombre, bool ignoraMayusculas);
