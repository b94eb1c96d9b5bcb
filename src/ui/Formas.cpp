#include "ui/Formas.h"

#include "ui/Twips.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace {

// What a screen reader hears of the painted controls: the label's text, the bar's value.
class AccesibleEtiqueta final : public QAccessibleWidget {
public:
    explicit AccesibleEtiqueta(QWidget* w) : QAccessibleWidget(w, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<const EtiquetaRapida*>(widget())->text()
                                      : QAccessibleWidget::text(t);
    }
};

class AccesibleForma final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccesibleForma(QWidget* w) : QAccessibleWidget(w) {}
    // Asked each time: the window makes a shape a bar after building it.
    QAccessible::Role role() const override { return Barra(widget()) ? QAccessible::ProgressBar : QAccessible::Graphic; }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ValueInterface && Barra(widget()) ? static_cast<QAccessibleValueInterface*>(this)
                                                                   : QAccessibleWidget::interface_cast(t);
    }
    QVariant currentValue() const override { return Barra(widget())->Width(); }
    void setCurrentValue(const QVariant&) override {}  // the run moves it, nobody else
    QVariant maximumValue() const override { return Barra(widget())->Maximo(); }
    QVariant minimumValue() const override { return 0.0f; }
    QVariant minimumStepSize() const override { return 0.0f; }

private:
    static const Forma* Barra(const QWidget* w)
    {
        const auto* f = static_cast<const Forma*>(w);
        return f->Maximo() > 0 ? f : nullptr;
    }
};

QAccessibleInterface* Fabrica(const QString& clase, QObject* objeto)
{
    if (clase == u"EtiquetaRapida")
        return new AccesibleEtiqueta(static_cast<QWidget*>(objeto));
    if (clase == u"Forma")
        return new AccesibleForma(static_cast<QWidget*>(objeto));
    return nullptr;
}

void InstalarFabrica()
{
    static const bool instalada = (QAccessible::installFactory(Fabrica), true);
    Q_UNUSED(instalada);
}

}  // namespace

Diferido::Diferido(QWidget* w, void (*aplicar)(QWidget*), int intervalo)
{
    temporizador.setSingleShot(true);
    temporizador.setInterval(intervalo);
    QObject::connect(&temporizador, &QTimer::timeout, w, [w, aplicar] { aplicar(w); });
}

void Diferido::Pedir()
{
    if (!temporizador.isActive())
        temporizador.start();
}

Forma::Forma(QWidget* padre, const QString& nombre, QColor borde, QColor relleno)
    : QWidget(padre),
      borde(borde),
      relleno(relleno),
      diferido(this, &Forma::Aplicar, 16),
      anuncio(this, [](QWidget* w) {
          QAccessibleValueChangeEvent cambio(w, static_cast<Forma*>(w)->Width());
          QAccessible::updateAccessibility(&cambio);
      }, 250)
{
    InstalarFabrica();
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
    if (maximo > 0 && QAccessible::isActive())
        anuncio.Pedir();
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

EtiquetaRapida::EtiquetaRapida(QWidget* padre, const QString& nombre, const QWidget* barra)
    : QWidget(padre),
      barra(barra),
      diferido(this, [](QWidget* w) { w->update(); }, 16),
      anuncio(this, [](QWidget* w) {
          QAccessibleEvent cambio(w, QAccessible::NameChanged);
          QAccessible::updateAccessibility(&cambio);
      }, 250)
{
    InstalarFabrica();
    setObjectName(nombre);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void EtiquetaRapida::setText(const QString& texto_)
{
    texto = texto_;
    diferido.Pedir();
    if (QAccessible::isActive())
        anuncio.Pedir();
}

void EtiquetaRapida::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QString visible = fontMetrics().elidedText(texto, Qt::ElideMiddle, width());
    // Where the bar has filled, the highlight's text colour, made to be read on it; beyond,
    // on the window's own background, the normal text colour.
    const int lleno = barra->isVisible() ? std::clamp(barra->geometry().right() + 1 - x(), 0, width()) : 0;
    for (const auto& [parte, color] : {std::pair{QRect(0, 0, lleno, height()), QPalette::HighlightedText},
                                       std::pair{QRect(lleno, 0, width() - lleno, height()), QPalette::WindowText}}) {
        p.setClipRect(parte);
        p.setPen(palette().color(color));
        p.drawText(rect(), Qt::AlignCenter, visible);
    }
}
