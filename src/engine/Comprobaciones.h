#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// True when the text holds none of the characters that a file name may not hold:
// \ / * : ? < > |
bool NombreValido(QStringView texto);

// A "Generar:" pattern: the text before its first "*" (all of it without one) must be a
// valid name, and there may be at most one "*".
bool PatronValido(QStringView patron);

// A typed number, read leniently: blanks, tabs and line feeds are ignored anywhere; then a
// sign, digits, one period and an exponent are taken from the start, "&H" and "&O" read a
// hexadecimal or octal whole number, and reading stops at the first character that cannot
// go on. No number at all gives 0.
double LeerNumero(QStringView texto);

// LeerNumero rounded to a whole number, a half going to the even neighbour; no value when it
// falls outside minimo..maximo.
std::optional<int> LeerEntero(QStringView texto, int minimo, int maximo);
