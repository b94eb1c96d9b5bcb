#pragma once

#include <QColor>
#include <QString>
#include <QTimer>
#include <QWidget>

// What a run changes once per file (the bar's width, the file name) is stored at once but
// shown later, at most once per `intervalo` ms: painted about 60 times a second (no screen
// shows more, and a repaint per file would cost far more than the rename itself), told to a
// screen reader a few times a second (one announcement per file would drown it).
class Diferido {
public:
    Diferido(QWidget* w, void (*aplicar)(QWidget*), int intervalo);
    void Pedir();

private:
    QTimer temporizador;
};

// A rectangle shape whose geometry is kept in twips as single-precision floats, so that the
// progress arithmetic holds exactly; the screen shows it rounded to pixels. Given a maximum
// width, it is a progress bar to assistive technology, its width the value.
class Forma : public QWidget {
    Q_OBJECT
public:
    // `relleno` invalid: transparent inside.
    Forma(QWidget* padre, const QString& nombre, QColor borde, QColor relleno);

    float Left() const { return izquierda; }
    float Top() const { return arriba; }
    float Width() const { return ancho; }
    float Height() const { return alto; }
    float Maximo() const { return maximo; }
    void setGeometriaTwips(float izquierda, float arriba, float ancho, float alto);
    void setWidth(float ancho);
    void setMaximo(float maximo_) { maximo = maximo_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    static void Aplicar(QWidget* w);
    float izquierda = 0, arriba = 0, ancho = 0, alto = 0, maximo = 0;
    QColor borde, relleno;
    Diferido diferido, anuncio;
};

// A centred one-line caption that stores its text at once and paints it on the next frame,
// without the layout pass of a QLabel. It lies over the progress bar `barra`: over the
// filled part its text takes the highlight's text colour, over the rest the normal one.
class EtiquetaRapida : public QWidget {
    Q_OBJECT
public:
    EtiquetaRapida(QWidget* padre, const QString& nombre, const QWidget* barra);
    QString text() const { return texto; }
    void setText(const QString& texto);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString texto;
    const QWidget* barra;
    Diferido diferido, anuncio;
};
