#include "dialogs/Avisos.h"

#include "dialogs/Sustituto.h"

namespace {

Sustituto<Avisos::Visto, QMessageBox::StandardButton>& Prueba()
{
    static Sustituto<Avisos::Visto, QMessageBox::StandardButton> p;
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
    if (Prueba().activo)
        return Prueba().Atender({icono, titulo, texto, botones}, PrimerBoton(botones));
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
    Prueba().Activar(activo);
}

void Avisos::Responder(QMessageBox::StandardButton siguiente)
{
    Prueba().respuestas.enqueue(siguiente);
}

QList<Avisos::Visto> Avisos::Vistos()
{
    return Prueba().Vistos();
}
