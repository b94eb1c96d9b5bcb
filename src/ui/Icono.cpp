#include "ui/Icono.h"

QIcon IconoPrograma()
{
    // The resources live in a static library: nothing would pull them into the program.
    Q_INIT_RESOURCE(recursos);
    QIcon icono(QStringLiteral(":/icons/brindlewick.svg"));
    for (const int lado : {16, 32, 48, 64, 128, 256})
        icono.addFile(QStringLiteral(":/icons/brindlewick-%1.png").arg(lado), QSize(lado, lado));
    return icono;
}
