#include "ui/frmBrindlewick.h"

#include "app/Dados.h"
#include "app/Prevision.h"
#include "app/Proceso.h"
#include "engine/Estado.h"
#include "engine/Operaciones.h"
#include "engine/Panel.h"
#include "engine/Reglas.h"
#include "log/Guardar.h"
#include "log/Historial.h"
#include "platform/Nombres.h"
#include "dialogs/Avisos.h"
#include "ui/Encaje.h"
#include "ui/Formas.h"
#include "ui/Fuentes.h"
#include "ui/Icono.h"
#include "ui/Twips.h"
#include "ui/frmAcerca.h"
#include "ui/frmAyuda.h"
#include "ui/frmHistorial.h"
#include "ui/frmResultado.h"
#include "ui/frmSeleccion.h"
#include "ui/frmVistaPrevia.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QShortcut>

#include <limits>

namespace {

const QString Titulo = QStringLiteral("Brindlewick");

template <typename Control>
Control* Crear(QWidget* padre, const char* nombre, double izquierda, double arriba, double ancho,
               double alto, const QString& texto = {})
{
    auto* c = new Control(padre);
    c->setObjectName(QString::fromLatin1(nombre));
    ColocarTwips(c, izquierda, arriba, ancho, alto);
    if constexpr (requires { c->setText(texto); })
        c->setText(texto);
    return c;
}

// A text box, named for a screen reader by what it asks for: it has no caption of its own.
QLineEdit* CajaDeTexto(QWidget* padre, const char* nombre, double izquierda, double arriba, double ancho,
                       int largoMaximo, const QString& pide)
{
    auto* caja = Crear<QLineEdit>(padre, nombre, izquierda, arriba, ancho, 285);
    if (largoMaximo > 0)
        caja->setMaxLength(largoMaximo);
    caja->setAccessibleName(pide);
    return caja;
}

// One of the dark blue lines that bracket the three ways of adding a text.
void Linea(QWidget* padre, const char* nombre, int x1, int y1, int x2, int y2)
{
    auto* linea = new QWidget(padre);
    linea->setObjectName(QString::fromLatin1(nombre));
    linea->setGeometry(Pixeles(x1), Pixeles(y1), Pixeles(x2 - x1) + 1, Pixeles(y2 - y1) + 1);
    QPalette paleta = linea->palette();
    paleta.setColor(QPalette::Window, QColor(0, 0, 192));
    linea->setPalette(paleta);
    linea->setAutoFillBackground(true);
}

}  // namespace

frmBrindlewick::frmBrindlewick(Estado& e, QWidget* parent)
    : QMainWindow(parent),
      e(e),
      ajustes(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, Titulo,
                                          Titulo))
{
    setObjectName(QStringLiteral("frmBrindlewick"));
    setWindowTitle(Titulo);
    setWindowIcon(IconoPrograma());
    // A half point under the dialogs' size: the longest option caption then fits its box.
    setFont(FuenteVentana(7.5));
    // A minimize button and no maximize button; the size stays what it is at load.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    CrearControles();
    CrearMenus();
    Form_Load();
    setAcceptDrops(true);
}

frmBrindlewick::~frmBrindlewick() = default;

