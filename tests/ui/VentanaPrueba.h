#pragma once

#include "Soporte.h"

#include "app/Estado.h"
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
#include <QTimer>
#include <QtTest>

#include <memory>

// The main window over a folder of real files, its log in a folder of its own.
struct Banco {
    Banco()
    {
        e.RutaLog = datos.camino(u"temp.txt"_qs);
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
    bool activo(const char* nombre) const
    {
        return hijo(QString::fromLatin1(nombre))->isEnabled();
    }
    QString numArchivos() const { return hijo<QLabel>(u"lblNumArchivos"_qs)->text(); }

    // Chooses files in the real selection dialog; `cancelar` presses "Cancelar" instead.
    void seleccionar(const QStringList& nombres, bool cancelar = false)
    {
        QTimer::singleShot(0, w.get(), [&] {
            auto* dialogo = w->findChild<frmSeleccion*>();
            // It reads the folder when it becomes active, as a window manager makes it.
            QApplication::setActiveWindow(dialogo);
            if (!QTest::qWaitForWindowActive(dialogo))
                qWarning("the selection dialog never became active");
            auto* lista = dialogo->findChild<QListView*>(u"lstFicheros"_qs);
            lista->clearSelection();
            for (int fila = 0; fila < lista->model()->rowCount(); ++fila) {
                const QModelIndex i = lista->model()->index(fila, 0);
                if (nombres.contains(i.data().toString()))
                    lista->selectionModel()->select(i, QItemSelectionModel::Select);
            }
            dialogo->findChild<QPushButton*>(cancelar ? u"cmdCancelar"_qs : u"cmdAceptar"_qs)
                ->click();
        });
        hijo<QPushButton>(u"cmdSeleccionar"_qs)->click();
        QApplication::setActiveWindow(w.get());  // back to the main window, as on a desktop
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
    void renombrar() { hijo<QPushButton>(u"cmdProcesar"_qs)->click(); }

    CarpetaPrueba c, datos;
    Estado e;
    std::unique_ptr<frmBrindlewick> w;
};
