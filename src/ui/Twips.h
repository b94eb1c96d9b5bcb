#pragma once

#include <QRect>
#include <QWidget>
#include <QtMath>

// The windows are designed in twips, 1440 to the inch, laid out at 15 twips per logical
// pixel; Qt scales logical pixels on high-DPI screens.
inline constexpr int TwipsPorPixel = 15;

inline int Pixeles(double twips)
{
    return qRound(twips / TwipsPorPixel);
}

inline QRect RectTwips(double izquierda, double arriba, double ancho, double alto)
{
    return {Pixeles(izquierda), Pixeles(arriba), Pixeles(ancho), Pixeles(alto)};
}

inline void ColocarTwips(QWidget* w, double izquierda, double arriba, double ancho, double alto)
{
    w->setGeometry(RectTwips(izquierda, arriba, ancho, alto));
}
