// Any text as a typed number: no crash, and a value, when there is one, within its range.
#include "engine/Comprobaciones.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    const QString texto = QString::fromUtf8(reinterpret_cast<const char*>(datos), qsizetype(largo));
    const auto posicion = LeerEntero(texto, 0, 255);
    const auto desde = LeerEntero(texto, -32768, 32767);
    if ((posicion && (*posicion < 0 || *posicion > 255))
        || (desde && (*desde < -32768 || *desde > 32767)))
        std::abort();
    PatronValido(texto);
    NombreValido(texto);
    return 0;
}
