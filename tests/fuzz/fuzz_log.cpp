// Any bytes as a log, with and without the header: no crash, no hang, and whatever reads as
// a record that may be undone holds exactly two fields with no failure marker. And any bytes
// as two names, whatever they hold: written as a record, they read back byte for byte.
#include "log/Registro.h"
#include "platform/Nombres.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    const QByteArray bytes(reinterpret_cast<const char*>(datos), qsizetype(largo));
    for (bool cabecera : {false, true})
        for (const Registro& r : LeerLog(bytes, cabecera).registros)
            if (r.deshacible && (r.nuevo.contains(MarcaFallo)))
                std::abort();
    const QString a = NombreDesdeBytes(bytes.first(bytes.size() / 2));
    const QString b = NombreDesdeBytes(bytes.sliced(bytes.size() / 2));
    if (BytesDeNombre(a) + BytesDeNombre(b) != bytes)
        std::abort();
    const LogLeido vuelta = LeerLog(LineaRegistro(a, b), false);
    if (!b.contains(MarcaFallo) && !a.contains(MarcaFallo) && a.size() < 1000 && b.size() < 1000
        && (vuelta.registros.size() != 1 || vuelta.registros[0].viejo != a
            || vuelta.registros[0].nuevo != b || !vuelta.registros[0].deshacible))
        std::abort();
    return 0;
}
