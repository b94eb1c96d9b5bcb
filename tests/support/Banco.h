#pragma once

// The main window over a folder of real files, for the tests of windows.

#include "Soporte.h"

#include "app/Estado.h"
#include "dialogs/cComDlg.h"
#include "ui/Avisos.h"
#include "ui/Escritorio.h"
#include "ui/frmBrindlewick.h"
#include "ui/frmSeleccion.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

// No real message box, file dialog or desktop program, and no stored setting.
inline void PrepararVentanas()
{
    Avisos::ModoPrueba(true);
    Escritorio::ModoPrueba(true);
    cComDlg::ModoPrueba(true);
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Brindlewick"),
              QStringLiteral("Brindlewick"))
        .clear();
}

// The main window, its selection in one temporary folder and its log in another.
struct Banco {
    Banco()
    {
        e.RutaLog = datos.camino(QStringLiteral("temp.txt"));
        e.RutaPrograma = QCoreApplication::applicationDirPath();
        QDir::setCurrent(c.ruta());  // the selection dialog starts in the current folder
        w = std::make_unique<frmBrindlewick>(e);
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get()))
            qFatal("the main window never became active");
    }
    template <typename T = QWidget>
    T* hijo(const QString& nombre) const
    {
        T* h = w->findChild<T*>(nombre);
        if (!h)
            qFatal("no control %s", qPrintable(nombre));
        return h;
    }
    QAction* menu(const char* nombre) const { return hijo<QAction>(QString::fromLatin1(nombre)); }
    bool activo(const char* nombre) const { return hijo(QString::fromLatin1(nombre))->isEnabled(); }
    QString numArchivos() const { return hijo<QLabel>(QStringLiteral("lblNumArchivos"))->text(); }

    // Chooses files in the real selection dialog; `cancelar` presses "Cancelar" instead.
    void seleccionar(const QStringList& nombres, bool cancelar = false)
    {
        usarSeleccion(
            [&](QListView* lista) {
                for (int fila = 0; fila < lista->model()->rowCount(); ++fila) {
                    const QModelIndex i = lista->model()->index(fila, 0);
                    if (nombres.contains(i.data().toString()))
                        lista->selectionModel()->select(i, QItemSelectionModel::Select);
                }
            },
            cancelar);
    }
    void seleccionarTodo()
    {
        usarSeleccion([](QListView* lista) { lista->selectAll(); }, false);
    }
    void elegir(int opcion)
    {
        QTest::mouseClick(hijo<QRadioButton>(QStringLiteral("optOpciones_%1").arg(opcion)),
                          Qt::LeftButton);
    }
    void escribir(const char* caja, const QString& texto)
    {
        hijo<QLineEdit>(QString::fromLatin1(caja))->setText(texto);
    }
    void renombrar() { hijo<QPushButton>(QStringLiteral("cmdProcesar"))->click(); }

    CarpetaPrueba c, datos;
    Estado e;
    std::unique_ptr<frmBrindlewick> w;

private:
    void usarSeleccion(const std::function<void(QListView*)>& marcar, bool cancelar)
    {
        QTimer::singleShot(0, w.get(), [&] {
            auto* dialogo = w->findChild<frmSeleccion*>();
            // It reads the folder when it becomes active, as a window manager makes it.
            QApplication::setActiveWindow(dialogo);
            if (!QTest::qWaitForWindowActive(dialogo))
                qWarning("the selection dialog never became active");
            auto* lista = dialogo->findChild<QListView*>(QStringLiteral("lstFicheros"));
            lista->clearSelection();
            marcar(lista);
            dialogo
                ->findChild<QPushButton*>(cancelar ? QStringLiteral("cmdCancelar")
                                                   : QStringLiteral("cmdAceptar"))
                ->click();
        });
        hijo<QPushButton>(QStringLiteral("cmdSeleccionar"))->click();
        QApplication::setActiveWindow(w.get());  // back to the main window, as on a desktop
    }
};
