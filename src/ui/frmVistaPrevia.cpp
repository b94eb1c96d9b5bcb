#include "ui/frmVistaPrevia.h"

#include "platform/Nombres.h"
#include "ui/Tablas.h"
#include "ui/Twips.h"

#include <QAbstractTableModel>
#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTableView>

#include <algorithm>

namespace {

// The rows as they are foretold. One model over all of them, so that a selection of the
// largest size shows at once: the view asks only for the rows it draws.
class ModeloVistaPrevia final : public QAbstractTableModel {
public:
    ModeloVistaPrevia(QList<FilaPrevista> filas, QObject* padre)
        : QAbstractTableModel(padre), filas(std::move(filas))
    {
    }

    int rowCount(const QModelIndex& padre = {}) const override
    {
        return padre.isValid() ? 0 : int(filas.size());
    }
    int columnCount(const QModelIndex& padre = {}) const override
    {
        return padre.isValid() ? 0 : 3;
    }

    QVariant data(const QModelIndex& i, int rol) const override
    {
        const FilaPrevista& f = filas.at(i.row());
        if (rol == Qt::DisplayRole) {
            switch (i.column()) {
            case 0:
                return NombreVisible(f.actual);
            case 1:
                return NombreVisible(f.nuevo);
            default:
                return TextoResultado(f.resultado);
            }
        }
        // What fails stands out; what stays as it is steps back.
        if (rol == Qt::ForegroundRole) {
            if (EsFallo(f.resultado))
                return QColor(176, 0, 0);
            if (f.resultado != ResultadoPrevisto::Correcto)
                return QColor(110, 110, 110);
        }
        return {};
    }

    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override
    {
        if (rol != Qt::DisplayRole)
            return {};
        if (orientacion == Qt::Vertical)
            return seccion + 1;
        static const QString Titulos[] = {QStringLiteral("Nombre actual"),
                                          QStringLiteral("Nombre nuevo"),
                                          QStringLiteral("Resultado")};
        return Titulos[seccion];
    }

    // Wide enough for the header and for the longest result the rows show: the results are a
    // handful of texts, so each is measured once, not once per row.
    int AnchoResultados(const QFontMetrics& metricas) const
    {
        QSet<ResultadoPrevisto> resultados;
        for (const FilaPrevista& f : filas)
            resultados.insert(f.resultado);
        const QString titulo = headerData(2, Qt::Horizontal, Qt::DisplayRole).toString();
        int ancho = metricas.horizontalAdvance(titulo);
        for (ResultadoPrevisto r : std::as_const(resultados))
            ancho = std::max(ancho, metricas.horizontalAdvance(TextoResultado(r)));
        return ancho + Pixeles(240);
    }

private:
    const QList<FilaPrevista> filas;
};

}  // namespace

frmVistaPrevia::frmVistaPrevia(Prevision prevision, QWidget* parent, const QString& confirmar)
    : QDialog(parent),
      lblResumen(new QLabel(this)),
      lstVistaPrevia(new QTableView(this)),
      cmdCerrar(new QPushButton(QStringLiteral("Cerrar"), this))
{
    QVBoxLayout* columna = DialogoDeTabla(this, "frmVistaPrevia", QStringLiteral("Vista previa"), 10500, 6000);
    lblResumen->setObjectName(QStringLiteral("lblResumen"));
    // A path in a message is shown as it is, never read as markup; without a table below,
    // the message stays at the top.
    lblResumen->setTextFormat(Qt::PlainText);
    lblResumen->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    TablaDeFilas(lstVistaPrevia, "lstVistaPrevia");
    cmdCerrar->setObjectName(QStringLiteral("cmdCerrar"));
    cmdCerrar->setDefault(confirmar.isEmpty());
    connect(cmdCerrar, &QPushButton::clicked, this, &frmVistaPrevia::cmdCerrar_Click);

    columna->addWidget(lblResumen);
    columna->addWidget(lstVistaPrevia, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    if (!confirmar.isEmpty() && prevision.mensaje.isEmpty()) {
        auto* cmdConfirmar = new QPushButton(confirmar, this);
        cmdConfirmar->setObjectName(QStringLiteral("cmdConfirmar"));
        cmdConfirmar->setDefault(true);
        connect(cmdConfirmar, &QPushButton::clicked, this, &QDialog::accept);
        botones->addWidget(cmdConfirmar);
    }
    botones->addWidget(cmdCerrar);
    columna->addLayout(botones);

    if (!prevision.mensaje.isEmpty()) {
        // A run that would be refused renames nothing: its message alone.
        lblResumen->setText(prevision.mensaje);
        lstVistaPrevia->hide();
        adjustSize();
        return;
    }
    lblResumen->setText(QStringLiteral("%1 cambios, %2 fallarán")
                            .arg(prevision.cambios)
                            .arg(prevision.fallos));
    auto* modelo = new ModeloVistaPrevia(std::move(prevision.filas), lstVistaPrevia);
    lstVistaPrevia->setModel(modelo);
    QHeaderView* filas = lstVistaPrevia->verticalHeader();
    filas->setSectionResizeMode(QHeaderView::Fixed);
    filas->setDefaultSectionSize(fontMetrics().height() + Pixeles(60));
    // The names share the width; the results keep theirs whole, however narrow the window.
    QHeaderView* columnas = lstVistaPrevia->horizontalHeader();
    columnas->setSectionResizeMode(QHeaderView::Stretch);
    columnas->setSectionResizeMode(2, QHeaderView::Fixed);
    columnas->resizeSection(2, modelo->AnchoResultados(columnas->fontMetrics()));
}

void frmVistaPrevia::cmdCerrar_Click()
{
    close();
}
