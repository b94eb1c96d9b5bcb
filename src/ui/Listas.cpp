#include "ui/Listas.h"

#include "platform/Nombres.h"
#include "platform/Plataforma.h"
#include "ui/Discos.h"
#include "ui/Tablas.h"

#include <QAbstractListModel>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QSet>
#include <QStyle>

#include <algorithm>

namespace {

// The names of a folder's files, or of its folders, in list order, whatever bytes they hold.
QStringList Leer(const QString& carpeta, bool carpetas)
{
    QStringList nombres;
    for (const EntradaCarpeta& e : ListarCarpeta(carpeta))
        if (e.carpeta == carpetas)
            nombres << e.nombre;
    std::sort(nombres.begin(), nombres.end(),
              [](const QString& a, const QString& b) { return OrdenNatural(a, b); });
    return nombres;
}

// The folder that holds `ruta`; a root is its own.
QString Arriba(const QString& ruta)
{
    return QFileInfo(ruta).path();
}

}  // namespace

// The names of the list: each shown with NombreVisible, the name itself under Qt::UserRole.
class ModeloNombres final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;
    void Poner(QStringList nuevos)
    {
        beginResetModel();
        nombres = std::move(nuevos);
        endResetModel();
    }
    int rowCount(const QModelIndex& padre = {}) const override { return padre.isValid() ? 0 : int(nombres.size()); }
    QVariant data(const QModelIndex& i, int rol) const override
    {
        if (rol == Qt::UserRole)
            return nombres.at(i.row());
        return rol == Qt::DisplayRole ? QVariant(NombreVisible(nombres.at(i.row()))) : QVariant();
    }

private:
    QStringList nombres;
};

ListaCarpetas::ListaCarpetas(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(8);
    PistasDeCortados(this);
    connect(this, &QTreeWidget::itemActivated, this, &ListaCarpetas::Abrir);
}

void ListaCarpetas::FijarRuta(const QString& nueva)
{
    QString destino = QDir::cleanPath(QDir(nueva).absolutePath());
    while (!Entrable(destino) && Arriba(destino) != destino)
        destino = Arriba(destino);
    const bool cambia = destino != ruta;
    ruta = destino;
    Mostrar();
    if (cambia)
        Q_EMIT Cambio();
}

void ListaCarpetas::keyPressEvent(QKeyEvent* ev)
{
    // Enter opens the folder here instead of pressing the dialog's default button.
    if ((ev->key() == Qt::Key_Return || ev->key() == Qt::Key_Enter) && currentItem()) {
        Abrir(currentItem());
        return;
    }
    QTreeWidget::keyPressEvent(ev);
}

void ListaCarpetas::Abrir(const QTreeWidgetItem* item)
{
    const QString destino = item->data(0, Qt::UserRole).toString();
    if (destino != ruta && (!guarda || guarda(destino)))
        FijarRuta(destino);
}

void ListaCarpetas::Mostrar()
{
    clear();
    QStringList camino{ruta};
    while (Arriba(camino.first()) != camino.first())
        camino.prepend(Arriba(camino.first()));
    const auto anadir = [](QTreeWidgetItem* item, const QString& carpeta, QStyle::StandardPixmap icono) {
        const QString nombre = QFileInfo(carpeta).fileName();
        item->setText(0, NombreVisible(nombre.isEmpty() ? QDir::toNativeSeparators(carpeta) : nombre));
        item->setData(0, Qt::UserRole, carpeta);
        item->setIcon(0, item->treeWidget()->style()->standardIcon(icono));
        return item;
    };
    QTreeWidgetItem* actual = anadir(new QTreeWidgetItem(this), camino.takeFirst(), QStyle::SP_DirOpenIcon);
    for (const QString& c : std::as_const(camino))
        actual = anadir(new QTreeWidgetItem(actual), c, QStyle::SP_DirOpenIcon);
    const QDir dir(ruta);
    for (const QString& n : Leer(ruta, true))
        anadir(new QTreeWidgetItem(actual), dir.filePath(n), QStyle::SP_DirClosedIcon);
    expandAll();
    setCurrentItem(actual);
}

ListaFicheros::ListaFicheros(QWidget* parent)
    : QListView(parent), modelo(new ModeloNombres(this))
{
    setModel(modelo);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    PistasDeCortados(this);
}

void ListaFicheros::FijarCarpeta(const QString& nueva)
{
    carpeta = nueva;
    clearSelection();
    Releer();
}

void ListaFicheros::FijarPatron(const QString& texto)
{
    patron = Patron(texto);
    Mostrar();
}

void ListaFicheros::Releer()
{
    todos = Leer(carpeta, false);
    Mostrar();
}

QStringList ListaFicheros::Seleccionados() const
{
    QModelIndexList filas = selectionModel()->selectedRows();
    std::sort(filas.begin(), filas.end());
    QStringList nombres;
    nombres.reserve(filas.size());
    for (const QModelIndex& i : std::as_const(filas))
        nombres << i.data(Qt::UserRole).toString();
    return nombres;
}

void ListaFicheros::Mostrar()
{
    QSet<QString> marcados;
    for (const QModelIndex& i : selectionModel()->selectedRows())
        marcados.insert(i.data(Qt::UserRole).toString());

    QStringList pasan;
    for (const QString& n : std::as_const(todos))
        if (patron.Coincide(n))
            pasan << n;
    modelo->Poner(pasan);

    if (marcados.isEmpty())
        return;
    // One range per run of selected rows, so that selecting everything stays one range.
    QItemSelection seleccion;
    for (int fila = 0; fila < pasan.size();) {
        if (!marcados.contains(pasan[fila])) {
            ++fila;
            continue;
        }
        const int inicio = fila;
        while (fila < pasan.size() && marcados.contains(pasan[fila]))
            ++fila;
        seleccion.select(modelo->index(inicio), modelo->index(fila - 1));
    }
    selectionModel()->select(seleccion, QItemSelectionModel::Select);
}