void frmBrindlewick::CrearControles()
{
    auto* ventana = new QWidget(this);
    ventana->setFixedSize(Pixeles(3240), Pixeles(4035));
    setCentralWidget(ventana);

    cmdSeleccionar = Crear<QPushButton>(ventana, "cmdSeleccionar", 120, 120, 1095, 375,
                                        tr("Seleccionar"));
    auto* label3 = Crear<QLabel>(ventana, "Label3", 1320, 0, 465, 150, tr("Ficheros"));
    label3->setFont(QFont(QStringLiteral("Liberation Sans Narrow"), 6));
    // The whole room between the buttons, so that the largest count shows whole; the yellow
    // figures on a dark ground of their own, readable on any theme.
    lblNumArchivos = Crear<QLabel>(ventana, "lblNumArchivos", 1260, 180, 615, 375, QStringLiteral("0"));
    lblNumArchivos->setAlignment(Qt::AlignCenter);
    QFont cifras(QStringLiteral("Liberation Sans Narrow"), 12);
    while (cifras.pointSize() > 6
           && QFontMetrics(cifras).horizontalAdvance(QString::number(std::numeric_limits<qint16>::max()))
               > lblNumArchivos->width() - 4)
        cifras.setPointSize(cifras.pointSize() - 1);
    lblNumArchivos->setFont(cifras);
    QPalette amarillo = lblNumArchivos->palette();
    amarillo.setColor(QPalette::WindowText, QColor(255, 255, 0));
    amarillo.setColor(QPalette::Window, QColor(32, 32, 32));
    lblNumArchivos->setPalette(amarillo);
    lblNumArchivos->setAutoFillBackground(true);
    lblNumArchivos->setAccessibleDescription(tr("Ficheros"));
    cmdProcesar = Crear<QPushButton>(ventana, "cmdProcesar", 1920, 120, 1215, 375,
                                     tr("Renombrar"));
    cmdProcesar->setEnabled(false);

    fraOpciones = Crear<QGroupBox>(ventana, "fraOpciones", 120, 600, 3015, 3135);
    fraOpciones->setTitle(tr("Proceso"));
    const auto opcion = [this](Opcion o, double izquierda, double arriba, double ancho) {
        const DefinicionOperacion& d = Definicion(o);
        const QByteArray nombre = "optOpciones_" + QByteArray::number(int(o));
        optOpciones[size_t(o)] = Crear<QRadioButton>(fraOpciones, nombre.constData(), izquierda, arriba, ancho, 255,
                                                     QCoreApplication::translate("Operaciones", d.titulo));
        if (*d.descripcion)
            optOpciones[size_t(o)]->setAccessibleDescription(QCoreApplication::translate("Operaciones", d.descripcion));
    };
    // Created top to bottom, so that Tab walks the panel in the order it reads.
    opcion(Opcion::Extension, 120, 240, 1935);
    txtExtension = CajaDeTexto(fraOpciones, "txtExtension", 2160, 240, 735, 20, tr("Nueva extensión"));
    opcion(Opcion::Minusculas, 120, 600, 975);
    opcion(Opcion::Mayusculas, 1200, 600, 975);
    opcion(Opcion::Cambiar, 120, 960, 975);
    txtString1 = CajaDeTexto(fraOpciones, "txtString1", 1080, 960, 735, 25, tr("Texto a buscar"));
    // The whole gap between the boxes, centred: "por" where it was designed, a longer word whole.
    Crear<QLabel>(fraOpciones, "Label1", 1815, 975, 345, 255, tr("por"))->setAlignment(Qt::AlignCenter);
    txtString2 = CajaDeTexto(fraOpciones, "txtString2", 2160, 960, 735, 25, tr("Texto nuevo"));
    opcion(Opcion::Anadir, 120, 1320, 855);
    txtAnadir = CajaDeTexto(fraOpciones, "txtAnadir", 1080, 1320, 1095, 25, tr("Texto a añadir"));
    fraAnadir = Crear<QWidget>(fraOpciones, "fraAnadir", 240, 1680, 2535, 975);
    optAnadirPrincipio = Crear<QRadioButton>(fraAnadir, "optAnadirPrincipio", 480, 0, 1215, 375, tr("Al principio"));
    optAnadirFinal = Crear<QRadioButton>(fraAnadir, "optAnadirFinal", 480, 360, 1215, 255, tr("Al final"));
    optAnadirEn = Crear<QRadioButton>(fraAnadir, "optAnadirEn", 480, 660, 1335, 255, tr("En la posicion:"));
    txtPosicion = CajaDeTexto(fraAnadir, "txtPosicion", 1920, 600, 375, 2, tr("Posición"));
    Linea(fraAnadir, "Line1", 360, 0, 360, 765);
    Linea(fraAnadir, "Line2", 360, 165, 480, 165);
    Linea(fraAnadir, "Line3", 360, 480, 480, 480);
    Linea(fraAnadir, "Line4", 360, 765, 480, 765);
    opcion(Opcion::Generar, 120, 2730, 975);
    txtGenerar = CajaDeTexto(fraOpciones, "txtGenerar", 1080, 2715, 735, 0, tr("Patrón"));
    Crear<QLabel>(fraOpciones, "Label2", 1875, 2760, 435, 195, tr("desde"));
    txtGenerarDesde = CajaDeTexto(fraOpciones, "txtGenerarDesde", 2400, 2715, 495, 0, tr("Número inicial"));
    cajas = {txtExtension, txtString1, txtString2, txtAnadir, txtPosicion, txtGenerar, txtGenerarDesde};

    // Each group keeps exactly one option chosen, however it is clicked.
    auto* operaciones = new QButtonGroup(fraOpciones);
    for (QRadioButton* o : optOpciones)
        operaciones->addButton(o);
    auto* modos = new QButtonGroup(fraAnadir);
    for (QRadioButton* sub : {optAnadirPrincipio, optAnadirFinal, optAnadirEn})
        modos->addButton(sub);
    // Sized for the Spanish captions; a longer translation takes the free room to their right.
    for (QRadioButton* sub : {optAnadirPrincipio, optAnadirFinal, optAnadirEn})
        sub->resize(std::max(sub->width(), sub->sizeHint().width()), sub->height());
    optOpciones[size_t(Opcion::Extension)]->setChecked(true);
    optAnadirPrincipio->setChecked(true);
    ActivarCajas();

    shpOutProgreso = new Forma(ventana, QStringLiteral("shpOutProgreso"), QColor(255, 0, 0), {});
    shpOutProgreso->setGeometriaTwips(120, 3780, 3015, 225);
    shpProgreso = new Forma(ventana, QStringLiteral("shpProgreso"), QColor(0, 0, 255),
                            QColor(0, 0, 255));
    shpProgreso->setGeometriaTwips(1920, 3840, 255, 135);
    shpOutProgreso->setAccessibleName(tr("Marco de progreso"));
    shpProgreso->setAccessibleName(tr("Progreso"));
    lblFichop = new EtiquetaRapida(ventana, QStringLiteral("lblFichop"), shpProgreso);
    ColocarTwips(lblFichop, 600, 3780, 2175, 225);
    lblFichop->setAccessibleDescription(tr("Archivo en curso"));

    for (QRadioButton* o : optOpciones)
        connect(o, &QRadioButton::clicked, this, &frmBrindlewick::optOpciones_Click);
    fraOpciones->installEventFilter(this);
    fraAnadir->installEventFilter(this);
    connect(optAnadirEn, &QRadioButton::clicked, this, &frmBrindlewick::optAnadirEn_Click);
    connect(optAnadirPrincipio, &QRadioButton::clicked, this,
            &frmBrindlewick::optAnadirPrincipio_Click);
    connect(optAnadirFinal, &QRadioButton::clicked, this, &frmBrindlewick::optAnadirFinal_Click);
    connect(cmdSeleccionar, &QPushButton::clicked, this, &frmBrindlewick::cmdSeleccionar_Click);
    connect(cmdProcesar, &QPushButton::clicked, this, &frmBrindlewick::cmdProcesar_Click);

    // "Seleccionar" is the window's default button: Enter presses it, unless the focus is on
    // another button, which Enter then presses.
    for (int tecla : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* intro = new QShortcut(QKeySequence(tecla), this);
        connect(intro, &QShortcut::activated, this, [this] {
            auto* boton = qobject_cast<QPushButton*>(focusWidget());
            if (!boton || !boton->isEnabled())
                boton = cmdSeleccionar;
            if (boton->isEnabled())
                boton->click();
        });
    }
}

