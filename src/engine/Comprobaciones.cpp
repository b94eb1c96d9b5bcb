#include "engine/Comprobaciones.h"

#include <QByteArray>

#include <cmath>

namespace {

// Value of one digit in the given base, -1 when it is none.
int ValorDigito(QChar c, int base)
{
    const char16_t u = c.unicode();
    int v = -1;
    if (u >= u'0' && u <= u'9')
        v = u - u'0';
    else if (u >= u'a' && u <= u'f')
        v = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        v = u - u'A' + 10;
    return v < base ? v : -1;
}

bool EsDigito(QChar c, int base)
{
    return ValorDigito(c, base) >= 0;
}

double LeerEnBase(QStringView t, int base)
{
    double valor = 0;
    for (QChar c : t) {
        const int v = ValorDigito(c, base);
        if (v < 0)
            break;
        valor = valor * base + v;
    }
    return valor;
}

// Sign, digits, one period and an exponent from the start of `t`, in ASCII.
QByteArray PrefijoDecimal(QStringView t)
{
    QByteArray s;
    qsizetype i = 0;
    const auto digitos = [&] {
        while (i < t.size() && EsDigito(t[i], 10))
            s += char(t[i++].unicode());
    };
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        s += char(t[i++].unicode());
    digitos();
    if (i < t.size() && t[i] == u'.') {
        s += '.';
        ++i;
        digitos();
    }
    // An exponent counts only when digits follow it; "1e" is 1.
    if (i + 1 < t.size() && QStringView(u"eEdD").contains(t[i])) {
        qsizetype j = i + 1;
        if (t[j] == u'+' || t[j] == u'-')
            ++j;
        if (j < t.size() && EsDigito(t[j], 10)) {
            s += 'e';
            s += char(t[i + 1].unicode());
            i += 2;
            digitos();
        }
    }
    return s;
}

// For a number that a double can't hold: whether it is too large rather than too small,
// from the place of its first significant digit and its exponent.
bool DemasiadoGrande(const QByteArray& s)
{
    const qsizetype e = s.indexOf('e');
    const QByteArray mantisa = e < 0 ? s : s.first(e);
    qsizetype primera = 0;
    while (primera < mantisa.size() && !(mantisa[primera] >= '1' && mantisa[primera] <= '9'))
        ++primera;
    if (primera == mantisa.size())
        return false;
    qsizetype punto = mantisa.indexOf('.');
    if (punto < 0)
        punto = mantisa.size();
    // Digits before the point from the first significant one on; negative after the point.
    const qint64 lugar = punto > primera ? punto - primera : punto - primera + 1;
    bool ok = false;
    const QByteArray textoExponente = e < 0 ? QByteArray("0") : s.sliced(e + 1);
    const qint64 exponente = textoExponente.toLongLong(&ok);
    if (!ok)  // an exponent of more digits than 64 bits hold decides alone
        return !textoExponente.startsWith('-');
    return exponente > -lugar;  // lugar + exponente > 0, without overflowing
}

}  // namespace

bool NombreValido(QStringView texto)
{
    for (QChar c : QStringView(u"\\/*:?<>|"))
        if (texto.contains(c))
            return false;
    return true;
}

bool PatronValido(QStringView patron)
{
    const qsizetype s = patron.indexOf(u'*');
    if (s < 0)
        return NombreValido(patron);
    return NombreValido(patron.first(s)) && !patron.sliced(s + 1).contains(u'*');
}

double LeerNumero(QStringView texto)
{
    QString t;
    t.reserve(texto.size());
    for (QChar c : texto)
        if (c != u' ' && c != u'\t' && c != u'\n')
            t += c;

    if (t.size() >= 2 && t[0] == u'&') {
        const QChar tipo = t[1].toUpper();
        if (tipo == u'H')
            return LeerEnBase(QStringView(t).sliced(2), 16);
        if (tipo == u'O')
            return LeerEnBase(QStringView(t).sliced(2), 8);
    }
    // The C locale's reading whatever the user's locale: the period is always the decimal
    // point. A bare sign or period gives 0.
    const QByteArray s = PrefijoDecimal(t);
    bool ok = false;
    const double valor = s.toDouble(&ok);
    if (ok || !DemasiadoGrande(s))
        return valor;
    return s.startsWith('-') ? -HUGE_VAL : HUGE_VAL;
}

std::optional<int> LeerEntero(QStringView texto, int minimo, int maximo)
{
    const double redondeado = std::nearbyint(LeerNumero(texto));
    if (!(redondeado >= minimo && redondeado <= maximo))
        return std::nullopt;
    return int(redondeado);
}
