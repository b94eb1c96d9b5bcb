#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QTableView;

// One row of a table of renames: the file's name, its new name, what becomes of it, and how
// the row stands out (a failure in red, a file left as it is greyed).
struct FilaCambio {
    enum class Tono : quint8 { Normal, Apagado, Fallo };
    QString actual;
    QString nuevo;
    QString resultado;
    Tono tono = Tono::Normal;
};

// What the preview and the result of a run share: a resizable modal dialog with a summary
// line (`lblResumen`) over one table of renames ("Nombre actual", "Nombre nuevo",
// "Resultado") and a row of buttons ending in "Cerrar" (`cmdCerrar`), which Esc presses too.
class DialogoDeCambios : public QDialog {
    Q_OBJECT
protected:
    DialogoDeCambios(QWidget* parent, const char* nombre, const QString& titulo, const char* tabla,
                     const QString& paraLeer);
    // The rows, in the order given; one model over all of them, so that the largest run shows
    // at once: the view asks only for the rows it draws.
    void Mostrar(QList<FilaCambio> filas);

    QLabel* lblResumen;
    QTableView* lista;
    QHBoxLayout* botones;
    QPushButton* cmdCerrar;
};
