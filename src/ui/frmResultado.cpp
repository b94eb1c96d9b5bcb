#include "ui/frmResultado.h"

#include <QLabel>

#include <algorithm>

frmResultado::frmResultado(const QList<FilaResultado>& filas, QWidget* parent)
    : DialogoDeCambios(parent, "frmResultado", QStringLiteral("Resultado"), "lstResultado",
                       QStringLiteral("Archivos de la ejecución"))
{
    const auto fallidos = std::count_if(filas.cbegin(), filas.cend(), [](const FilaResultado& f) { return !f.razon.isEmpty(); });
    lblResumen->setText(QStringLiteral("%1 renombrados, %2 no se pudieron renombrar").arg(filas.size() - fallidos).arg(fallidos));
    QList<FilaCambio> cambios;
    cambios.reserve(filas.size());
    for (const FilaResultado& f : filas) {
        if (!f.razon.isEmpty())
            cambios.append({f.actual, f.nuevo, f.razon, FilaCambio::Tono::Fallo});
        else if (f.actual == f.nuevo)
            cambios.append({f.actual, f.nuevo, QStringLiteral("Sin cambios"), FilaCambio::Tono::Apagado});
        else
            cambios.append({f.actual, f.nuevo, QStringLiteral("Correcto"), FilaCambio::Tono::Normal});
    }
    Mostrar(std::move(cambios));
}
