#pragma once

#include <QDialog>

class Etiqueta;
class QLabel;
class QPushButton;

// The About box. Build it afresh for every showing and exec() it; "Aceptar", Enter and Esc
// close it.
class frmAcerca : public QDialog {
    Q_OBJECT
public:
    explicit frmAcerca(QWidget* parent = nullptr);

protected:
    void mouseMoveEvent(QMouseEvent* ev) override;

private Q_SLOTS:
    void Form_Load();
    void cmdOK_Click();
    void lblCorreo_Click();
    void lblWeb_Click();
    void lblCorreo_MouseMove();
    void lblWeb_MouseMove();
    // The pointer left the links for the background or a plain caption.
    void EnlacesEnReposo();

private:
    QPushButton* cmdOK;
    Etiqueta* Label1;
    Etiqueta* lblWeb;
    Etiqueta* lblAutor;
    Etiqueta* lblCorreo;
    QLabel* Image1;
    Etiqueta* lblDescription;
    QLabel* lblTitle;
    QLabel* lblVersion;
    Etiqueta* lblDisclaimer;
};
