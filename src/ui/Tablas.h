#pragma once

#include <QString>

class QDialog;
class QTableView;
class QVBoxLayout;

// What the program's dialogs around one table share: a resizable modal dialog of the
// program's icon and font, `ancho` by `alto` twips, its controls in one column with the
// windows' margins, returned to be filled.
QVBoxLayout* DialogoDeTabla(QDialog* dialogo, const char* nombre, const QString& titulo, double ancho,
                            double alto);

// A table that shows whole rows and edits nothing; a long name loses its middle, where the
// ends that tell names apart (the extension, a number) stay.
void TablaDeFilas(QTableView* tabla, const char* nombre);