void frmBrindlewick::CrearMenus()
{
    const auto accion = [this](QMenu* menu, const char* nombre, const QString& texto,
                               void (frmBrindlewick::*manejador)()) {
        QAction* a = menu->addAction(texto);
        a->setObjectName(QString::fromLatin1(nombre));
        connect(a, &QAction::triggered, this, manejador);
        return a;
    };
    QMenu* opciones = menuBar()->addMenu(tr("&Opciones"));
    opciones->setObjectName(QStringLiteral("mnuOpciones"));
    mnuVistaPrevia = accion(opciones, "mnuVistaPrevia", tr("&Vista previa"),
                            &frmBrindlewick::mnuVistaPrevia_Click);
    mnuVistaPrevia->setEnabled(cmdProcesar->isEnabled());
    cmdProcesar->installEventFilter(this);
    // The usual keys. In a text box the box keeps its own: Ctrl+Z undoes the typing there.
    mnuVistaPrevia->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    opciones->addSeparator()->setObjectName(QStringLiteral("mnuLineaVista"));
    mnuDeshacer = accion(opciones, "mnuDeshacer", tr("&Deshacer"),
                         &frmBrindlewick::mnuDeshacer_Click);
    mnuDeshacer->setShortcut(QKeySequence::Undo);
    opciones->addSeparator()->setObjectName(QStringLiteral("mnuLinea"));
    mnuGuardar = accion(opciones, "mnuGuardar", tr("Guardar Log"),
                        &frmBrindlewick::mnuGuardar_Click);
    mnuGuardar->setCheckable(true);
    mnuCargar = accion(opciones, "mnuCargar", tr("Cargar Log"),
                       &frmBrindlewick::mnuCargar_Click);
    mnuHistorial = accion(opciones, "mnuHistorial", tr("&Historial…"), &frmBrindlewick::mnuHistorial_Click);
    mnuHistorial->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    opciones->addSeparator()->setObjectName(QStringLiteral("linea2"));
    accion(opciones, "mnuCerrar", tr("&Cerrar"), &frmBrindlewick::mnuCerrar_Click);

    QMenu* menuAyuda = menuBar()->addMenu(tr("&Ayuda"));
    menuAyuda->setObjectName(QStringLiteral("mnuAyuda"));
    accion(menuAyuda, "mnuManual", tr("&Manual"), &frmBrindlewick::mnuManual_Click)
        ->setShortcut(QKeySequence(Qt::Key_F1));
    accion(menuAyuda, "mnuAcerca", tr("&Acerca de"), &frmBrindlewick::mnuAcerca_Click);

    // F10 opens the menu bar, as in every desktop program.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
}

