#include "ui/frmSeleccion.h"

#include "engine/Estado.h"
#include "engine/Listado.h"
#include "platform/Plataforma.h"
#include "dialogs/Avisos.h"
#include "ui/Encaje.h"
#include "ui/Fuentes.h"
#include "ui/Icono.h"
#include "ui/Listas.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace {

// The size the dialog was designed at, in twips.
constexpr int Ancho = 5370, Alto = 3630;
const QString ClaveTamano = QStringLiteral("Seleccion/Tamano");
const QString ClaveMaximizada = QStringLiteral("Seleccion/Maximizada");

QSettings Ajustes()
{
    return {QSettings::NativeFormat, QSettings::UserScope, u"Brindlewick"_qs, u"Brindlewick"_qs};
}

template <typename T>
T* Control(QWidget* padre, const char* nombre)
{
    auto* w = new T(padre);
    w->setObjectName(QLatin1StringView(nombre));
    return w;
}

}  // namespace

frmSeleccion::frmSeleccion(Estado& e, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      e(e),
      lstDiscos(Control<QComboBox>(this, "lstDiscos")),
      lstCarpetas(Control<ListaCarpetas>(this, "lstCarpetas")),
      lstFicheros(Control<ListaFicheros>(this, "lstFicheros")),
      cmdAceptar(Control<QPushButton>(this, "cmdAceptar")),
      cmdCancelar(Control<QPushButton>(this, "cmdCancelar")),
      Label1(Control<QLabel>(this, "Label1")),
      cmbFiltro(Control<QComboBox>(this, "cmbFiltro")),
      mirarSondas(new QTimer(this))
{
    setObjectName(QStringLiteral("frmSeleccion"));
    setWindowTitle(tr("Seleccionar archivos"));
    setWindowIcon(IconoPrograma());
    setFont(FuenteVentana());
    // The designed size is the first and the least; the user's last one comes back. Qt puts
    // the dialog over the window it belongs to.
    setMinimumSize(Pixeles(Ancho), Pixeles(Alto));
    const QSettings ajustes = Ajustes();
    resize(ajustes.value(ClaveTamano, minimumSize()).toSize().expandedTo(minimumSize()));
    CaberEnPantalla(this, parent);
    if (ajustes.value(ClaveMaximizada, false).toBool())
        setWindowState(Qt::WindowMaximized);

    cmdAceptar->setText(tr("Aceptar"));
    cmdAceptar->setDefault(true);
    cmdCancelar->setText(tr("Cancelar"));
    Label1->setText(tr("FILTRO:"));
    // What a screen reader calls the lists, which have no caption. A combo box is named by
    // the label it is the buddy of: the drive list's is never shown.
    Label1->setBuddy(cmbFiltro);
    auto* unidad = new QLabel(tr("Unidad"), this);
    unidad->hide();
    unidad->setBuddy(lstDiscos);
    lstCarpetas->setAccessibleName(tr("Carpetas"));
    lstFicheros->setAccessibleName(tr("Archivos"));
    // Where the keys go, plain to see in either list.
    for (QWidget* lista : {static_cast<QWidget*>(lstCarpetas), static_cast<QWidget*>(lstFicheros)})
        lista->setStyleSheet(QStringLiteral("QAbstractItemView:focus { border: 2px solid palette(highlight); }"));
    Label1->setFont(FuenteVentana(9.75, true));

    cmbFiltro->setEditable(true);
    cmbFiltro->setInsertPolicy(QComboBox::NoInsert);  // a typed pattern filters; it is no entry
    cmbFiltro->setCompleter(nullptr);  // completing would filter by a pattern nobody typed
    cmbFiltro->lineEdit()->setAccessibleName(tr("Filtro"));  // where the typing goes
    cmbFiltro->addItems({u"*.*"_qs, u"*.avi"_qs, u"*.c*"_qs, u"*.dat"_qs, u"*.doc"_qs,
                         u"*.exe"_qs, u"*.gif"_qs, u"*.html"_qs, u"*.html"_qs, u"*.jpg"_qs,
                         u"*.js"_qs, u"*.mdb"_qs, u"*.mid"_qs, u"*.mp3"_qs, u"*.rar"_qs,
                         u"*.txt"_qs, u"*.wav"_qs, u"*.zip"_qs});

    mirarSondas->setInterval(50);
    connect(mirarSondas, &QTimer::timeout, this, &frmSeleccion::MarcarDiscos);
    connect(lstDiscos, &QComboBox::currentIndexChanged, this, &frmSeleccion::lstDiscos_Change);
    connect(lstCarpetas, &ListaCarpetas::Cambio, this, &frmSeleccion::lstCarpetas_Change);
    // A folder opened on another drive (a mount point below this one, or this drive's own
    // folder above) is asked for as the drive would be.
    lstCarpetas->FijarGuarda([this](const QString& destino) {
        const QString raiz = Discos::RaizDe(discos, destino);
        return raiz == Discos::RaizDe(discos, lstCarpetas->Ruta()) || DiscoListo(raiz);
    });
    connect(cmbFiltro->lineEdit(), &QLineEdit::textEdited, this, &frmSeleccion::cmbFiltro_Change);
    connect(cmbFiltro, &QComboBox::activated, this, &frmSeleccion::cmbFiltro_Click);
    connect(cmdAceptar, &QPushButton::clicked, this, &frmSeleccion::cmdAceptar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmSeleccion::cmdCancelar_Click);

    Form_Load();
}

frmSeleccion::~frmSeleccion() = default;

void frmSeleccion::resizeEvent(QResizeEvent* ev)
{
    QDialog::resizeEvent(ev);
    // As designed at the least size; more room goes to the lists, a third of the width to the
    // folders and the rest to the files, and the buttons keep to the right edge.
    const int dx = width() - Pixeles(Ancho), dy = height() - Pixeles(Alto), carpetas = dx / 3;
    const auto colocar = [](QWidget* w, const QRect& diseno, int mover, int ensanchar, int alargar) {
        w->setGeometry(diseno.translated(mover, 0).adjusted(0, 0, ensanchar, alargar));
    };
    colocar(lstDiscos, RectTwips(120, 120, 1935, 315), 0, carpetas, 0);
    colocar(lstCarpetas, RectTwips(120, 480, 1935, 3015), 0, carpetas, dy);
    colocar(lstFicheros, RectTwips(2160, 120, 2055, 3405), carpetas, dx - carpetas, dy);
    colocar(cmdAceptar, RectTwips(4320, 480, 975, 375), dx, 0, 0);
    colocar(cmdCancelar, RectTwips(4320, 960, 975, 375), dx, 0, 0);
    colocar(Label1, RectTwips(4320, 1560, 870, 240), dx, 0, 0);
    colocar(cmbFiltro, RectTwips(4320, 1800, 975, 315), dx, 0, 0);
}

void frmSeleccion::showEvent(QShowEvent* ev)
{
    QDialog::showEvent(ev);
    // The keys start where the user chooses, on a row they can see.
    lstFicheros->setFocus();
    if (!lstFicheros->currentIndex().isValid() && lstFicheros->model()->rowCount() > 0)
        lstFicheros->selectionModel()->setCurrentIndex(lstFicheros->model()->index(0, 0), QItemSelectionModel::NoUpdate);
}

void frmSeleccion::hideEvent(QHideEvent* ev)
{
    QDialog::hideEvent(ev);
    QSettings ajustes = Ajustes();
    const bool maximizada = isMaximized();
    ajustes.setValue(ClaveMaximizada, maximizada);
    if (!maximizada)
        ajustes.setValue(ClaveTamano, size());
}

void frmSeleccion::changeEvent(QEvent* ev)
{
    QDialog::changeEvent(ev);
    if (ev->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void frmSeleccion::closeEvent(QCloseEvent* ev)
{
    QDialog::closeEvent(ev);
    if (ev->isAccepted())
        deleteLater();
}

void frmSeleccion::Form_Load()
{
    // Where the user started the program, on whatever volume: a file manager's folder, a
    // terminal's. Never the program's own folder, which holds no files of the user's.
    LlenarDiscos();
    lstCarpetas->FijarRuta(QDir::currentPath());
    cmbFiltro->setCurrentIndex(0);
    cmbFiltro_Click(0);
}

void frmSeleccion::Form_Activate()
{
    // Files renamed by a run, volumes mounted or removed: show what is there now.
    LlenarDiscos();
    lstCarpetas->Releer();
    lstFicheros->Releer();
}

void frmSeleccion::lstDiscos_Change()
{
    const QString raiz = lstDiscos->currentData().toString();
    if (DiscoListo(raiz)) {
        lstCarpetas->FijarRuta(carpetaDe.value(raiz, raiz));
        return;
    }
    // Back to the drive shown before; this raises the handler again for it.
    lstDiscos->setCurrentIndex(IndiceDisco(UltimaRuta));
}

void frmSeleccion::lstCarpetas_Change()
{
    const QString ruta = lstCarpetas->Ruta();
    lstFicheros->FijarCarpeta(ruta);
    // Opening folders can lead onto another volume: the drive list follows, and every
    // folder reached is the last reachable path.
    UltimaRuta = ruta;
    carpetaDe.insert(Discos::RaizDe(discos, ruta), ruta);
    const QSignalBlocker sinAvisar(lstDiscos);
    lstDiscos->setCurrentIndex(IndiceDisco(ruta));
}

void frmSeleccion::cmbFiltro_Change(const QString& texto)
{
    lstFicheros->FijarPatron(texto);
}

void frmSeleccion::cmbFiltro_Click(int indice)
{
    lstFicheros->FijarPatron(cmbFiltro->itemText(indice));
}

void frmSeleccion::cmdAceptar_Click()
{
    if (Tomar(this, e, lstFicheros->Seleccionados(), CarpetaSeleccion(lstCarpetas->Ruta())))
        accept();
}

bool frmSeleccion::Tomar(QWidget* padre, Estado& e, QStringList nombres, const QString& carpeta)
{
    // A saved log lies among the photos it renamed: renamed with them, "Cargar Log" would
    // no longer find it.
    const auto esLog = [](const QString& n) { return n.endsWith(u".bwk", Qt::CaseInsensitive); };
    const qsizetype logs = std::count_if(nombres.cbegin(), nombres.cend(), esLog);
    if (logs > 0 && logs < nombres.size()
        && Avisos::Pregunta(padre, tr("La selección incluye logs guardados (*.bwk).\n"
                                                      "¿Desea dejarlos fuera de la selección?")))
        nombres.removeIf(esLog);
    if (nombres.size() > std::numeric_limits<qint16>::max()) {
        Avisos::Error(padre, tr("Se pueden seleccionar como máximo 32767 archivos."));
        return false;
    }
    e.NumArchivos = qint16(nombres.size());
    if (!nombres.isEmpty()) {
        e.Archivos = nombres;
        e.RutaCarpeta = carpeta;
    }
    return true;
}

void frmSeleccion::AbrirEn(const QString& carpeta)
{
    lstCarpetas->FijarRuta(carpeta);
}

void frmSeleccion::cmdCancelar_Click()
{
    reject();
}

void frmSeleccion::LlenarDiscos()
{
    discos = Discos::Lista({e.RutaPrograma, QDir::currentPath(), QDir::homePath(), QDir::rootPath()});
    const QSignalBlocker sinAvisar(lstDiscos);
    lstDiscos->clear();
    for (const Disco& d : std::as_const(discos)) {
        lstDiscos->addItem(QString(), d.raiz);
        Sondear(d.raiz);
    }
    MarcarDiscos();
    lstDiscos->setCurrentIndex(IndiceDisco(lstCarpetas->Ruta()));
}

Sonda& frmSeleccion::Sondear(const QString& raiz)
{
    std::unique_ptr<Sonda>& sonda = sondas[raiz];
    if (!sonda || sonda->Respuesta())
        sonda = std::make_unique<Sonda>(raiz);
    mirarSondas->start();
    return *sonda;
}

bool frmSeleccion::DiscoListo(const QString& raiz)
{
    const std::optional<bool> listo = Discos::Disponible(raiz, Sondear(raiz));
    MarcarDiscos();
    if (!listo.value_or(false))
        Avisos::Error(this, listo ? tr("Dispositivo no disponible") : tr("Dispositivo no disponible: no responde."));
    return listo.value_or(false);
}

void frmSeleccion::MarcarDiscos()
{
    bool esperando = false;
    for (int i = 0; i < discos.size(); ++i) {
        const Disco& d = discos.at(i);
        QString texto = QDir::toNativeSeparators(d.raiz);
        if (!d.nombre.isEmpty())
            texto += QStringLiteral(" [%1]").arg(d.nombre);
        Sonda& sonda = *sondas.at(d.raiz);
        const std::optional<bool> listo = sonda.Respuesta();
        if (listo == false)
            texto += tr(" (no disponible)");
        else if (!listo && sonda.Espera() > Discos::EsperaMaxima)
            texto += tr(" (no responde)");
        else if (!listo)
            esperando = true;
        lstDiscos->setItemText(i, texto);
    }
    if (!esperando)
        mirarSondas->stop();
}

int frmSeleccion::IndiceDisco(const QString& ruta) const
{
    return lstDiscos->findData(Discos::RaizDe(discos, QDir::fromNativeSeparators(ruta)));
}
