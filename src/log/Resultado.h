#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One file of a finished run, as the run's log tells it.
struct FilaResultado {
    QString actual;  // its name before the run
    QString nuevo;   // the name the run gave it, or was to give it
    QString razon;   // why it failed, in the program's words; empty for a file renamed
};

// The files of the run whose log (with its header) reads `bytes`, one row each, failures
// first, each group in the order of the run. A file renamed in two steps (set apart under a
// name of the run's own first) is one row: a record whose old name an earlier record gave
// is the same file moving on.
QList<FilaResultado> LeerResultado(const QByteArray& bytes);

// A reason as a log records it (the system's words) in the program's words, where it is one
// of the usual ones; any other as it stands.
QString RazonEnPalabras(const QString& razon);