void frmBrindlewick::Form_Load()
{
    seleccion = new frmSeleccion(e, this);

    Dialogo.hWnd = this;
    Dialogo.Filter(QStringLiteral("Log (*.bwk)|*.bwk"));
    Dialogo.Flags = 6150;

    mnuDeshacer->setEnabled(false);
    mnuGuardar->setChecked(LeerGuardar(*ajustes));
    e.GuardarLog = mnuGuardar->isChecked();

    OcultarProgreso();
    // The bar lies inside its outline, and the file name over both.
    shpProgreso->setGeometriaTwips(shpOutProgreso->Left() + 10, shpOutProgreso->Top() + 15,
                                   shpProgreso->Width(), shpOutProgreso->Height() - 25);
    // The widest the bar grows: what a screen reader takes for the whole.
    shpProgreso->setMaximo(AnchoProgreso(shpOutProgreso->Width(), 1, 0));
    lblFichop->setGeometry(shpOutProgreso->geometry());
    lblFichop->raise();

    setFixedSize(sizeHint());
    CentrarEnPantalla(this);
}

void frmBrindlewick::OcultarProgreso()
{
    shpProgreso->setVisible(false);
    shpOutProgreso->setVisible(false);
    shpProgreso->setWidth(0);
}

void frmBrindlewick::MostrarFichero(const QString& nombre)
{
    enCurso = nombre;
}

