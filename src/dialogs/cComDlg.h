#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class QWidget;

// The Open and Save dialogs. One object serves the whole program and keeps its properties from
// one dialog to the next, so the last chosen file is offered again.
class cComDlg {
public:
    QWidget* hWnd = nullptr;  // owner: the dialog is modal to it
    QString DialogTitle;
    quint32 Flags = 0;         // overwrite prompt, path and file must exist (Windows values)
    QString FileName;          // in: the name offered; out: full path of the chosen file
    QString InitDir;           // folder the dialog opens in

    // The Open dialog when abrir, the Save dialog otherwise. True when the user confirmed a
    // file; a cancel changes nothing.
    bool ShowOpen(bool abrir);
    // "Description|pattern|..." pairs, the first offered first and its extension added to a
    // name saved without one; the text is kept in the NUL-separated form of the
    // Windows dialogs, which FiltroSistema returns.
    void Filter(const QString& sNewFilter);
    const QString& FiltroSistema() const { return filtro; }

    // What a dialog is asked to show, as the file dialog is set up from it.
    struct Peticion {
        QWidget* dueno = nullptr;
        bool abrir = true;
        QString titulo;
        QString carpeta;
        QString fichero;         // offered in the name box
        QStringList filtros;     // as the file dialog reads them: "Log (*.bwk)"
        QString filtroInicial;
        QString sufijo;          // added to a name typed without extension
        bool confirmarSobrescribir = false;
        bool carpetaDebeExistir = false;
        bool ficheroDebeExistir = false;
    };

    // In test mode no dialog is shown: each one is recorded and answered with the next queued
    // answer, a cancel when none is queued.
    static void ModoPrueba(bool activo);
    static void Elegir(const QString& ruta);  // the next dialog confirms this path
    static void Cancelar();                   // the next dialog is cancelled
    // The dialogs asked for since the last call, which empties the record.
    static QList<Peticion> Peticiones();

private:
    Peticion Pedir(bool abrir) const;

    QString filtro;
};
