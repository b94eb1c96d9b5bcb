#include "ui/DialogoDeCambios.h"

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

class ModeloCambios final : public QAbstractTableModel {
public:
    ModeloCambios(QList<FilaCambio> filas, QObject* padre) : QAbstractTableModel(padre), filas(std::move(filas)) {}

    int rowCount(const QModelIndex& padre = {}) const override { return padre.isValid() ? 0 : int(filas.size()); }
    int columnCount(const QModelIndex& padre = {}) const override { return padre.isValid() ? 0 : 3; }

    QVariant data(const QModelIndex& i, int rol) const override
    {
        const FilaCambio& f = filas.at(i.row());
        if (rol == Qt::DisplayRole)
            return i.column() == 0 ? NombreVisible(f.actual) : i.column() == 1 ? NombreVisible(f.nuevo) : f.resultado;
        // What fails stands out; what stays as it is steps back.
        if (rol == Qt::ForegroundRole && f.tono != FilaCambio::Tono::Normal)
            return f.tono == FilaCambio::Tono::Fallo ? QColor(176, 0, 0) : QColor(110, 110, 110);
        return {};
    }

    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override
    {
        if (rol != Qt::DisplayRole)
            return {};
        if (orientacion == Qt::Vertical)
            return seccion + 1;
        const QString titulos[] = {DialogoDeCambios::tr("Nombre actual"), DialogoDeCambios::tr("Nombre nuevo"),
                                   DialogoDeCambios::tr("Resultado")};
        return titulos[seccion];
    }

    // Wide enough for the header and for the longest result the rows show: the results are a
    // handful of texts, so each is measured once, not once per row.
    int AnchoResultados(const QFontMetrics& metricas) const
    {
        QSet<QString> resultados;
        for (const FilaCambio& f : filas)
            resultados.insert(f.resultado);
        int ancho = metricas.horizontalAdvance(headerData(2, Qt::Horizontal, Qt::DisplayRole).toString());
        for (const QString& r : std::as_const(resultados))
            ancho = std::max(ancho, metricas.horizontalAdvance(r));
        return ancho + Pixeles(240);
    }

private:
    const QList<FilaCambio> filas;
};

}  // namespace

DialogoDeCambios::DialogoDeCambios(QWidget* parent, const char* nombre, const QString& titulo, const char* tabla,
                                   const QString& paraLeer)
    : QDialog(parent),
      lblResumen(new QLabel(this)),
      lista(new QTableView(this)),
      botones(new QHBoxLayout),
      cmdCerrar(new QPushButton(tr("Cerrar"), this))
{
    QVBoxLayout* columna = DialogoDeTabla(this, nombre, titulo, 10500, 6000);
    lblResumen->setObjectName(QStringLiteral("lblResumen"));
    // A path in a message is shown as it is, never read as markup; without a table below,
    // the message stays at the top.
    lblResumen->setTextFormat(Qt::PlainText);
    lblResumen->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    TablaDeFilas(lista, tabla, paraLeer);
    cmdCerrar->setObjectName(QStringLiteral("cmdCerrar"));
    cmdCerrar->setDefault(true);
    connect(cmdCerrar, &QPushButton::clicked, this, &QDialog::reject);

    columna->addWidget(lblResumen);
    columna->addWidget(lista, 1);
    botones->addStretch();
    botones->addWidget(cmdCerrar);
    columna->addLayout(botones);
}

void DialogoDeCambios::Mostrar(QList<FilaCambio> filas)
{
    auto* modelo = new ModeloCambios(std::move(filas), lista);
    lista->setModel(modelo);
    QHeaderView* verticales = lista->verticalHeader();
    verticales->setSectionResizeMode(QHeaderView::Fixed);
    verticales->setDefaultSectionSize(fontMetrics().height() + Pixeles(60));
    // The names share the width; the results keep theirs whole, however narrow the window.
    QHeaderView* columnas = lista->horizontalHeader();
    columnas->setSectionResizeMode(QHeaderView::Stretch);
    columnas->setSectionResizeMode(2, QHeaderView::Fixed);
    columnas->resizeSection(2, modelo->AnchoResultados(columnas->fontMetrics()));
}
