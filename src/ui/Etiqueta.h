#pragma once

#include <QLabel>
#include <QMouseEvent>

// A label that tells of the pointer over it. It keeps the pointer's moves and clicks to
// itself, as a control does, so the window behind only hears of its own background.
class Etiqueta : public QLabel {
    Q_OBJECT
public:
    explicit Etiqueta(QWidget* parent = nullptr) : QLabel(parent) { setMouseTracking(true); }

Q_SIGNALS:
    void MouseMove();
    void MouseUp();
    void Click();

protected:
    void mouseMoveEvent(QMouseEvent*) override { Q_EMIT MouseMove(); }
    void mousePressEvent(QMouseEvent*) override {}  // taken, so that the release comes here
    void mouseReleaseEvent(QMouseEvent* ev) override
    {
        Q_EMIT MouseUp();
        if (ev->button() == Qt::LeftButton && rect().contains(ev->position().toPoint()))
            Q_EMIT Click();
    }
};
