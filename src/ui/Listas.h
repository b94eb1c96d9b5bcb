#pragma once

#include "engine/Listado.h"

#include <QListView>
#include <QString>
#include <QStringList>
#include <QTreeWidget>

#include <functional>

class ModeloNombres;

// The folder list: the folders on the path down to the current folder, each one indented
// under the one above, then the current folder's subfolders. Opening one (double click or
// Enter) makes it the current folder.
class ListaCarpetas : public QTreeWidget {
    Q_OBJECT
public:
    explicit ListaCarpetas(QWidget* parent = nullptr);
    QString Ruta() const { return ruta; }
    // Moves to a folder; when it cannot be entered, to the nearest folder above it that can.
    void FijarRuta(const QString& nueva);
    // Lists the folders anew, for what changed on disk meanwhile.
    void Releer() { FijarRuta(ruta); }
    // Asked before the user opens a folder: whether it may be entered (a volume that does not
    // answer would hold up the window).
    void FijarGuarda(std::function<bool(const QString&)> puede) { guarda = std::move(puede); }

Q_SIGNALS:
    void Cambio();  // the current folder changed

protected:
    void keyPressEvent(QKeyEvent* ev) override;
    // Nothing here folds: the indentation alone shows the levels.
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}

private:
    void Abrir(const QTreeWidgetItem* item);
    void Mostrar();

    QString ruta;
    std::function<bool(const QString&)> guarda;
};

// The file list: the files of one folder (hidden ones included, no folders) that match a
// pattern, in natural order, with extended multi-selection. The names are read once per
// folder or re-read and kept in a model, so a new pattern does not touch the disk.
class ListaFicheros : public QListView {
    Q_OBJECT
public:
    explicit ListaFicheros(QWidget* parent = nullptr);
    // Shows another folder, with nothing selected.
    void FijarCarpeta(const QString& nueva);
    // Shows the names that match; those still shown stay selected.
    void FijarPatron(const QString& texto);
    // Reads the folder anew; the names still there stay selected.
    void Releer();
    // The selected names, in list order.
    QStringList Seleccionados() const;

private:
    void Mostrar();

    QString carpeta;
    QStringList todos;  // every file of the folder, in list order
    Patron patron{u""};
    ModeloNombres* modelo;
};
