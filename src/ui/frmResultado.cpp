#include "ui/frmResultado.h"

#include "log/Simulacion.h"

#include <QLabel>

frmResultado::frmResultado(const QList<FilaResultado>& filas, QWidget* parent)
    : DialogoDeCambios(parent, "frmResultado", tr("Resultado"), "lstResultado",
                       tr("Archivos de la ejecución"))
{
    QList<FilaCambio> cambios;
    cambios.reserve(filas.size());
    int renombrados = 0, fallidos = 0;
    for (const FilaResultado& f : filas) {
        if (!f.razon.isEmpty()) {
            cambios.append({f.actual, f.nuevo, f.razon, FilaCambio::Tono::Fallo});
            ++fallidos;
        } else if (f.actual == f.nuevo) {
            cambios.append({f.actual, f.nuevo, TextoResultado(ResultadoPrevisto::SinCambios), FilaCambio::Tono::Apagado});
        } else {
            cambios.append({f.actual, f.nuevo, TextoResultado(ResultadoPrevisto::Correcto), FilaCambio::Tono::Normal});
            ++renombrados;
        }
    }
    // A name left as it was is neither renamed nor failed.
    lblResumen->setText(tr("%1 renombrados, %2 no se pudieron renombrar").arg(renombrados).arg(fallidos));
    Mostrar(std::move(cambios));
}
