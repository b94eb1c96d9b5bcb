#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Sonda;

// A drive of the drive list: a mounted volume, its mount point standing for the drive root.
struct Disco {
    QString raiz;    // mount point, with "/" separators
    QString nombre;  // the volume's label; often empty
};

// The drives the selection dialog offers. In test mode a fixed list takes the place of the
// machine's volumes, so a test can offer one that cannot be entered.
class Discos {
public:
    // The mounted volumes a user may choose, sorted by mount point, read from the system's
    // table of mounts without asking any volume anything (a share whose server went away
    // answers nothing); the volumes holding `rutas` are always among them.
    static QList<Disco> Lista(const QStringList& rutas);
    // How long a volume is given to answer, in ms.
    static constexpr int EsperaMaxima = 2000;
    // Whether the volume is still mounted and ready, and its root can be entered, as `sonda`
    // (a question put to that root) answers: waited for while the window goes on, until
    // EsperaMaxima ms after it was asked. None when it did not answer in time.
    static std::optional<bool> Disponible(const QString& raiz, Sonda& sonda);
    // The mount point in `discos` that holds `ruta`; empty when none does.
    static QString RaizDe(const QList<Disco>& discos, const QString& ruta);

    static void ModoPrueba(bool activo, const QList<Disco>& discos = {});
};
