#include "ui/Encaje.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace {

QRect Disponible(const QWidget* w)
{
    const QScreen* pantalla = w->screen();
    return pantalla ? pantalla->availableGeometry() : QRect();
}

}  // namespace

QMargins MarcoVentana(const QWidget* modelo)
{
    // The style's guess, and no less than what the window manager gave `modelo`: a window that
    // can change size often gets a thicker border than a fixed one.
    const QStyle* estilo = modelo ? modelo->style() : nullptr;
    const int borde = estilo ? estilo->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth) : 4;
    const int titulo = estilo ? estilo->pixelMetric(QStyle::PM_TitleBarHeight) : 24;
    QMargins marco(borde, titulo + borde, borde, borde);
    if (modelo && modelo->isVisible()) {
        const QRect fuera = modelo->frameGeometry(), dentro = modelo->geometry();
        marco.setLeft(std::max(marco.left(), dentro.left() - fuera.left()));
        marco.setTop(std::max(marco.top(), dentro.top() - fuera.top()));
        marco.setRight(std::max(marco.right(), fuera.right() - dentro.right()));
        marco.setBottom(std::max(marco.bottom(), fuera.bottom() - dentro.bottom()));
    }
    return marco;
}

void CaberEnPantalla(QWidget* ventana, const QWidget* junto)
{
    const QWidget* referencia = junto ? junto : ventana;
    const QRect area = Disponible(referencia);
    if (area.isEmpty())
        return;
    const QMargins marco = MarcoVentana(referencia);
    const QSize cabe = area.size().shrunkBy(marco).expandedTo(ventana->minimumSize());
    ventana->resize(ventana->size().boundedTo(cabe));
}

void CentrarEnPantalla(QWidget* ventana)
{
    const QRect area = Disponible(ventana);
    const QSize conMarco = ventana->size().grownBy(MarcoVentana(ventana));
    // Where the frame does not fit, its top-left corner stays on the screen: the title bar is
    // what moves a window.
    const int x = area.left() + std::max(0, (area.width() - conMarco.width()) / 2);
    const int y = area.top() + std::max(0, (area.height() - conMarco.height()) / 2);
    ventana->move(x, y);
}
