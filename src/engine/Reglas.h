#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// The new-name rules of the operations: old name and parameters in, new name out.
// Positions and lengths count Unicode code points, so no rule ever cuts a character in two.

QString ReglaExtension(const QString& viejo, const QString& extension);

// No value when the name does not contain `buscar`: that file is left alone.
std::optional<QString> ReglaCadena(const QString& viejo, const QString& buscar,
                                   const QString& reemplazo);

enum ModoAnadir : quint8 { ModoFinal = 1, ModoPrincipio = 2, ModoPosicion = 3 };
QString ReglaAnadir(const QString& viejo, const QString& texto, quint8 modo, quint8 posicion);

// The pattern split once where the number goes: at its first "*" (which is dropped), else
// before its last ".", else at its end.
struct PatronGenerar {
    explicit PatronGenerar(const QString& patron);
    QString prefijo;
    QString sufijo;
};
// Digits of the running numbers: the length of desde + numArchivos written in decimal, one
// past the last number used. The caller keeps that sum within 16 bits.
int AnchoNumeros(qint16 desde, qint16 numArchivos);
QString ReglaGenerar(const PatronGenerar& patron, int numero, int ancho);

// Letters converted, the extension's too; a character that is half of one (a byte of a name
// that is not text, as the program holds it) kept where it stands.
QString ReglaMayusculas(const QString& viejo, bool mayusculas);
