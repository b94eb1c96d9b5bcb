#pragma once

#include <QFont>

// The windows were designed in MS Sans Serif, which Linux lacks. Liberation Sans has the
// metrics of the fonts that replaced it on Windows, so captions keep to their designed boxes.
inline QFont FuenteVentana(double puntos = 8, bool negrita = false)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPointSizeF(puntos);
    f.setBold(negrita);
    return f;
}
