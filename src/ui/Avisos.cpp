#include "ui/Avisos.h"

#include <QQueue>

namespace {

struct Prueba {
    bool activo = false;
    QQueue<QMessageBox::StandardButton> respuestas;
    QList<Avisos::Visto> vistos;
};

Prueba& EstadoPrueba()
{
    static Prueba p;
    return p;
}

QMessageBox::StandardButton PrimerBoton(QMessageBox::StandardButtons botones)
{
    for (int b = QMessageBox::FirstButton; b <= QMessageBox::LastButton; b <<= 1)
        if (botones.testFlag(QMessageBox::StandardButton(b)))
            return QMessageBox::StandardButton(b);
    return QMessageBox::NoButton;
}

}  // namespace

QMessageBox::StandardButton Avisos::Mostrar(QWidget* padre, QMessageBox::Icon icono,
                                            const QString& titulo, const QString& texto,
                                            QMessageBox::StandardButtons botones)
{
    Prueba& p = EstadoPrueba();
    if (p.activo) {
        p.vistos.append({icono, titulo, texto, botones});
        return p.respuestas.isEmpty() ? PrimerBoton(botones) : p.respuestas.dequeue();
    }
    QMessageBox caja(icono, titulo, texto, botones, padre);
    caja.setDefaultButton(PrimerBoton(botones));  // Yes of Yes and No
    return QMessageBox::StandardButton(caja.exec());
}

void Avisos::Error(QWidget* padre, const QString& texto)
{
    Mostrar(padre, QMessageBox::Critical, QStringLiteral("Brindlewick"), texto, QMessageBox::Ok);
}

bool Avisos::Pregunta(QWidget* padre, const QString& texto)
{
    return Mostrar(padre, QMessageBox::Question, QStringLiteral("Brindlewick"), texto,
                   QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}

void Avisos::ModoPrueba(bool activo)
{
    EstadoPrueba() = Prueba{activo, {}, {}};
}

void Avisos::Responder(QMessageBox::StandardButton siguiente)
{
    EstadoPrueba().respuestas.enqueue(siguiente);
}

QList<Avisos::Visto> Avisos::Vistos()
{
    return std::exchange(EstadoPrueba().vistos, {});
}
