#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

// Every message box of the program goes through here. In test mode no box is shown: each one
// is recorded and answered with the next queued button, so a window test never blocks.
class Avisos {
public:
    static QMessageBox::StandardButton Mostrar(QWidget* padre, QMessageBox::Icon icono,
                                               const QString& titulo, const QString& texto,
                                               QMessageBox::StandardButtons botones);
    // A refusal or an error: critical icon, OK, the application title.
    static void Error(QWidget* padre, const QString& texto);
    // A question with Yes and No, Yes the default, the application title; true for Yes.
    static bool Pregunta(QWidget* padre, const QString& texto);

    struct Visto {
        QMessageBox::Icon icono;
        QString titulo;
        QString texto;
        QMessageBox::StandardButtons botones;
    };
    static void ModoPrueba(bool activo);
    // The answer to the next box; without one, a box is answered with its first button.
    static void Responder(QMessageBox::StandardButton siguiente);
    // The boxes seen since the last call, which empties the record.
    static QList<Visto> Vistos();
};
