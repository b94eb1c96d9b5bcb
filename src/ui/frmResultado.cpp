#include "ui/frmResultado.h"

#include <QLabel>

frmResultado::frmResultado(const QList<FilaResultado>& filas, QWidget* parent)
    : DialogoDeCambios(parent, "frmResultado", QStringLiteral("Resultado"), "lstResultado",
                       QStringLiteral("Archivos de la ejecución"))
{
    QList<FilaCambio> cambios;
    cambios.reserve(filas.size());
    int renombrados = 0, fallidos = 0;
    for (const FilaResultado& f : filas) {
        if (!f.razon.isEmpty()) {
            cambios.append({f.actual, f.nuevo, f.razon, FilaCambio::Tono::Fallo});
            ++fallidos;
        } else if (f.actual == f.nuevo) {
            cambios.append({f.actual, f.nuevo, QStringLiteral("Sin cambios"), FilaCambio::Tono::Apagado});
        } else {
            cambios.append({f.actual, f.nuevo, QStringLiteral("Correcto"), FilaCambio::Tono::Normal});
            ++renombrados;
        }
    }
    // A name left as it was is neither renamed nor failed.
    lblResumen->setText(QStringLiteral("%1 renombrados, %2 no se pudieron renombrar").arg(renombrados).arg(fallidos));
    Mostrar(std::move(cambios));
}
