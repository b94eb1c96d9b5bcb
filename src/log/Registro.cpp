#include "log/Registro.h"

#include "engine/Comprobaciones.h"
#include "platform/Nombres.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <optional>

namespace {

// A text field: the name's bytes between double quotes, a quote inside doubled so that it
// can't end the field early. A name whose bytes are not all UTF-8 gets a "%" before its opening
// quote, and its bytes that are not text, and its "%", are written as %XX: the log stays UTF-8,
// a person still reads its text, and every byte comes back.
void AnadirCampoBytes(QByteArray& linea, QByteArrayView bytes)
{
    // Most names are plain ASCII without a quote: copied as they are.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80 && c != '"'; })) {
        const qsizetype inicio = linea.size();
        linea.resize(inicio + bytes.size() + 2);
        char* p = linea.data() + inicio;
        *p = '"';
        if (!bytes.isEmpty())  // an empty view may have no data at all
            std::memcpy(p + 1, bytes.data(), size_t(bytes.size()));
        p[bytes.size() + 1] = '"';
        return;
    }
    const qsizetype marca = linea.size();
    linea += '"';
    const qsizetype inicio = linea.size();
    linea += bytes;
    qsizetype contenido = inicio;
    for (qsizetype i = inicio; i < linea.size(); i += LargoUtf8(linea, i)) {
        if (LargoUtf8(linea, i) > 0)
            continue;
        QByteArray escapado;
        for (qsizetype j = inicio; j < linea.size();) {
            const int n = LargoUtf8(linea, j);
            if (n > 0 && linea[j] != '%')
                escapado += QByteArrayView(linea).sliced(j, n);
            else
                escapado += '%' + QByteArray::number(static_cast<unsigned char>(linea[j]), 16).rightJustified(2, '0').toUpper();
            j += std::max(n, 1);
        }
        linea.resize(inicio);
        linea += escapado;
        linea.insert(marca, '%');
        ++contenido;
        break;
    }
    for (qsizetype q = linea.indexOf('"', contenido); q >= 0; q = linea.indexOf('"', q + 2))
        linea.insert(q, '"');
    linea += '"';
}

void AnadirCampo(QByteArray& linea, QStringView texto)
{
    AnadirCampoBytes(linea, BytesDeNombre(texto));
}

// The bytes of a field written with "%": each %XX a byte; none when a "%" stands otherwise.
std::optional<QString> DesdeEscapado(const QString& campo)
{
    const QByteArray texto = campo.toUtf8();
    QByteArray bytes;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        if (texto[i] != '%') {
            bytes += texto[i];
            continue;
        }
        if (i + 2 >= texto.size() || !std::isxdigit(static_cast<unsigned char>(texto[i + 1]))
            || !std::isxdigit(static_cast<unsigned char>(texto[i + 2])))
            return std::nullopt;
        bytes += char(texto.mid(i + 1, 2).toInt(nullptr, 16));
        i += 2;
    }
    return NombreDesdeBytes(bytes);
}

QString DesdeWindows1252(const QByteArray& bytes)
{
    // Windows-1252 is Latin-1 but for 0x80..0x9F; the five unassigned codes stay as they are.
    static constexpr std::array<char16_t, 32> Altos = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    QString texto(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        texto[i] = (b >= 0x80 && b < 0xA0) ? QChar(Altos[b - 0x80]) : QChar(char16_t(b));
    }
    return texto;
}

QString Decodificar(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString texto = utf8.decode(bytes);
    return utf8.hasError() ? DesdeWindows1252(bytes) : texto;
}

// Reads the log's lines one by one. A line is a record of fields, ended by an LF (a CR right
// before it belongs to the line end) outside quotes.
class Lector {
public:
    explicit Lector(const QString& texto) : t(texto) {}

    bool alFinal() const { return i >= t.size(); }

    // Header line 1: the count, a bare number up to the line end.
    qint16 cuenta()
    {
        const qsizetype inicio = i;
        saltarLinea(inicio);
        const auto n = LeerEntero(QStringView(t).sliced(inicio, i - inicio).trimmed(), -32768,
                                  32767);
        return qint16(n.value_or(0));
    }

    // Header line 2: the folder, one quoted field.
    void carpeta()
    {
        const qsizetype inicio = i;
        QString campo;
        if (!(leerCampo(campo) && finDeLinea()))
            saltarLinea(inicio);
    }

