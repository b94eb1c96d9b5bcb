#include "engine/Listado.h"

#include <QChar>
#include <QDir>

#include <algorithm>

namespace {

bool EsDigito(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Length of the character at i: 2 for a surrogate pair, else 1.
qsizetype Paso(QStringView s, qsizetype i)
{
    return s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate() ? 2 : 1;
}

// The character at i, and i moved past it.
char32_t Siguiente(QStringView s, qsizetype& i)
{
    const qsizetype paso = Paso(s, i);
    const char32_t c = paso == 2 ? QChar::surrogateToUcs4(s[i], s[i + 1]) : s[i].unicode();
    i += paso;
    return c;
}

// What a character sorts by: its base letter without accents, case-folded, doubled so that
// "ñ" gets a place of its own right after "n".
quint32 Clave(char32_t c)
{
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c) * 2;
    const bool enye = c == U'ñ' || c == U'Ñ';
    char32_t base = c;
    while (QChar::decompositionTag(base) == QChar::Canonical) {
        const QString partes = QChar::decomposition(base);
        qsizetype i = 0;
        base = Siguiente(partes, i);
    }
    return QChar::toCaseFolded(base) * 2 + (enye ? 1 : 0);
}

// Compares the runs of digits starting at i and j by their value, and moves both past them.
int CompararNumeros(QStringView a, qsizetype& i, QStringView b, qsizetype& j)
{
    const auto tramo = [](QStringView s, qsizetype& k) {
        while (k < s.size() && s[k] == u'0' && k + 1 < s.size() && EsDigito(s[k + 1]))
            ++k;
        const qsizetype inicio = k;
        while (k < s.size() && EsDigito(s[k]))
            ++k;
        return s.mid(inicio, k - inicio);
    };
    const QStringView x = tramo(a, i);
    const QStringView y = tramo(b, j);
    if (x.size() != y.size())
        return x.size() < y.size() ? -1 : 1;
    return x.compare(y);
}

// "*" and "?" against a name, both case-folded already.
bool Comodines(QStringView patron, QStringView nombre)
{
    qsizetype i = 0;
    qsizetype j = 0;
    qsizetype estrella = -1;  // the last "*" seen, to try it on one more character
    qsizetype desde = 0;      // where the name stood when that "*" was seen
    while (j < nombre.size()) {
        if (i < patron.size() && patron[i] == u'*') {
            estrella = i++;
            desde = j;
        } else if (i < patron.size() && patron[i] == u'?') {
            ++i;
            j += Paso(nombre, j);
        } else if (i < patron.size() && patron[i] == nombre[j]) {
            ++i;
            ++j;
        } else if (estrella >= 0) {
            i = estrella + 1;
            desde += Paso(nombre, desde);
            j = desde;
        } else {
            return false;
        }
    }
    while (i < patron.size() && patron[i] == u'*')
        ++i;
    return i == patron.size();
}

}  // namespace

bool OrdenNatural(QStringView a, QStringView b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (EsDigito(a[i]) && EsDigito(b[j])) {
            if (const int c = CompararNumeros(a, i, b, j); c != 0)
                return c < 0;
            continue;
        }
        const quint32 x = Clave(Siguiente(a, i));
        const quint32 y = Clave(Siguiente(b, j));
        if (x != y)
            return x < y;
    }
    if (i < a.size() || j < b.size())
        return j < b.size();
    return a < b;
}

QString CarpetaSeleccion(const QString& carpeta)
{
    QString r = QDir::toNativeSeparators(carpeta);
    if (!r.endsWith(QDir::separator()))
        r += QDir::separator();
    return r;
}

Patron::Patron(QStringView texto)
{
    for (QStringView trozo : texto.split(u';')) {
        trozo = trozo.trimmed();
        if (trozo.isEmpty())
            continue;
        if (trozo == u"*.*") {
            alternativas.clear();
            return;
        }
        alternativas.append(trozo.toString().toCaseFolded());
    }
}

bool Patron::Coincide(QStringView nombre) const
{
    if (alternativas.isEmpty())
        return true;
    // Folded whole, so that letters outside 16 bits fold too.
    const QString plegado = nombre.toString().toCaseFolded();
    return std::any_of(alternativas.begin(), alternativas.end(),
                       [&plegado](const QString& p) { return Comodines(p, plegado); });
}
