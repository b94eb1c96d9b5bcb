#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// A file name on Linux is a string of bytes. The program holds it as text: the bytes that are
// valid UTF-8 as the characters they encode, and each byte that is not as a character of its
// own, the lone low surrogate U+DC80 to U+DCFF, which no valid UTF-8 ever decodes to. So the
// name rules change the text parts and carry those bytes along where they stand, and the
// system gets back the very bytes it gave.

QString NombreDesdeBytes(const QByteArray& bytes);
QByteArray BytesDeNombre(QStringView nombre);
// The same bytes appended to `destino`, which a caller may reuse from one name to the next.
void AnadirBytesDeNombre(QByteArray& destino, QStringView nombre);

// The length of the valid UTF-8 character at `i` (1 for ASCII), or 0 when the byte there
// starts none: a stray continuation, an overlong form, a surrogate, beyond U+10FFFF, cut short.
int LargoUtf8(QByteArrayView bytes, qsizetype i);

// A name or path as the program shows it, on one line and telling such names apart: a byte
// that is not text as "\xE9", a control character as "\n", "\t", "\r" or "\x1B".
QString NombreVisible(QStringView nombre);

// The path a "file:" URI names ("file:///ruta", "file://localhost/ruta", "file:/ruta"), each
// "%XX" turned back into its very byte: a name that is not UTF-8 stays the bytes it is. None
// for a URI of another scheme or of another machine.
std::optional<QByteArray> RutaDeUri(QByteArrayView uri);
