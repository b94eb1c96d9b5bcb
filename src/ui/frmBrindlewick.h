#pragma once

#include "dialogs/cComDlg.h"
#include "engine/Panel.h"
#include "engine/Pantalla.h"

#include <QMainWindow>
#include <QElapsedTimer>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>

class EtiquetaRapida;
class Forma;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSettings;
class frmAyuda;
class frmSeleccion;
struct Estado;
struct ResultadoProceso;

// The main window: the selection, the operation panel, the progress of a run, the menus.
// It shows and asks; the renaming itself happens below it.
class frmBrindlewick : public QMainWindow, public Pantalla {
    Q_OBJECT
public:
    explicit frmBrindlewick(Estado& e, QWidget* parent = nullptr);
    ~frmBrindlewick() override;

    // What a run shows, once per file.
    void MostrarFichero(const QString& nombre) override;
    void CederEventos() override;
    float AnchoMarco() const override;
    void FijarAnchoBarra(float ancho) override;
    bool Detenido() const override;

    // Files given from outside, on the command line or dropped (paths and file:// URIs, as
    // bytes): those of one folder selected as "Aceptar" selects them, what is left out told; a
    // folder given alone opens the selection dialog there.
    void AbrirDados(const QList<QByteArray>& dados);

protected:
    void closeEvent(QCloseEvent* evento) override;
    // "Vista previa" follows "Renombrar" from enabled to disabled and back.
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    // Files dropped from a file manager, taken as AbrirDados takes them, but not during a run.
    void dragEnterEvent(QDragEnterEvent* evento) override;
    void dropEvent(QDropEvent* evento) override;

private Q_SLOTS:
    void cmdSeleccionar_Click();
    void cmdProcesar_Click();
    void mnuVistaPrevia_Click();
    void optOpciones_Click();
    void optAnadirEn_Click();
    void optAnadirPrincipio_Click();
    void optAnadirFinal_Click();
    void mnuDeshacer_Click();
    void mnuGuardar_Click();
    void mnuCargar_Click();
    void mnuHistorial_Click();
    void mnuCerrar_Click();
    void mnuManual_Click();
    void mnuAcerca_Click();

private:
    void CrearControles();
    void CrearMenus();
    void Form_Load();
    void OcultarProgreso();
    // "Renombrar" and the count after a selection, as `e.NumArchivos` says.
    void MostrarSeleccion();
    // The Save dialog in `carpeta`, then the success records of the log `log` written there.
    void GuardarLogComo(const QString& log, const QString& carpeta);
    // A run on the window: the controls locked, the bar shown and the count label reading
    // `rotulo` (when given) while `corrida` renames, then its end told as the run's end is
    // (summary, save offer, "Listo"), or its refusal, which leaves the window as it was.
    void Correr(const std::function<ResultadoProceso()>& corrida, const QString& rotulo = {});
    Opcion OpcionElegida() const;
    Panel PanelActual() const;
    // "Resultado", from the log `log` of the run just ended.
    void MostrarResultado(const QString& log);
    // A click on a greyed text box of the panel.
    void ElegirCaja(QLineEdit* caja);
    // Exactly the boxes of the chosen operation enabled; the first of them, if any.
    QLineEdit* ActivarCajas();
    // While a run or an undo yields between files, nothing may change the selection or the
    // log under it.
    void Bloquear(bool enProceso);

    Estado& e;
    cComDlg Dialogo;
    std::unique_ptr<QSettings> ajustes;
    QPointer<frmSeleccion> seleccion;
    QPointer<frmAyuda> ayuda;
    bool enProceso = false;
    bool cerrando = false;
    QString enCurso;              // the file in hand, shown at the next yield
    QElapsedTimer ultimaCesion;   // since the event loop last ran during a run

    QPushButton* cmdSeleccionar;
    QPushButton* cmdProcesar;
    QLabel* lblNumArchivos;
    QGroupBox* fraOpciones;
    std::array<QRadioButton*, NumOpciones> optOpciones;  // by Opcion
    std::array<QLineEdit*, NumCajas> cajas;    // by Caja
    QLineEdit* txtExtension;
    QLineEdit* txtString1;
    QLineEdit* txtString2;
    QLineEdit* txtAnadir;
    QWidget* fraAnadir;
    QRadioButton* optAnadirPrincipio;
    QRadioButton* optAnadirFinal;
    QRadioButton* optAnadirEn;
    QLineEdit* txtPosicion;
    QLineEdit* txtGenerar;
    QLineEdit* txtGenerarDesde;
    Forma* shpOutProgreso;
    Forma* shpProgreso;
    EtiquetaRapida* lblFichop;
    QAction* mnuVistaPrevia;
    QAction* mnuDeshacer;
    QAction* mnuGuardar;
    QAction* mnuCargar;
    QAction* mnuHistorial;
};
