// Any text as a filter and a name: no crash, no runaway matching, and a pattern of one
// literal name matches that name, as typed and case-folded. The natural order stays strict.
#include "engine/Listado.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    const QString texto = QString::fromUtf8(reinterpret_cast<const char*>(datos), qsizetype(largo));
    const qsizetype corte = texto.indexOf(u'\n');
    const QString patron = corte < 0 ? texto : texto.first(corte);
    const QString nombre = corte < 0 ? texto : texto.sliced(corte + 1);
    Patron(patron).Coincide(nombre);

    const bool literal = !nombre.isEmpty() && !nombre.contains(u'*') && !nombre.contains(u'?')
        && !nombre.contains(u';') && nombre.trimmed() == nombre;
    if (literal && !(Patron(nombre).Coincide(nombre) && Patron(nombre.toCaseFolded()).Coincide(nombre)))
        std::abort();
    if (OrdenNatural(patron, nombre) && OrdenNatural(nombre, patron))
        std::abort();
    if (OrdenNatural(nombre, nombre))
        std::abort();
    return 0;
}
