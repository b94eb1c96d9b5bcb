#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QtGlobal>

// The log file: lines of comma-separated fields ending in CR LF, text fields in double
// quotes. A temporary log starts with two header lines (the selection count, the folder); a
// saved log holds rename records only. Written in UTF-8.

// Marks the second field of a failed rename.
inline constexpr QStringView MarcaFallo = u"<#FAILED#>";

QByteArray CabeceraLog(qint16 numArchivos, const QString& carpeta);
QByteArray LineaRegistro(QStringView campo1, QStringView campo2);
// The same line appended to `destino`, which a caller may reuse from one record to the next.
void AnadirRegistro(QByteArray& destino, QStringView campo1, QStringView campo2);
// The same from the names' very bytes.
void AnadirRegistroBytes(QByteArray& destino, QByteArrayView campo1, QByteArrayView campo2);
// Second field of a failure record: the name the rename was to give, the marker, the reason.
QString CampoFallo(const QString& nuevo, const QString& razon);

struct Registro {
    QString viejo;  // field 1: the name before the rename
    QString nuevo;  // field 2: the name after it
    // Exactly two quoted fields and nothing after them, as a writer writes a line.
    bool completo = false;
    // The line holds the failure marker somewhere: a failed rename, never undone.
    bool fallo = false;
    // A success record that may be undone: complete, and no failure marker in its line.
    bool deshacible = false;
};

struct LogLeido {
    qint16 numArchivos = 0;  // header line 1; 0 when there is no header or it is unreadable
    QList<Registro> registros;
};

// Reads a log's bytes: UTF-8 when they are valid UTF-8, else Windows-1252 (logs written by
// the Windows program of old). A line that no writer produces is returned as a record that
// may not be undone, and reading goes on with the next line.
LogLeido LeerLog(const QByteArray& bytes, bool conCabecera);