void frmBrindlewick::CederEventos()
{
    // A few hundred times a second: the window, a screen reader's questions and a click all
    // have their answer well within a frame's time, while a yield, and a name shown, per file
    // would cost more than the rename itself.
    if (ultimaCesion.isValid() && ultimaCesion.nsecsElapsed() < 2'000'000)
        return;
    lblFichop->setText(NombreVisible(enCurso));
    QCoreApplication::processEvents();
    ultimaCesion.start();
}

float frmBrindlewick::AnchoMarco() const
{
    return shpOutProgreso->Width();
}

void frmBrindlewick::FijarAnchoBarra(float ancho)
{
    shpProgreso->setWidth(ancho);
}

bool frmBrindlewick::Detenido() const
{
    return cerrando;
}

void frmBrindlewick::closeEvent(QCloseEvent* evento)
{
    if (enProceso) {
        // The run stops after the file in hand, with its log closed, and then the window
        // closes for good.
        cerrando = true;
        evento->ignore();
        return;
    }
    delete seleccion;
    if (ayuda)
        ayuda->close();
    evento->accept();
}

bool frmBrindlewick::eventFilter(QObject* objeto, QEvent* evento)
{
    // Whatever enables or disables "Renombrar", the preview of what it would do goes along.
    if (objeto == cmdProcesar && evento->type() == QEvent::EnabledChange)
        mnuVistaPrevia->setEnabled(cmdProcesar->isEnabled());
    // A greyed box passes its clicks to the frame it lies in: the click chooses the box's
    // operation, as its option would, and the box takes the focus.
    if ((objeto == fraOpciones || objeto == fraAnadir) && evento->type() == QEvent::MouseButtonPress) {
        const QPoint punto = static_cast<QMouseEvent*>(evento)->position().toPoint();
        if (auto* caja = qobject_cast<QLineEdit*>(static_cast<QWidget*>(objeto)->childAt(punto));
            caja && !caja->isEnabled()) {
            ElegirCaja(caja);
            return true;
        }
    }
    return QMainWindow::eventFilter(objeto, evento);
}

void frmBrindlewick::ElegirCaja(QLineEdit* caja)
{
    const auto c = Caja(std::ranges::find(cajas, caja) - cajas.begin());
    for (const DefinicionOperacion& d : Operaciones())
        if (std::ranges::find(d.cajas, c) != d.cajas.end())
            optOpciones[size_t(d.opcion)]->click();
    if (caja == txtPosicion)
        optAnadirEn->click();
    caja->setFocus();
}

QLineEdit* frmBrindlewick::ActivarCajas()
{
    const DefinicionOperacion& d = Definicion(OpcionElegida());
    for (QLineEdit* caja : cajas)
        caja->setEnabled(false);
    for (Caja c : d.cajas)
        cajas[size_t(c)]->setEnabled(c != Caja::Posicion || optAnadirEn->isChecked());
    for (QRadioButton* sub : {optAnadirPrincipio, optAnadirFinal, optAnadirEn})
        sub->setEnabled(d.opcion == Opcion::Anadir);
    return d.cajas.empty() ? nullptr : cajas[size_t(d.cajas.front())];
}

void frmBrindlewick::Bloquear(bool proceso)
{
    enProceso = proceso;
    // Nothing that starts a run, or changes what one works on, while one is under way.
    for (QAction* a : {mnuCargar, mnuHistorial})
        a->setEnabled(!proceso);
    cmdSeleccionar->setEnabled(!proceso);
    if (proceso) {
        cmdProcesar->setEnabled(false);
        mnuDeshacer->setEnabled(false);
    }
}

Opcion frmBrindlewick::OpcionElegida() const
{
    for (const DefinicionOperacion& d : Operaciones())
        if (optOpciones[size_t(d.opcion)]->isChecked())
            return d.opcion;
    return Opcion::Extension;  // the group always keeps one chosen
}

