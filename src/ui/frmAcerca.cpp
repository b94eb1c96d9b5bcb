#include "ui/frmAcerca.h"

#include "ui/Escritorio.h"
#include "ui/Etiqueta.h"
#include "ui/Fuentes.h"
#include "ui/Icono.h"
#include "ui/Twips.h"

#include <QPushButton>
#include <QUrl>

namespace {

const QString Titulo = QStringLiteral("Brindlewick");
const QString Autor = QStringLiteral("the Brindlewick team");
const QString CorreoMostrado = QStringLiteral("e-mail");
const QString Correo = QStringLiteral("brindlewick@example.org");
const QString WebMostrada = QStringLiteral("brindlewick.example.org");
const QString Web = QStringLiteral("https://brindlewick.example.org/");
const char* const Agradecido1 = QT_TRANSLATE_NOOP("frmAcerca", "La comunidad de Qt");
const QString Alojamiento1 = QStringLiteral("qt.io");
const char* const Agradecido2 = QT_TRANSLATE_NOOP("frmAcerca", "Quienes lo probaron");

const QColor Reposo(0, 0, 255);
const QColor Resaltado(255, 0, 0);

QString Version()
{
    return QStringLiteral("%1.%2.%3")
        .arg(BRINDLEWICK_VERSION_MAJOR)
        .arg(BRINDLEWICK_VERSION_MINOR)
        .arg(BRINDLEWICK_VERSION_PATCH);
}

template <typename T>
T* Control(QWidget* padre, const char* nombre, double izquierda, double arriba, double ancho,
           double alto)
{
    auto* w = new T(padre);
    w->setObjectName(QLatin1StringView(nombre));
    ColocarTwips(w, izquierda, arriba, ancho, alto);
    return w;
}

void Colorear(QWidget* w, const QColor& color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, color);
    w->setPalette(p);
}

}  // namespace

frmAcerca::frmAcerca(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      cmdOK(Control<QPushButton>(this, "cmdOK", 2880, 1680, 1020, 345)),
      Label1(Control<Etiqueta>(this, "Label1", 840, 1440, 390, 195)),
      lblWeb(Control<Etiqueta>(this, "lblWeb", 1320, 1440, 480, 195)),
      lblAutor(Control<Etiqueta>(this, "lblAutor", 840, 1200, 1140, 195)),
      lblCorreo(Control<Etiqueta>(this, "lblCorreo", 2040, 1200, 480, 195)),
      Image1(Control<QLabel>(this, "Image1", 360, 180, 240, 240)),
      lblDescription(Control<Etiqueta>(this, "lblDescription", 840, 720, 2685, 450)),
      lblTitle(Control<QLabel>(this, "lblTitle", 840, 120, 2445, 360)),
      lblVersion(Control<QLabel>(this, "lblVersion", 840, 480, 2685, 225)),
      lblDisclaimer(Control<Etiqueta>(this, "lblDisclaimer", 360, 1680, 2295, 585))
{
    setObjectName(QStringLiteral("frmAcerca"));
    setWindowIcon(IconoPrograma());
    setFont(FuenteVentana());
    setFixedSize(Pixeles(3975), Pixeles(2430));
    setMouseTracking(true);

    cmdOK->setText(tr("Aceptar"));
    cmdOK->setDefault(true);  // Enter; Esc closes any dialog
    Label1->setText(QStringLiteral("Web:"));
    lblAutor->setText(QStringLiteral("By ") + Autor);
    Image1->setPixmap(IconoPrograma().pixmap(16));
    lblDescription->setText(
        tr("Utilidad para renombrar gran cantidad de archivos fácilmente."));
    lblDescription->setWordWrap(true);
    lblTitle->setFont(FuenteVentana(9.75, true));
    Image1->setAccessibleName(tr("Icono de Brindlewick"));
    lblCorreo->setAccessibleDescription(tr("Escribir a los autores"));
    lblWeb->setAccessibleDescription(tr("Abrir la página web"));
    for (Etiqueta* enlace : {lblCorreo, lblWeb}) {
        enlace->setCursor(Qt::PointingHandCursor);
        enlace->setFocusPolicy(Qt::StrongFocus);  // a link, reached with Tab as well
    }
    // Tab reads the box as it is laid out: the mail link, the web link, the button.
    setTabOrder(lblCorreo, lblWeb);
    setTabOrder(lblWeb, cmdOK);
    cmdOK->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmAcerca::cmdOK_Click);
    connect(lblCorreo, &Etiqueta::Click, this, &frmAcerca::lblCorreo_Click);
    connect(lblWeb, &Etiqueta::Click, this, &frmAcerca::lblWeb_Click);
    connect(lblCorreo, &Etiqueta::MouseMove, this, &frmAcerca::lblCorreo_MouseMove);
    connect(lblWeb, &Etiqueta::MouseMove, this, &frmAcerca::lblWeb_MouseMove);
    for (Etiqueta* rotulo : {Label1, lblAutor, lblDisclaimer})
        connect(rotulo, &Etiqueta::MouseMove, this, &frmAcerca::EnlacesEnReposo);
    connect(lblDescription, &Etiqueta::MouseUp, this, &frmAcerca::EnlacesEnReposo);

    Form_Load();
}

void frmAcerca::mouseMoveEvent(QMouseEvent*)
{
    EnlacesEnReposo();
}

void frmAcerca::Form_Load()
{
    setWindowTitle(tr("Acerca de %1").arg(Titulo));
    lblVersion->setText(tr("Versión %1").arg(Version()));
    lblTitle->setText(Titulo);
    lblDisclaimer->setText(tr("Agradecimientos:\r\n  · %1 (%2)\r\n  · %3").arg(tr(Agradecido1), Alojamiento1, tr(Agradecido2)));
    lblCorreo->setText(CorreoMostrado);
    lblWeb->setText(WebMostrada);
    // The links keep their designed places but take the width their texts need; the mail
    // link stays clear of the author line.
    for (Etiqueta* l : {lblAutor, lblCorreo, lblWeb})
        l->resize(qMax(l->width(), l->sizeHint().width()), l->height());
    lblCorreo->move(qMax(lblCorreo->x(), lblAutor->geometry().right() + Pixeles(60)), lblCorreo->y());
    EnlacesEnReposo();
}

void frmAcerca::cmdOK_Click()
{
    accept();
}

void frmAcerca::lblCorreo_Click()
{
    Escritorio::Abrir(QUrl(QStringLiteral("mailto:%1?Subject=%2").arg(Correo, tr("Acerca de %1 %2").arg(Titulo, Version()))));
}

void frmAcerca::lblWeb_Click()
{
    Escritorio::Abrir(QUrl(Web));
}

void frmAcerca::lblCorreo_MouseMove()
{
    Colorear(lblCorreo, Resaltado);
}

void frmAcerca::lblWeb_MouseMove()
{
    Colorear(lblWeb, Resaltado);
}

void frmAcerca::EnlacesEnReposo()
{
    Colorear(lblCorreo, Reposo);
    Colorear(lblWeb, Reposo);
}
