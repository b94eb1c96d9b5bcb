#include "engine/Reglas.h"

#include <cstdlib>

namespace {

const QChar Punto = u'.';

// UTF-16 index of the code point at 1-based position `posicion`, or -1 when the name has
// fewer code points.
bool EsParSustituto(const QString& texto, qsizetype i)
{
    return i >= 0 && i + 1 < texto.size() && texto.at(i).isHighSurrogate()
        && texto.at(i + 1).isLowSurrogate();
}

qsizetype IndiceDeCodigo(const QString& texto, int posicion)
{
    qsizetype i = 0;
    for (int n = 1; n < posicion && i < texto.size(); ++n)
        i += EsParSustituto(texto, i) ? 2 : 1;
    return i < texto.size() ? i : -1;
}

}  // namespace

QString ReglaExtension(const QString& viejo, const QString& extension)
{
    qsizetype d = viejo.lastIndexOf(Punto);
    if (d < 0)
        d = viejo.size();
    // Built in place: a run computes tens of thousands of these.
    QString nuevo;
    nuevo.reserve(d + 1 + extension.size());
    return nuevo.append(QStringView(viejo).first(d)).append(Punto).append(extension);
}

std::optional<QString> ReglaCadena(const QString& viejo, const QString& buscar,
                                   const QString& reemplazo)
{
    // A lone surrogate in `buscar` could match half of a character: such a match is no
    // occurrence, and the search goes on after it.
    for (qsizetype p = viejo.indexOf(buscar); p >= 0; p = viejo.indexOf(buscar, p + 1)) {
        if (EsParSustituto(viejo, p - 1) || EsParSustituto(viejo, p + buscar.size() - 1))
            continue;
        QString nuevo = viejo;
        return nuevo.replace(p, buscar.size(), reemplazo);
    }
    return std::nullopt;
}

QString ReglaAnadir(const QString& viejo, const QString& texto, quint8 modo, quint8 posicion)
{
    switch (modo) {
    case ModoFinal: {
        const qsizetype d = viejo.lastIndexOf(Punto);
        if (d < 0)
            return viejo + texto;
        return viejo.first(d) + texto + viejo.sliced(d);
    }
    case ModoPrincipio:
        return texto + viejo;
    case ModoPosicion: {
        // Valid positions run from 1 to length - 1: the last character can't get text before
        // it, and nothing is appended.
        if (posicion == 0)
            return viejo;
        const qsizetype i = IndiceDeCodigo(viejo, posicion);
        if (i < 0 || IndiceDeCodigo(viejo, posicion + 1) < 0)
            return viejo;
        return viejo.first(i) + texto + viejo.sliced(i);
    }
    default:
        return viejo;
    }
}

PatronGenerar::PatronGenerar(const QString& patron)
{
    const qsizetype s = patron.indexOf(u'*');
    if (s >= 0) {
        prefijo = patron.first(s);
        sufijo = patron.sliced(s + 1);
        return;
    }
    const qsizetype d = patron.lastIndexOf(Punto);
    if (d >= 0) {
        prefijo = patron.first(d);
        sufijo = patron.sliced(d);
    } else {
        prefijo = patron;
    }
}

int AnchoNumeros(qint16 desde, qint16 numArchivos)
{
    return int(QString::number(int(desde) + int(numArchivos)).size());
}

QString ReglaGenerar(const PatronGenerar& patron, int numero, int ancho)
{
    // The width counts digits only; a minus sign goes in front of the zeros.
    QString cifras = QString::number(std::abs(numero)).rightJustified(ancho, u'0');
    if (numero < 0)
        cifras.prepend(u'-');
    return patron.prefijo + cifras + patron.sufijo;
}

QString ReglaMayusculas(const QString& viejo, bool mayusculas)
{
    // Qt would turn half a character into U+FFFD: a byte of the name that is not text stands
    // for itself, so the text between such bytes is converted and they are kept as they are.
    QString nuevo;
    nuevo.reserve(viejo.size());
    qsizetype desde = 0;
    const auto convertir = [&](qsizetype hasta) {
        const QString tramo = viejo.sliced(desde, hasta - desde);
        nuevo += mayusculas ? tramo.toUpper() : tramo.toLower();
    };
    for (qsizetype i = 0; i < viejo.size(); ++i) {
        if (EsParSustituto(viejo, i)) {
            ++i;
        } else if (viejo.at(i).isSurrogate()) {
            convertir(i);
            nuevo += viejo.at(i);
            desde = i + 1;
        }
    }
    convertir(viejo.size());
    return nuevo;
}
