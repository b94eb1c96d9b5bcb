#pragma once

#include "log/Historial.h"

#include <QDialog>

#include <functional>

class QPushButton;
class QTableView;
class ModeloHistorial;

// "Historial": the user's past runs, newest first, from every window of the program. An entry
// can be undone, after its undo is foretold and confirmed, or saved as a log. The main window
// does both (it shows the run and owns the save dialog): it hands them in as `deshacer` and
// `guardar`. Build it and exec() it; "Cerrar" and Esc close it.
class frmHistorial : public QDialog {
    Q_OBJECT
public:
    frmHistorial(const QString& carpeta, std::function<void(const EntradaHistorial&)> deshacer,
                 std::function<void(const EntradaHistorial&)> guardar, QWidget* parent = nullptr);

private Q_SLOTS:
    void cmdDeshacerHist_Click();
    void cmdGuardarHist_Click();
    void cmdCerrarHist_Click();

private:
    // Reads the history anew into the table.
    void Cargar();
    // The entry chosen in the table; none when no row is.
    const EntradaHistorial* Elegida() const;
    void ActualizarBotones();

    const QString carpeta;
    const std::function<void(const EntradaHistorial&)> deshacer, guardar;
    ModeloHistorial* modelo;
    QTableView* lstHistorial;
    QPushButton* cmdDeshacerHist;
    QPushButton* cmdGuardarHist;
    QPushButton* cmdCerrarHist;
};
