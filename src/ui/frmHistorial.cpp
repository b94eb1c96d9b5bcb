#include "ui/frmHistorial.h"

#include "app/Prevision.h"
#include "platform/Nombres.h"
#include "ui/Tablas.h"
#include "ui/frmVistaPrevia.h"

#include <QAbstractTableModel>
#include <QBoxLayout>
#include <QDir>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTableView>

// The entries as the table shows them; the view asks only for the rows it draws.
class ModeloHistorial final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void Poner(QList<EntradaHistorial> nuevas)
    {
        beginResetModel();
        entradas = std::move(nuevas);
        endResetModel();
    }
    const QList<EntradaHistorial>& Entradas() const { return entradas; }

    int rowCount(const QModelIndex& padre = {}) const override
    {
        return padre.isValid() ? 0 : int(entradas.size());
    }
    int columnCount(const QModelIndex& padre = {}) const override { return padre.isValid() ? 0 : 6; }

    QVariant data(const QModelIndex& i, int rol) const override
    {
        const EntradaHistorial& e = entradas.at(i.row());
        if (rol == Qt::TextAlignmentRole && (i.column() == 3 || i.column() == 4))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (rol != Qt::DisplayRole)
            return {};
        switch (i.column()) {
        case 0:
            //: The date and time of a run, as QDateTime's format reads it.
            return QLocale().toString(e.fecha.toLocalTime(), frmHistorial::tr("dd/MM/yyyy HH:mm:ss"));
        case 1:
            return NombreVisible(QDir::toNativeSeparators(e.carpeta));
        case 2:
            return Describir(e.eleccion);
        case 3:
            return e.renombrados;
        case 4:
            return e.fallos;
        default:
            return TextoEstado(e.estado);
        }
    }

    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override
    {
        if (rol != Qt::DisplayRole || orientacion != Qt::Horizontal)
            return {};
        const QString titulos[] = {frmHistorial::tr("Fecha"),       frmHistorial::tr("Carpeta"),
                                   frmHistorial::tr("Operación"),   frmHistorial::tr("Renombrados"),
                                   frmHistorial::tr("Fallos"),      frmHistorial::tr("Estado")};
        return titulos[seccion];
    }

private:
    QList<EntradaHistorial> entradas;
};

frmHistorial::frmHistorial(const QString& carpeta,
                           std::function<void(const EntradaHistorial&)> deshacer,
                           std::function<void(const EntradaHistorial&)> guardar, QWidget* parent)
    : QDialog(parent),
      carpeta(carpeta),
      deshacer(std::move(deshacer)),
      guardar(std::move(guardar)),
      modelo(new ModeloHistorial(this)),
      lstHistorial(new QTableView(this)),
      cmdDeshacerHist(new QPushButton(tr("Deshacer"), this)),
      cmdGuardarHist(new QPushButton(tr("Guardar como…"), this)),
      cmdCerrarHist(new QPushButton(tr("Cerrar"), this))
{
    QVBoxLayout* columna = DialogoDeTabla(this, "frmHistorial", tr("Historial"), 13500, 6000);
    TablaDeFilas(lstHistorial, "lstHistorial", tr("Ejecuciones"));
    cmdDeshacerHist->setObjectName(QStringLiteral("cmdDeshacerHist"));
    cmdGuardarHist->setObjectName(QStringLiteral("cmdGuardarHist"));
    cmdCerrarHist->setObjectName(QStringLiteral("cmdCerrarHist"));
    cmdCerrarHist->setDefault(true);
    lstHistorial->setModel(modelo);
    lstHistorial->setSelectionMode(QAbstractItemView::SingleSelection);
    lstHistorial->verticalHeader()->hide();
    QHeaderView* columnas = lstHistorial->horizontalHeader();
    columnas->setSectionResizeMode(QHeaderView::ResizeToContents);
    columnas->setSectionResizeMode(1, QHeaderView::Stretch);
    columnas->setSectionResizeMode(2, QHeaderView::Stretch);

    columna->addWidget(lstHistorial, 1);
    auto* botones = new QHBoxLayout;
    botones->addWidget(cmdDeshacerHist);
    botones->addWidget(cmdGuardarHist);
    botones->addStretch();
    botones->addWidget(cmdCerrarHist);
    columna->addLayout(botones);

    connect(cmdDeshacerHist, &QPushButton::clicked, this, &frmHistorial::cmdDeshacerHist_Click);
    connect(cmdGuardarHist, &QPushButton::clicked, this, &frmHistorial::cmdGuardarHist_Click);
    connect(cmdCerrarHist, &QPushButton::clicked, this, &frmHistorial::cmdCerrarHist_Click);
    Cargar();
}

void frmHistorial::Cargar()
{
    modelo->Poner(LeerHistorial(carpeta));
    // The newest run chosen, so that the keys act at once.
    if (modelo->rowCount() > 0)
        lstHistorial->selectRow(0);
    connect(lstHistorial->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmHistorial::ActualizarBotones, Qt::UniqueConnection);
    ActualizarBotones();
}

const EntradaHistorial* frmHistorial::Elegida() const
{
    const QModelIndexList filas = lstHistorial->selectionModel()->selectedRows();
    return filas.isEmpty() ? nullptr : &modelo->Entradas().at(filas.first().row());
}

void frmHistorial::ActualizarBotones()
{
    const EntradaHistorial* e = Elegida();
    // A run still under way, or undone already, has nothing to undo now.
    cmdDeshacerHist->setEnabled(e && Deshacible(e->estado));
    cmdGuardarHist->setEnabled(e);
}

void frmHistorial::cmdDeshacerHist_Click()
{
    const EntradaHistorial* e = Elegida();
    if (!e)
        return;
    const EntradaHistorial entrada = *e;
    frmVistaPrevia vista(PreverEntrada(entrada, modelo->Entradas()), this, tr("Deshacer"));
    if (vista.exec() != QDialog::Accepted)
        return;
    // While the undo yields between files, neither button may start anything.
    cmdDeshacerHist->setEnabled(false);
    cmdGuardarHist->setEnabled(false);
    deshacer(entrada);
    Cargar();
}

void frmHistorial::cmdGuardarHist_Click()
{
    if (const EntradaHistorial* e = Elegida())
        guardar(*e);
}

void frmHistorial::cmdCerrarHist_Click()
{
    close();
}
