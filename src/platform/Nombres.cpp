#include "platform/Nombres.h"

#include <QChar>

namespace {

constexpr char16_t PrimerEscape = 0xDC80;
constexpr char16_t UltimoEscape = 0xDCFF;

// Length of the valid UTF-8 sequence at `i` of 2 bytes or more, and its code point; 0 when the
// byte there starts none.
int Secuencia(QByteArrayView b, qsizetype i, char32_t& punto)
{
    const auto byte = [&b](qsizetype k) { return static_cast<unsigned char>(b[k]); };
    const unsigned char c = byte(i);
    int n = 0;
    char32_t minimo = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        punto = c & 0x1F;
        minimo = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        punto = c & 0x0F;
        minimo = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        punto = c & 0x07;
        minimo = 0x10000;
    } else {
        return 0;
    }
    if (i + n > b.size())
        return 0;
    for (int k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        punto = (punto << 6) | (byte(i + k) & 0x3F);
    }
    if (punto < minimo || punto > 0x10FFFF || (punto >= 0xD800 && punto <= 0xDFFF))
        return 0;
    return n;
}

}  // namespace


QString NombreDesdeBytes(const QByteArray& bytes)
{
    QString nombre;
    nombre.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        char32_t punto = 0;
        if (c < 0x80) {
            nombre += QChar(char16_t(c));
            ++i;
        } else if (const int n = Secuencia(bytes, i, punto)) {
            nombre += QStringView(QChar::fromUcs4(punto));
            i += n;
        } else {
            nombre += QChar(char16_t(0xDC00 + c));
            ++i;
        }
    }
    return nombre;
}

void AnadirBytesDeNombre(QByteArray& bytes, QStringView nombre)
{
    // Written in place, at most three bytes for each unit of the text, then cut to size.
    const qsizetype inicio = bytes.size();
    bytes.resize(inicio + 3 * nombre.size());
    char* p = bytes.data() + inicio;
    for (qsizetype i = 0; i < nombre.size(); ++i) {
        const char16_t u = nombre[i].unicode();
        char32_t punto = u;
        if (u < 0x80) {
            *p++ = char(u);
            continue;
        }
        if (QChar::isHighSurrogate(u) && i + 1 < nombre.size() && nombre[i + 1].isLowSurrogate()) {
            punto = QChar::surrogateToUcs4(u, nombre[++i].unicode());
        } else if (u >= PrimerEscape && u <= UltimoEscape) {
            *p++ = char(u - 0xDC00);
            continue;
        } else if (QChar::isSurrogate(u)) {
            punto = QChar::ReplacementCharacter;  // half a character: no name holds one
        }
        if (punto < 0x800) {
            *p++ = char(0xC0 | (punto >> 6));
        } else {
            if (punto < 0x10000) {
                *p++ = char(0xE0 | (punto >> 12));
            } else {
                *p++ = char(0xF0 | (punto >> 18));
                *p++ = char(0x80 | ((punto >> 12) & 0x3F));
            }
            *p++ = char(0x80 | ((punto >> 6) & 0x3F));
        }
        *p++ = char(0x80 | (punto & 0x3F));
    }
    bytes.resize(p - bytes.constData());
}

QByteArray BytesDeNombre(QStringView nombre)
{
    QByteArray bytes;
    AnadirBytesDeNombre(bytes, nombre);
    return bytes;
}

int LargoUtf8(QByteArrayView bytes, qsizetype i)
{
    char32_t punto = 0;
    return static_cast<unsigned char>(bytes[i]) < 0x80 ? 1 : Secuencia(bytes, i, punto);
}

QString NombreVisible(QStringView nombre)
{
    // A backslash and a code: the same notation for every stand-in, and glyphs every font has.
    const auto codigo = [](const char* prefijo, unsigned valor, int cifras) {
        return QLatin1StringView(prefijo) + QStringLiteral("%1").arg(valor, cifras, 16, QLatin1Char('0')).toUpper();
    };
    QString visible;
    visible.reserve(nombre.size());
    for (qsizetype i = 0; i < nombre.size(); ++i) {
        const char16_t u = nombre[i].unicode();
        const bool par = QChar::isHighSurrogate(u) && i + 1 < nombre.size() && nombre[i + 1].isLowSurrogate();
        if (u == u'\n' || u == u'\t' || u == u'\r')
            visible += u == u'\n' ? u"\\n" : u == u'\t' ? u"\\t" : u"\\r";
        else if (u < 0x20 || u == 0x7F)
            visible += codigo("\\x", u, 2);
        else if (QChar::isSurrogate(u) && !par)
            visible += codigo("\\x", u & 0xFF, 2);
        else if ((u >= 0x80 && u < 0xA0) || u == 0x2028 || u == 0x2029)
            visible += codigo("\\u", u, 4);
        else
            visible += nombre[i];
        if (par)
            visible += nombre[++i];
    }
    return visible;
}

std::optional<QByteArray> RutaDeUri(QByteArrayView uri)
{
    if (!uri.startsWith("file:"))
        return std::nullopt;
    QByteArrayView resto = uri.sliced(5);
    if (resto.startsWith("//")) {
        // The host, up to the path's first slash: this machine only.
        const qsizetype barra = resto.indexOf('/', 2);
        const QByteArrayView anfitrion = resto.sliced(2, (barra < 0 ? resto.size() : barra) - 2);
        if (barra < 0 || !(anfitrion.isEmpty() || anfitrion == "localhost"))
            return std::nullopt;
        resto = resto.sliced(barra);
    }
    if (!resto.startsWith('/'))
        return std::nullopt;
    // A query or a fragment is no part of a file's path: "?" and "#" in a name come escaped.
    qsizetype fin = 0;
    while (fin < resto.size() && resto[fin] != '?' && resto[fin] != '#')
        ++fin;
    return QByteArray::fromPercentEncoding(resto.first(fin).toByteArray());
}
