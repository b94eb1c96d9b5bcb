// Any bytes as a log, with and without the header: no crash, no hang, and whatever reads as
// a record that may be undone holds exactly two fields with no failure marker.
#include "log/Registro.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    const QByteArray bytes(reinterpret_cast<const char*>(datos), qsizetype(largo));
    for (bool cabecera : {false, true})
        for (const Registro& r : LeerLog(bytes, cabecera).registros)
            if (r.deshacible && (r.nuevo.contains(MarcaFallo)))
                std::abort();
    // What the writer writes reads back the same.
    const QString texto = QString::fromUtf8(bytes);
    qsizetype mitad = texto.size() / 2;
    if (mitad > 0 && texto.at(mitad - 1).isHighSurrogate())
        ++mitad;  // names are whole characters: never split one in two
    const QString a = texto.first(mitad), b = texto.sliced(mitad);
    const LogLeido vuelta = LeerLog(LineaRegistro(a, b), false);
    if (!b.contains(MarcaFallo) && !a.contains(MarcaFallo) && a.size() < 1000 && b.size() < 1000
        && (vuelta.registros.size() != 1 || vuelta.registros[0].viejo != a
            || vuelta.registros[0].nuevo != b || !vuelta.registros[0].deshacible))
        std::abort();
    return 0;
}
