#pragma once

#include <QMargins>

class QWidget;

// Windows that open wholly on the screen, whatever its size and scale.

// The frame the window manager puts round a window, at the most: the style's guess of a title
// bar and borders, or the frame it gave `modelo` where that is larger.
QMargins MarcoVentana(const QWidget* modelo);
// Cuts a window that may change size down to what the available area of the screen of `junto`
// (its own without it) holds, frame included.
void CaberEnPantalla(QWidget* ventana, const QWidget* junto = nullptr);
// Puts a window's frame in the middle of the available area of its screen, wholly inside it.
void CentrarEnPantalla(QWidget* ventana);
