#pragma once

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

// A label that tells of the pointer over it. It keeps the pointer's moves and clicks to
// itself, as a control does, so the window behind only hears of its own background. One that
// takes the focus (a link) is clicked with Enter or Space too, and shows the focus.
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
    void keyPressEvent(QKeyEvent* ev) override
    {
        if (ev->key() == Qt::Key_Return || ev->key() == Qt::Key_Enter || ev->key() == Qt::Key_Space)
            Q_EMIT Click();
        else
            QLabel::keyPressEvent(ev);
    }
    void paintEvent(QPaintEvent* ev) override
    {
        QLabel::paintEvent(ev);
        if (!hasFocus())
            return;
        QStylePainter p(this);
        QStyleOptionFocusRect foco;
        foco.initFrom(this);
        p.drawPrimitive(QStyle::PE_FrameFocusRect, foco);
    }
};
