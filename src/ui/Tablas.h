#pragma once

#include <QString>

class QAbstractItemView;
class QDialog;
class QTableView;
class QVBoxLayout;

// What the program's dialogs around one table share: a resizable modal dialog of the
// program's icon and font, `ancho` by `alto` twips, its controls in one column with the
// windows' margins, returned to be filled.
QVBoxLayout* DialogoDeTabla(QDialog* dialogo, const char* nombre, const QString& titulo, double ancho,
                            double alto);

// A table that shows whole rows and edits nothing; a long name loses its middle, where the
// ends that tell names apart (the extension, a number) stay, and shows whole in a tooltip.
// `paraLeer` names it for a screen reader.
void TablaDeFilas(QTableView* tabla, const char* nombre, const QString& paraLeer);

// The items of `vista` that its width cuts show whole in a tooltip.
void PistasDeCortados(QAbstractItemView* vista);