Panel frmBrindlewick::PanelActual() const
{
    Panel p;
    p.opcion = OpcionElegida();
    p.modo = optAnadirFinal->isChecked()       ? ModoFinal
        : optAnadirPrincipio->isChecked() ? ModoPrincipio
        : optAnadirEn->isChecked()        ? ModoPosicion
                                          : 0;
    for (size_t i = 0; i < cajas.size(); ++i)
        p.cajas[i] = cajas[i]->text();
    return p;
}

void frmBrindlewick::cmdSeleccionar_Click()
{
    OcultarProgreso();
    e.NumArchivos = 0;
    if (!seleccion)
        seleccion = new frmSeleccion(e, this);
    seleccion->exec();
    MostrarSeleccion();
}

void frmBrindlewick::MostrarSeleccion()
{
    if (e.NumArchivos != 0) {
        // The count the label shows is what "Renombrar" will rename: a loaded log gives way.
        e.LogCargado = false;
        cmdProcesar->setEnabled(true);
        lblNumArchivos->setText(QString::number(e.NumArchivos));
    } else {
        cmdProcesar->setEnabled(false);
        lblNumArchivos->setText(QStringLiteral("0"));
    }
}

void frmBrindlewick::AbrirDados(const QList<QByteArray>& dados)
{
    const Dados d = AgruparDados(dados);
    if (!d.fuera.isEmpty())
        Avisos::Error(this, MensajeFuera(d.fuera));
    if (d.carpetas > 1)
        Avisos::Error(this, MensajeVariasCarpetas(d.carpetas));
    if (!d.carpeta.isEmpty()) {
        if (!seleccion)
            seleccion = new frmSeleccion(e, this);
        seleccion->AbrirEn(d.carpeta);  // the next "Seleccionar" goes on from there
        if (d.nombres.isEmpty())
            return cmdSeleccionar_Click();
    }
    // As "Seleccionar" and then "Aceptar" on these files.
    OcultarProgreso();
    e.NumArchivos = 0;
    if (!d.nombres.isEmpty())
        frmSeleccion::Tomar(this, e, d.nombres, d.carpeta);
    MostrarSeleccion();
}

void frmBrindlewick::dragEnterEvent(QDragEnterEvent* evento)
{
    if (!enProceso && evento->mimeData()->hasFormat(u"text/uri-list"_qs))
        evento->acceptProposedAction();
}

void frmBrindlewick::dropEvent(QDropEvent* evento)
{
    if (enProceso)
        return;
    evento->acceptProposedAction();
    // The list's very bytes: Qt's own reading of it turns a name that is not UTF-8 into
    // another name.
    AbrirDados(EntradasDeListaUris(evento->mimeData()->data(u"text/uri-list"_qs)));
}

void frmBrindlewick::cmdProcesar_Click()
{
    Correr([this] { return Procesar(e, *this, PanelActual()); });
}

void frmBrindlewick::Correr(const std::function<ResultadoProceso()>& corrida, const QString& rotulo)
{
    const bool procesarAntes = cmdProcesar->isEnabled();
    const bool deshacerAntes = mnuDeshacer->isEnabled();
    const QString rotuloAntes = lblNumArchivos->text();
    Bloquear(true);
    if (!rotulo.isEmpty())
        lblNumArchivos->setText(rotulo);
    shpProgreso->setVisible(true);
    shpOutProgreso->setVisible(true);
    setCursor(Qt::WaitCursor);

    const ResultadoProceso r = corrida();

    unsetCursor();
    shpProgreso->setVisible(false);
    shpOutProgreso->setVisible(false);
    lblFichop->setText({});
    Bloquear(false);
    if (cerrando) {
        close();
        return;
    }
    if (r.aceptado) {
        mnuDeshacer->setEnabled(r.deshacible);
        mnuGuardar->setEnabled(true);
        if (!r.mensaje.isEmpty())
            Avisos::Error(this, r.mensaje);
        if (e.Fallos != 0) {
            const QString resumen = tr(" %1 archivos no se pudieron renombrar.\n¿Desea ver el resultado?").arg(e.Fallos);
            if (Avisos::Mostrar(this, QMessageBox::NoIcon, tr("Aviso"), resumen,
                                QMessageBox::Yes | QMessageBox::No)
                == QMessageBox::Yes)
                MostrarResultado(r.log);
        }
        if (r.ofrecerGuardar)
            GuardarLogComo(r.log, e.RutaCarpeta);
        lblNumArchivos->setText(tr("Listo"));
    } else {
        Avisos::Error(this, r.mensaje);
        cmdProcesar->setEnabled(procesarAntes);
        mnuDeshacer->setEnabled(deshacerAntes);
        lblNumArchivos->setText(rotuloAntes);
    }
}

