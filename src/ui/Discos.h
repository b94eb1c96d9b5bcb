#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A drive of the drive list: a mounted volume, its mount point standing for the drive root.
struct Disco {
    QString raiz;    // mount point, with "/" separators
    QString nombre;  // the volume's label; often empty
};

// The drives the selection dialog offers. In test mode a fixed list takes the place of the
// machine's volumes, so a test can offer one that cannot be entered.
class Discos {
public:
    // The mounted volumes the user can enter, sorted by mount point; the volumes holding
    // `rutas` are always among them, even where the system leaves them out of its list.
    static QList<Disco> Lista(const QStringList& rutas);
    // True when the volume is still mounted and ready, and its root can be entered.
    static bool Disponible(const QString& raiz);
    // The mount point in `discos` that holds `ruta`; empty when none does.
    static QString RaizDe(const QList<Disco>& discos, const QString& ruta);

    static void ModoPrueba(bool activo, const QList<Disco>& discos = {});
};
