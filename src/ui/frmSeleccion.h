#pragma once

#include "ui/Discos.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QString>

struct Estado;
class ListaCarpetas;
class ListaFicheros;
class QComboBox;
class QLabel;
class QPushButton;

// The file selection dialog: drive, folder, filter and a multi-selection file list;
// "Aceptar" writes the selection into the shared state. Built hidden; "Aceptar" and
// "Cancelar" only hide it, so drive, folder and filter stay for the next opening. The close
// box deletes it once control is back in the event loop: hold it in a QPointer and build a
// new one when that is null.
class frmSeleccion : public QDialog {
    Q_OBJECT
public:
    explicit frmSeleccion(Estado& e, QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* ev) override;
    void closeEvent(QCloseEvent* ev) override;

private Q_SLOTS:
    void Form_Load();
    void Form_Activate();
    void lstDiscos_Change();
    void lstCarpetas_Change();
    void cmbFiltro_Change(const QString& texto);
    void cmbFiltro_Click(int indice);
    void cmdAceptar_Click();
    void cmdCancelar_Click();

private:
    // Fills the drive list anew and shows in it the drive of the current folder.
    void LlenarDiscos();
    // The drive list's entry for the drive that holds `ruta`; -1 when none does.
    int IndiceDisco(const QString& ruta) const;

    Estado& e;
    QComboBox* lstDiscos;
    ListaCarpetas* lstCarpetas;
    ListaFicheros* lstFicheros;
    QPushButton* cmdAceptar;
    QPushButton* cmdCancelar;
    QLabel* Label1;
    QComboBox* cmbFiltro;

    QList<Disco> discos;
    QHash<QString, QString> carpetaDe;  // the last folder visited on each drive, by its root
    QString UltimaRuta;                 // the last path known to be reachable
};
