#include "ui/Escritorio.h"

#include <QDesktopServices>

namespace {

struct Prueba {
    bool activo = false;
    QList<QUrl> abiertos;
};

Prueba& EstadoPrueba()
{
    static Prueba p;
    return p;
}

}  // namespace

void Escritorio::Abrir(const QUrl& direccion)
{
    Prueba& p = EstadoPrueba();
    if (p.activo)
        p.abiertos.append(direccion);
    else
        QDesktopServices::openUrl(direccion);  // a failure has nothing to tell the user
}

void Escritorio::ModoPrueba(bool activo)
{
    EstadoPrueba() = Prueba{activo, {}};
}

QList<QUrl> Escritorio::Abiertos()
{
    return std::exchange(EstadoPrueba().abiertos, {});
}
