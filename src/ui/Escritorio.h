#pragma once

#include <QList>
#include <QUrl>

// Hands a file or an address to the user's desktop (viewer, mail program, browser). In test
// mode nothing is started: the addresses are recorded.
class Escritorio {
public:
    static void Abrir(const QUrl& direccion);

    static void ModoPrueba(bool activo);
    // The addresses opened since the last call, which empties the record.
    static QList<QUrl> Abiertos();
};
