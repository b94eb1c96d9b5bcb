#pragma once

#include <QList>
#include <QString>

#include <optional>

// What an operation asks for one selected file, in list order: its name, and the new one
// (none when the operation leaves the file alone).
struct Renombre {
    QString viejo;
    std::optional<QString> nuevo;
};

// One step of a planned run. A file is renamed once (Directo), or, to break a cycle, set apart
// under a name of the run's own first (Apartar) and given its new name last (DesdeApartado);
// a file the operation leaves alone is only passed (Ninguno).
struct PasoPlan {
    enum class Tipo : quint8 { Directo, Apartar, DesdeApartado, Ninguno };
    qsizetype archivo;  // its place in the list
    Tipo tipo;
};

// The order of a run's renames, so that renumbering a series into its own names works: a file
// whose new name another selected file holds, one that this run moves away, waits until that
// file has moved; in a cycle (a swap, a rotation) one file is set apart first. Of two files
// given one name the first in list order gets it, and the second is tried right after it, to
// fail. Everything else keeps list order. Names that differ in case alone are one name where
// the folder ignores case. Every file has exactly one step that ends it (all but Apartar);
// linear in the number of files.
QList<PasoPlan> Planificar(const QList<Renombre>& renombres, bool ignoraMayusculas);
