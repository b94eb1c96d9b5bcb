#include "ui/frmVistaPrevia.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

frmVistaPrevia::frmVistaPrevia(Prevision prevision, QWidget* parent, const QString& confirmar)
    : DialogoDeCambios(parent, "frmVistaPrevia", tr("Vista previa"), "lstVistaPrevia",
                       tr("Cambios previstos"))
{
    if (!confirmar.isEmpty() && prevision.mensaje.isEmpty()) {
        auto* cmdConfirmar = new QPushButton(confirmar, this);
        cmdConfirmar->setObjectName(QStringLiteral("cmdConfirmar"));
        cmdCerrar->setDefault(false);
        cmdConfirmar->setDefault(true);
        connect(cmdConfirmar, &QPushButton::clicked, this, &QDialog::accept);
        botones->insertWidget(botones->count() - 1, cmdConfirmar);
        setTabOrder(lista, cmdConfirmar);
        setTabOrder(cmdConfirmar, cmdCerrar);
    }
    if (!prevision.mensaje.isEmpty()) {
        // A run that would be refused renames nothing: its message alone.
        lblResumen->setText(prevision.mensaje);
        lista->hide();
        adjustSize();
        return;
    }
    lblResumen->setText(tr("%1 cambios, %2 fallarán").arg(prevision.cambios).arg(prevision.fallos));
    QList<FilaCambio> filas;
    filas.reserve(prevision.filas.size());
    for (const FilaPrevista& f : std::as_const(prevision.filas))
        filas.append({f.actual, f.nuevo, TextoResultado(f.resultado),
                      EsFallo(f.resultado)                          ? FilaCambio::Tono::Fallo
                      : f.resultado != ResultadoPrevisto::Correcto ? FilaCambio::Tono::Apagado
                                                                    : FilaCambio::Tono::Normal});
    Mostrar(std::move(filas));
}
