#pragma once

#include <QColor>
#include <QString>
#include <QTimer>
#include <QWidget>

// What a run changes once per file (the bar's width, the file name) is stored at once but
// painted at most about 60 times a second: no screen shows more, and a repaint per file
// would cost far more than the rename itself.
class Diferido {
public:
    Diferido(QWidget* w, void (*aplicar)(QWidget*));
    void Pedir();

private:
    QTimer temporizador;
};

// A rectangle shape whose geometry is kept in twips as single-precision floats, so that the
// progress arithmetic holds exactly; the screen shows it rounded to pixels.
class Forma : public QWidget {
    Q_OBJECT
public:
    // `relleno` invalid: transparent inside.
    Forma(QWidget* padre, const QString& nombre, QColor borde, QColor relleno);

    float Left() const { return izquierda; }
    float Top() const { return arriba; }
    float Width() const { return ancho; }
    float Height() const { return alto; }
    void setGeometriaTwips(float izquierda, float arriba, float ancho, float alto);
    void setWidth(float ancho);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    static void Aplicar(QWidget* w);
    float izquierda = 0, arriba = 0, ancho = 0, alto = 0;
    QColor borde, relleno;
    Diferido diferido;
};

// A centred one-line caption that stores its text at once and paints it on the next frame,
// without the layout pass of a QLabel.
class EtiquetaRapida : public QWidget {
    Q_OBJECT
public:
    EtiquetaRapida(QWidget* padre, const QString& nombre);
    QString text() const { return texto; }
    void setText(const QString& texto);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString texto;
    Diferido diferido;
};
