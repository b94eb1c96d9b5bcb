#include "ui/Tablas.h"

#include "ui/Encaje.h"
#include "ui/Fuentes.h"
#include "ui/Icono.h"
#include "ui/Twips.h"

#include <QBoxLayout>
#include <QDialog>
#include <QHelpEvent>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolTip>

QVBoxLayout* DialogoDeTabla(QDialog* dialogo, const char* nombre, const QString& titulo, double ancho,
                            double alto)
{
    dialogo->setObjectName(QString::fromLatin1(nombre));
    dialogo->setWindowTitle(titulo);
    dialogo->setWindowIcon(IconoPrograma());
    dialogo->setFont(FuenteVentana());
    dialogo->setModal(true);
    dialogo->setSizeGripEnabled(true);
    dialogo->resize(Pixeles(ancho), Pixeles(alto));
    CaberEnPantalla(dialogo, dialogo->parentWidget());
    auto* columna = new QVBoxLayout(dialogo);
    columna->setContentsMargins(Pixeles(120), Pixeles(120), Pixeles(120), Pixeles(120));
    columna->setSpacing(Pixeles(120));
    return columna;
}

namespace {

class DelegadoConPista final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool helpEvent(QHelpEvent* evento, QAbstractItemView* vista, const QStyleOptionViewItem& opcion,
                   const QModelIndex& indice) override
    {
        if (evento->type() != QEvent::ToolTip)
            return QStyledItemDelegate::helpEvent(evento, vista, opcion, indice);
        QStyleOptionViewItem o = opcion;
        initStyleOption(&o, indice);
        const QRect texto = vista->style()->subElementRect(QStyle::SE_ItemViewItemText, &o, vista);
        // The style's text margin on both sides is part of the rectangle, not of the text.
        const int margen = 2 * (vista->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, &o, vista) + 1);
        if (o.fontMetrics.horizontalAdvance(o.text) > texto.width() - margen)
            QToolTip::showText(evento->globalPos(), o.text, vista->viewport(), o.rect);
        else
            QToolTip::hideText();
        return true;
    }
};

}  // namespace

void PistasDeCortados(QAbstractItemView* vista)
{
    vista->setItemDelegate(new DelegadoConPista(vista));
}

void TablaDeFilas(QTableView* tabla, const char* nombre, const QString& paraLeer)
{
    tabla->setObjectName(QString::fromLatin1(nombre));
    tabla->setAccessibleName(paraLeer);
    PistasDeCortados(tabla);
    tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabla->setWordWrap(false);
    // Tab leaves the table for the buttons; the arrows move within it.
    tabla->setTabKeyNavigation(false);
    tabla->setTextElideMode(Qt::ElideMiddle);
}
