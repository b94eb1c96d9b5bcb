#pragma once

#include <QWidget>

// The help window: the program's manual, compiled in, so it is always there. Not modal; the
// main window creates it once and brings it forward from "&Manual". It first opens beside the
// main window, so that both can be read; Esc closes it.
class frmAyuda : public QWidget {
    Q_OBJECT
public:
    explicit frmAyuda(QWidget* parent = nullptr);

    // Shows the window, or brings it forward when it is already open.
    void Mostrar();

private:
    // Where the window's frame goes to stand beside `principal`, the main window's frame.
    QPoint AlLado(const QRect& principal) const;
};
