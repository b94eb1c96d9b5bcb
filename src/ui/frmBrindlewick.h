#pragma once

#include <QMainWindow>

struct Estado;

// The main window.
class frmBrindlewick : public QMainWindow {
    Q_OBJECT
public:
    explicit frmBrindlewick(Estado& e, QWidget* parent = nullptr);

private:
    Estado& e;
};
