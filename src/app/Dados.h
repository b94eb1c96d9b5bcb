#pragma once

// Files handed to the program from outside its selection dialog: named on its command line, as
// a file manager starts it, or dropped on its window.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// The command line, read as the very bytes it was given (a name need not be UTF-8).
struct Argumentos {
    enum class Pide : quint8 { Ventana, Ayuda, Version };
    Pide pide = Pide::Ventana;
    QList<QByteArray> desconocidas;  // options the program does not know
    QList<QByteArray> archivos;      // paths and file:// URIs, in order; all after "--"
};
Argumentos LeerArgumentos(int argc, const char* const* argv);
// What "--help" and "--version" print, and what an unknown option does.
QByteArray TextoAyuda();
QByteArray TextoVersion();
QByteArray TextoOpcionDesconocida(const QByteArray& opcion);

// The entries of a dropped "text/uri-list", its comments left out.
QList<QByteArray> EntradasDeListaUris(QByteArrayView lista);

// Files given, sorted out as the selection dialog would take them.
struct Dados {
    QString carpeta;      // the files' folder as the selection records it, or the folder given alone
    QStringList nombres;  // the files, bare names in the file list's order; none for a folder alone
    QStringList fuera;    // each thing given and left out, with why, as the user reads it
    int carpetas = 0;     // the folders the files lie in: with more than one, none is taken
};
// From paths (a relative one from the current folder) and file:// URIs.
Dados AgruparDados(const QList<QByteArray>& dados);
QString MensajeFuera(const QStringList& fuera);
QString MensajeVariasCarpetas(int carpetas);
