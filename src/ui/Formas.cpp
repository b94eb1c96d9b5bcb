#include "ui/Formas.h"

#include "ui/Twips.h"

#include <QPainter>

Diferido::Diferido(QWidget* w, void (*aplicar)(QWidget*))
{
    temporizador.setSingleShot(true);
    temporizador.setInterval(16);
    QObject::connect(&temporizador, &QTimer::timeout, w, [w, aplicar] { aplicar(w); });
}

void Diferido::Pedir()
{
    if (!temporizador.isActive())
        temporizador.start();
}

Forma::Forma(QWidget* padre, const QString& nombre, QColor borde, QColor relleno)
    : QWidget(padre), borde(borde), relleno(relleno), diferido(this, &Forma::Aplicar)
{
    setObjectName(nombre);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Forma::setGeometriaTwips(float izquierda_, float arriba_, float ancho_, float alto_)
{
    izquierda = izquierda_;
    arriba = arriba_;
    ancho = ancho_;
    alto = alto_;
    Aplicar(this);
}

void Forma::setWidth(float ancho_)
{
    ancho = ancho_;
    diferido.Pedir();
}

void Forma::Aplicar(QWidget* w)
{
    auto* f = static_cast<Forma*>(w);
    f->setGeometry(RectTwips(f->izquierda, f->arriba, f->ancho, f->alto));
}

void Forma::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (relleno.isValid())
        p.fillRect(rect(), relleno);
    p.setPen(borde);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

EtiquetaRapida::EtiquetaRapida(QWidget* padre, const QString& nombre)
    : QWidget(padre), diferido(this, [](QWidget* w) { w->update(); })
{
    setObjectName(nombre);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void EtiquetaRapida::setText(const QString& texto_)
{
    texto = texto_;
    diferido.Pedir();
}

void EtiquetaRapida::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(palette().color(QPalette::HighlightedText));
    p.drawText(rect(), Qt::AlignCenter, fontMetrics().elidedText(texto, Qt::ElideMiddle, width()));
}