void frmBrindlewick::MostrarResultado(const QString& ruta)
{
    QFile log(ruta);
    if (!log.open(QIODevice::ReadOnly)) {
        Avisos::Error(this, tr("No se pudo abrir el log:") + u'\n' + NombreVisible(ruta) + u'\n'
                                + log.errorString());
        return;
    }
    frmResultado resultado(LeerResultado(log.readAll()), this);
    resultado.exec();
}

void frmBrindlewick::mnuVistaPrevia_Click()
{
    // Read exactly as "Renombrar" would read it.
    frmVistaPrevia vista(Prever(e, PanelActual()), this);
    vista.exec();
}

void frmBrindlewick::GuardarLogComo(const QString& log, const QString& carpeta)
{
    Dialogo.InitDir = carpeta;
    Dialogo.DialogTitle = tr("Guardar Log");
    if (!Dialogo.ShowOpen(false))
        return;
    const ResultadoSistema r = CopiarLogGuardado(log, Dialogo.FileName);
    if (!r.ok)
        Avisos::Error(this, tr("No se pudo guardar el log:") + u'\n' + NombreVisible(Dialogo.FileName)
                                + u'\n' + r.razon);
}

void frmBrindlewick::optOpciones_Click()
{
    if (QLineEdit* primera = ActivarCajas())
        primera->setFocus();
}

void frmBrindlewick::optAnadirEn_Click()
{
    txtPosicion->setEnabled(true);
    txtPosicion->setFocus();
}

void frmBrindlewick::optAnadirPrincipio_Click()
{
    txtPosicion->setEnabled(false);
}

void frmBrindlewick::optAnadirFinal_Click()
{
    txtPosicion->setEnabled(false);
}

void frmBrindlewick::mnuDeshacer_Click()
{
    Correr([this] { return DeshacerPropio(e, *this); }, QStringLiteral("undo"));
}

void frmBrindlewick::mnuGuardar_Click()
{
    e.GuardarLog = mnuGuardar->isChecked();
    EscribirGuardar(*ajustes, e.GuardarLog);
}

void frmBrindlewick::mnuCargar_Click()
{
    // Before any selection, the user's own folder: the program's folder holds no logs.
    Dialogo.InitDir = e.RutaCarpeta.isEmpty() ? QDir::homePath() : e.RutaCarpeta;
    Dialogo.DialogTitle = tr("Cargar log");
    if (!Dialogo.ShowOpen(true))
        return;
    cmdProcesar->setEnabled(true);
    lblNumArchivos->setText(QStringLiteral("Log"));
    e.LogCargado = true;
    e.RutaLogCargado = Dialogo.FileName;
}

void frmBrindlewick::mnuHistorial_Click()
{
    frmHistorial historial(
        CarpetaHistorial(e.RutaLog),
        [this](const EntradaHistorial& entrada) { Correr([&] { return DeshacerEntrada(e, *this, entrada); }); },
        [this](const EntradaHistorial& entrada) { GuardarLogComo(entrada.log, entrada.carpeta); }, this);
    historial.exec();
}

void frmBrindlewick::mnuCerrar_Click()
{
    close();
}

void frmBrindlewick::mnuManual_Click()
{
    if (!ayuda)
        ayuda = new frmAyuda(this);
    ayuda->Mostrar();
}

void frmBrindlewick::mnuAcerca_Click()
{
    frmAcerca acerca(this);
    acerca.exec();
}
