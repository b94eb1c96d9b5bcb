#include "log/Deshacer.h"

#include "engine/Estado.h"
#include "engine/Pantalla.h"
#include "log/Historial.h"
#include "log/Registro.h"
#include "log/Renombrador.h"

#include <QFile>

#include <cmath>

bool RecorrerDeshacer(const LogLeido& log, PasoRenombrar& paso,
                      const std::function<void(const Registro&, int)>& trasRegistro)
{
    int contador = 0;
    for (auto r = log.registros.crbegin(); r != log.registros.crend(); ++r) {
        if (r->deshacible && !paso.RenombrarArchivo(r->nuevo, r->viejo))
            return false;
        trasRegistro(*r, contador++);
    }
    return true;
}

bool DeshacerLog(Estado& e, PasoRenombrar& paso, Pantalla& pantalla, const QByteArray& bytes,
                 bool conCabecera)
{
    const LogLeido log = LeerLog(bytes, conCabecera);
    if (conCabecera)
        e.NumArchivos = log.numArchivos;
    const float ancho = pantalla.AnchoMarco() - 25.0f;
    return RecorrerDeshacer(log, paso, [&](const Registro&, int contador) {
        // The bar grows over every record, skipped ones included; a whole number of twips.
        if (e.NumArchivos > 0)
            pantalla.FijarAnchoBarra(
                std::nearbyint(ancho / float(e.NumArchivos) * float(contador + 1)));
    });
}

bool DeshacerPropio(Estado& e, Pantalla& pantalla, const std::function<void()>& alAbrir)
{
    QFile f(e.LogPropio);
    if (e.LogPropio.isEmpty() || !f.open(QIODevice::ReadOnly))
        return false;
    if (alAbrir)
        alAbrir();
    e.FicheroLog = nullptr;  // the log being undone keeps the run's records as they are
    RenombradorLog paso(e, pantalla);
    DeshacerLog(e, paso, pantalla, f.readAll(), true);
    if (const auto entrada = LeerEntrada(e.LogPropio))
        MarcarEntrada(*entrada, EstadoEntrada::Deshecha);
    return true;
}
