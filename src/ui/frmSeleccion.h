#pragma once

#include "ui/Discos.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QString>

#include <map>
#include <memory>

struct Estado;
class ListaCarpetas;
class ListaFicheros;
class QComboBox;
class QLabel;
class QPushButton;
class QTimer;
class Sonda;

// The file selection dialog: drive, folder, filter and a multi-selection file list;
// "Aceptar" writes the selection into the shared state. Built hidden; "Aceptar" and
// "Cancelar" only hide it, so drive, folder and filter stay for the next opening. The close
// box deletes it once control is back in the event loop: hold it in a QPointer and build a
// new one when that is null.
class frmSeleccion : public QDialog {
    Q_OBJECT
public:
    explicit frmSeleccion(Estado& e, QWidget* parent = nullptr);
    ~frmSeleccion() override;

    // Takes `nombres` of the folder `carpeta` (as the selection records it) for the selection,
    // as "Aceptar" does: saved logs among them may be left out, and more than 32767 files are
    // refused with a message (false; the selection stays as it was).
    static bool Tomar(QWidget* padre, Estado& e, QStringList nombres, const QString& carpeta);
    // The folder the lists show next.
    void AbrirEn(const QString& carpeta);

protected:
    void resizeEvent(QResizeEvent* ev) override;
    // The focus in the file list at every opening; the size kept for the next.
    void showEvent(QShowEvent* ev) override;
    void hideEvent(QHideEvent* ev) override;
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
    // Fills the drive list anew and shows in it the drive of the current folder; asks each
    // drive whether it is ready, without waiting for the answers.
    void LlenarDiscos();
    // The question whether the drive of root `raiz` is ready: the one still unanswered, else
    // a new one.
    Sonda& Sondear(const QString& raiz);
    // Marks in the drive list each drive that is not ready or does not answer.
    void MarcarDiscos();
    // Whether the drive of root `raiz` can be entered now; when not, tells the user why.
    bool DiscoListo(const QString& raiz);
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
    std::map<QString, std::unique_ptr<Sonda>> sondas;  // by the drive's root
    QTimer* mirarSondas;
    QHash<QString, QString> carpetaDe;  // the last folder visited on each drive, by its root
    QString UltimaRuta;                 // the last path known to be reachable
};
