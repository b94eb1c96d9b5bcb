#include "ui/Tablas.h"

#include "ui/Fuentes.h"
#include "ui/Icono.h"
#include "ui/Twips.h"

#include <QBoxLayout>
#include <QDialog>
#include <QTableView>

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
    auto* columna = new QVBoxLayout(dialogo);
    columna->setContentsMargins(Pixeles(120), Pixeles(120), Pixeles(120), Pixeles(120));
    columna->setSpacing(Pixeles(120));
    return columna;
}

void TablaDeFilas(QTableView* tabla, const char* nombre)
{
    tabla->setObjectName(QString::fromLatin1(nombre));
    tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabla->setWordWrap(false);
    tabla->setTextElideMode(Qt::ElideMiddle);
}
