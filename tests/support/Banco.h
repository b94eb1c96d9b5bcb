#pragma once

// The main window over a folder of real files, for the tests of windows.

#include "Soporte.h"

#include "dialogs/cComDlg.h"
#include "engine/Estado.h"
#include "dialogs/Avisos.h"
#include "ui/Escritorio.h"
#include "ui/frmBrindlewick.h"
#include "ui/frmResultado.h"
#include "ui/frmSeleccion.h"

#include <QtWidgets>

#include <functional>
#include <memory>

// No real message box, file dialog or desktop program, and no stored setting.
inline void PrepararVentanas()
{
    // A "Resultado" that no test waits for would wait for ever: one still up at the next look
    // is closed, as a user would, and a test that did not expect it fails on what it checks
    // rather than on its time limit.
    static const auto* cerrar = [] {
        auto* t = new QTimer(qApp);
        QObject::connect(t, &QTimer::timeout, qApp, [] {
            static QPointer<QWidget> visto;
            QWidget* ahora = qobject_cast<frmResultado*>(QApplication::activeModalWidget());
            if (ahora && ahora == visto)
                static_cast<QDialog*>(ahora)->reject();
            visto = ahora;
        });
        t->start(200);
        return t;
    }();
    Q_UNUSED(cerrar);
    Avisos::ModoPrueba(true);
    Escritorio::ModoPrueba(true);
    cComDlg::ModoPrueba(true);
    QSettings(QSettings::NativeFormat, QSettings::UserScope, u"Brindlewick"_qs, u"Brindlewick"_qs).clear();
}

// The message boxes shown since the last look, each as its text, "!" before an error (critical
// icon, OK, the program's title), "?" before a question (Yes and No, the program's title), the
// title and ": " before any other.
inline QStringList Mensajes()
{
    QStringList textos;
    for (const Avisos::Visto& v : Avisos::Vistos()) {
        const bool nuestro = v.titulo == u"Brindlewick";
        textos << (nuestro && v.icono == QMessageBox::Critical && v.botones == QMessageBox::Ok ? u"!"_qs
                   : nuestro && v.icono == QMessageBox::Question && v.botones == (QMessageBox::Yes | QMessageBox::No)
                       ? u"?"_qs
                       : v.titulo + u": "_qs)
                + v.texto;
    }
    return textos;
}

// The rows of a dialog's table, the cells of columns [desde, hasta) joined by "|".
inline QStringList Filas(const QWidget* dialogo, int desde = 0, int hasta = 3)
{
    const QAbstractItemModel* m = dialogo->findChild<QTableView*>()->model();
    QStringList filas;
    for (int f = 0; f < m->rowCount(); ++f) {
        QStringList celdas;
        for (int c = desde; c < hasta; ++c)
            celdas << m->index(f, c).data().toString();
        filas << celdas.join(u'|');
    }
    return filas;
}

// Runs `hacer` on the modal dialog of type T once it is up: a run before it yields to the
// event loop, so a plain single shot would fire too early.
template <typename T>
void CuandoSeAbra(QObject* contexto, const std::function<void(T*)>& hacer)
{
    auto* espera = new QTimer(contexto);
    QObject::connect(espera, &QTimer::timeout, contexto, [espera, hacer] {
        if (auto* dialogo = qobject_cast<T*>(QApplication::activeModalWidget())) {
            espera->deleteLater();
            espera->stop();
            hacer(dialogo);
        }
    });
    espera->start(5);
}

// The main window, its selection in one temporary folder and its log in another.
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
    bool activo(const char* nombre) const { return hijo(QString::fromLatin1(nombre))->isEnabled(); }
    QString numArchivos() const { return hijo<QLabel>(u"lblNumArchivos"_qs)->text(); }
    void elegir(Opcion opcion) { QTest::mouseClick(hijo(QStringLiteral("optOpciones_%1").arg(int(opcion))), Qt::LeftButton); }
    void escribir(const char* caja, const QString& texto) { hijo<QLineEdit>(QString::fromLatin1(caja))->setText(texto); }
    void renombrar() { hijo<QPushButton>(u"cmdProcesar"_qs)->click(); }

    // Chooses files in the real selection dialog, {"*"} for all, and presses "Aceptar".
    void seleccionar(const QStringList& nombres)
    {
        QTimer::singleShot(0, w.get(), [&] {
            auto* dialogo = w->findChild<frmSeleccion*>();
            // It reads the folder when it becomes active, as a window manager makes it.
            QApplication::setActiveWindow(dialogo);
            if (!QTest::qWaitForWindowActive(dialogo))
                qWarning("the selection dialog never became active");
            auto* lista = dialogo->findChild<QListView*>(u"lstFicheros"_qs);
            lista->clearSelection();
            if (nombres == QStringList{u"*"_qs})
                lista->selectAll();
            for (int fila = 0; fila < lista->model()->rowCount(); ++fila)
                if (nombres.contains(lista->model()->index(fila, 0).data().toString()))
                    lista->selectionModel()->select(lista->model()->index(fila, 0), QItemSelectionModel::Select);
            dialogo->findChild<QPushButton*>(u"cmdAceptar"_qs)->click();
        });
        hijo<QPushButton>(u"cmdSeleccionar"_qs)->click();
        QApplication::setActiveWindow(w.get());  // back to the main window, as on a desktop
    }
    // Selects `nombres`, chooses operation `opcion`, types `texto` in its first box, where the
    // focus went, and runs.
    void correr(const QStringList& nombres, Opcion opcion, const QString& texto = {})
    {
        seleccionar(nombres);
        elegir(opcion);
        if (auto* caja = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
            caja->setText(texto);
        renombrar();
    }

    CarpetaPrueba c, datos;
    Estado e;
    std::unique_ptr<frmBrindlewick> w;
};