    Registro siguiente()
    {
        const qsizetype inicio = i;
        Registro r;
        int n = 0;
        bool cerrada = false;  // the line ended where a written line ends
        for (;;) {
            while (i < t.size() && t[i] == u' ')
                ++i;
            QString campo;
            // Only quoted fields are ever written.
            if (!leerCampo(campo))
                break;
            if (++n == 1)
                r.viejo = campo;
            else if (n == 2)
                r.nuevo = campo;
            if (i < t.size() && t[i] == u',') {
                ++i;
                continue;
            }
            // A last record without its line end is whole all the same: an editor may
            // have dropped it.
            cerrada = finDeLinea() || i >= t.size();
            break;
        }
        // Anything else (a field count other than two, stray text, an unterminated quote)
        // spoils the line, and reading goes on after its
        // first physical line end, so that a quote left open can't swallow the lines below.
        r.completo = cerrada && n == 2;
        if (!r.completo)
            saltarLinea(inicio);
        r.fallo = QStringView(t).sliced(inicio, i - inicio).contains(MarcaFallo);
        r.deshacible = r.completo && !r.fallo;
        return r;
    }

private:
    // A quoted field from the reading position, with "%" before it when its bytes are escaped.
    bool leerCampo(QString& campo)
    {
        const bool escapado = i + 1 < t.size() && t[i] == u'%' && t[i + 1] == u'"';
        i += escapado;
        if (i >= t.size() || t[i] != u'"' || !leerEntreComillas(campo))
            return false;
        if (!escapado)
            return true;
        const std::optional<QString> bytes = DesdeEscapado(campo);
        campo = bytes.value_or(QString());
        return bytes.has_value();
    }

    // Reads a quoted field from its opening quote. A doubled quote stands for one quote; a
    // quote that is followed by neither a comma, a line end nor another quote belongs to the
    // field, as the Windows program of old left it. That program never wrote a line break in
    // a name, and ours doubles every quote, so a field with both is a quote left open that has
    // run into the next line. False when the field never closes properly.
    bool leerEntreComillas(QString& campo)
    {
        const qsizetype inicio = ++i;
        qsizetype desde = i;
        bool comillaSuelta = false;
        // No name, marker and reason come near this length; a longer field is junk, and giving
        // up early keeps a file of unterminated quotes from being scanned once per line.
        const qsizetype limite = std::min(t.size(), inicio + 4096);
        while (i < limite) {
            const qsizetype q = QStringView(t).first(limite).indexOf(u'"', i);
            if (q < 0)
                break;
            campo += QStringView(t).sliced(desde, q - desde);
            i = q + 1;
            if (i < t.size() && t[i] == u'"') {
                campo += u'"';
                desde = ++i;
            } else if (i >= t.size() || t[i] == u',' || esFinDeLinea(i)) {
                return !(comillaSuelta && (campo.contains(u'\n') || campo.contains(u'\r')));
            } else {
                campo += u'"';
                desde = i;
                comillaSuelta = true;
            }
        }
        return false;
    }

    bool esFinDeLinea(qsizetype j) const
    {
        return t[j] == u'\n' || (t[j] == u'\r' && j + 1 < t.size() && t[j + 1] == u'\n');
    }

    // Consumes a line end at the reading position; a file that ends there has none.
    bool finDeLinea()
    {
        if (i >= t.size() || !esFinDeLinea(i))
            return false;
        i += t[i] == u'\r' ? 2 : 1;
        return true;
    }

    void saltarLinea(qsizetype inicio)
    {
        const qsizetype lf = t.indexOf(u'\n', inicio);
        i = lf < 0 ? t.size() : lf + 1;
    }

    const QString& t;
    qsizetype i = 0;
};

}  // namespace

QByteArray CabeceraLog(qint16 numArchivos, const QString& carpeta)
{
    QByteArray cabecera = QByteArray::number(numArchivos) + "\r\n";
    AnadirCampo(cabecera, carpeta);
    return cabecera + "\r\n";
}

QByteArray LineaRegistro(QStringView campo1, QStringView campo2)
{
    QByteArray linea;
    AnadirRegistro(linea, campo1, campo2);
    return linea;
}

void AnadirRegistro(QByteArray& destino, QStringView campo1, QStringView campo2)
{
    AnadirRegistroBytes(destino, BytesDeNombre(campo1), BytesDeNombre(campo2));
}

void AnadirRegistroBytes(QByteArray& destino, QByteArrayView campo1, QByteArrayView campo2)
{
    AnadirCampoBytes(destino, campo1);
    destino += ',';
    AnadirCampoBytes(destino, campo2);
    destino += "\r\n";
}

QString CampoFallo(const QString& nuevo, const QString& razon)
{
    return nuevo + u' ' + MarcaFallo.toString() + QStringLiteral(": ") + razon;
}

LogLeido LeerLog(const QByteArray& bytes, bool conCabecera)
{
    const QString texto = Decodificar(bytes);
    Lector lector(texto);
    LogLeido log;
    if (conCabecera) {
        log.numArchivos = lector.cuenta();
        lector.carpeta();  // dropped: undo works in the folder it is told
    }
    while (!lector.alFinal())
        log.registros.append(lector.siguiente());
    return log;
}
