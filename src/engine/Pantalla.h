#pragma once

#include <QString>

// What a run or an undo shows in the window, kept narrow so that the rename step and the
// log know nothing of widgets. Tests pass a recorder.
class Pantalla {
public:
    // The file being renamed.
    virtual void MostrarFichero(const QString& nombre) = 0;
    // Lets the event loop handle what is pending, once.
    virtual void CederEventos() = 0;
    // Width of the progress frame and of the bar inside it, in twips.
    virtual float AnchoMarco() const = 0;
    virtual void FijarAnchoBarra(float ancho) = 0;
    // True once the user has asked to stop (the window is closing).
    virtual bool Detenido() const = 0;

protected:
    ~Pantalla() = default;
};

// A run with no window to show it: nothing is shown and nothing stops it.
class PantallaMuda final : public Pantalla {
public:
    void MostrarFichero(const QString&) override {}
    void CederEventos() override {}
    float AnchoMarco() const override { return 0; }
    void FijarAnchoBarra(float) override {}
    bool Detenido() const override { return false; }
};
