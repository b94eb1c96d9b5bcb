#include "Soporte.h"

#include "dialogs/cComDlg.h"
#include "ui/Avisos.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QtTest>

namespace {

// Each text followed by a NUL, as the Windows dialogs want their filter.
QString ConNul(const QStringList& textos)
{
    QString s;
    for (const QString& t : textos)
        s += t + QChar(u'\0');
    return s;
}

// The dialog set up as the program sets it at its start.
void ComoElPrograma(cComDlg& d)
{
    d.CancelError = true;
    d.Filter(QStringLiteral("Log (*.bwk)|*.bwk"));
    d.MaxFileSize = 260;
    d.Flags = 6150;
}

}  // namespace

class PruebaComDlg : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void filtro_data();
    void filtro();
    void peticion_data();
    void peticion();
    void carpetaYNombreOfrecidos();
    void resultado_data();
    void resultado();
    void cancelarNoCambiaNada();
    void accion_data();
    void accion();
    void dialogoReal_data();
    void dialogoReal();
};

void PruebaComDlg::init()
{
    cComDlg::ModoPrueba(true);
    Avisos::ModoPrueba(true);
}

void PruebaComDlg::filtro_data()
{
    QTest::addColumn<QString>("entrada");
    QTest::addColumn<QString>("sistema");
    QTest::newRow("the program's filter")
        << "Log (*.bwk)|*.bwk" << ConNul(Lista({"Log (*.bwk)", "*.bwk", ""}));
    QTest::newRow("already ending in a bar")
        << "A|*.a|B|*.b|" << ConNul(Lista({"A", "*.a", "B", "*.b", ""}));
    QTest::newRow("blanks around")
        << "  A|*.a|B|*.b|  " << ConNul(Lista({"A", "*.a", "B", "*.b", ""}));
    QTest::newRow("blanks inside stay")
        << "Todos los archivos | *" << ConNul(Lista({"Todos los archivos ", " *", ""}));
    QTest::newRow("no bar, no NUL") << "Registros" << QString();
    QTest::newRow("already converted")
        << ConNul(Lista({"A", "*.a", ""})) << ConNul(Lista({"A", "*.a", ""}));
}

void PruebaComDlg::filtro()
{
    QFETCH(QString, entrada);
    cComDlg d;
    d.Filter(QStringLiteral("Otro|*.x"));  // a later filter replaces an earlier one
    d.Filter(entrada);
    QTEST(d.FiltroSistema(), "sistema");
}

void PruebaComDlg::peticion_data()
{
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<int>("indice");
    QTest::addColumn<quint32>("flags");
    QTest::addColumn<QString>("defecto");  // DefaultExt
    QTest::addColumn<bool>("abrir");
    QTest::addColumn<QStringList>("filtros");
    QTest::addColumn<QString>("inicial");
    QTest::addColumn<QString>("sufijo");
    QTest::addColumn<bool>("confirmar");
    QTest::addColumn<bool>("carpetaExiste");
    QTest::addColumn<bool>("ficheroExiste");

    const QStringList log = Lista({"Log (*.bwk)"});
    QTest::newRow("program, Open") << "Log (*.bwk)|*.bwk" << 0 << 6150u << "" << true << log
                                   << "Log (*.bwk)" << "" << false << true << true;
    // A Save dialog that demanded an existing file could never save a new log.
    QTest::newRow("program, Save") << "Log (*.bwk)|*.bwk" << 0 << 6150u << "" << false << log
                                   << "Log (*.bwk)" << "bwk" << true << true << false;
    QTest::newRow("no flags") << "Log (*.bwk)|*.bwk" << 0 << 0u << "" << false << log
                              << "Log (*.bwk)" << "bwk" << false << false << false;
    QTest::newRow("own default extension")
        << "Log (*.bwk)|*.bwk" << 0 << 0u << "txt" << false << log << "Log (*.bwk)" << "txt"
        << false << false << false;
    QTest::newRow("second pair chosen")
        << "Registros|*.bwk|Todos|*" << 2 << 0u << "" << false
        << Lista({"Registros (*.bwk)", "Todos (*)"}) << "Todos (*)" << "" << false << false
        << false;
    QTest::newRow("index past the pairs")
        << "A|*.a|B|*.b" << 5 << 0u << "" << false << Lista({"A (*.a)", "B (*.b)"})
        << "A (*.a)" << "a" << false << false << false;
    QTest::newRow("a list of patterns")
        << "Imágenes (*.jpg;*.png)|*.jpg;*.png" << 0 << 0u << "" << false
        << Lista({"Imágenes (*.jpg *.png)"}) << "Imágenes (*.jpg *.png)" << "" << false << false
        << false;
    QTest::newRow("no filter") << "Registros" << 0 << 0u << "" << false << QStringList() << ""
                               << "" << false << false << false;
}

void PruebaComDlg::peticion()
{
    QFETCH(QString, filtro);
    QFETCH(int, indice);
    QFETCH(quint32, flags);
    QFETCH(QString, defecto);
    QFETCH(bool, abrir);
    cComDlg d;
    d.Filter(filtro);
    d.FilterIndex = indice;
    d.Flags = flags;
    d.DefaultExt = defecto;

    QVERIFY(!d.ShowOpen(abrir));
    const QList<cComDlg::Peticion> vistas = cComDlg::Peticiones();
    QCOMPARE(vistas.size(), 1);
    const cComDlg::Peticion& p = vistas.first();
    QCOMPARE(p.abrir, abrir);
    QTEST(p.filtros, "filtros");
    QTEST(p.filtroInicial, "inicial");
    QTEST(p.sufijo, "sufijo");
    QTEST(p.confirmarSobrescribir, "confirmar");
    QTEST(p.carpetaDebeExistir, "carpetaExiste");
    QTEST(p.ficheroDebeExistir, "ficheroExiste");
}

void PruebaComDlg::carpetaYNombreOfrecidos()
{
    QWidget ventana;
    cComDlg d;
    ComoElPrograma(d);
    d.hWnd = &ventana;
    d.FileName = QStringLiteral("/home/ana/Logs/lote.bwk");  // the log chosen last time

    // The folder that the caller sets wins; the last name is offered again.
    d.InitDir = QStringLiteral("/home/ana/Fotos/");
    d.DialogTitle = QStringLiteral("Guardar Log");
    d.ShowOpen(false);
    // Without a folder of its own the dialog opens where the offered file lies.
    d.InitDir.clear();
    d.DialogTitle = QStringLiteral("Cargar log");
    d.ShowOpen(true);

    const QList<cComDlg::Peticion> vistas = cComDlg::Peticiones();
    QCOMPARE(vistas.size(), 2);
    QCOMPARE(vistas[0].dueno, &ventana);
    QCOMPARE(vistas[0].titulo, QStringLiteral("Guardar Log"));
    QCOMPARE(vistas[0].carpeta, QStringLiteral("/home/ana/Fotos/"));
    QCOMPARE(vistas[0].fichero, QStringLiteral("lote.bwk"));
    QCOMPARE(vistas[1].titulo, QStringLiteral("Cargar log"));
    QCOMPARE(vistas[1].carpeta, QStringLiteral("/home/ana/Logs/"));
    QCOMPARE(vistas[1].fichero, QStringLiteral("lote.bwk"));
}

void PruebaComDlg::resultado_data()
{
    QTest::addColumn<QString>("elegido");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("carpeta");
    QTest::newRow("nested") << "/home/ana/Logs/lote.bwk" << "lote.bwk" << "/home/ana/Logs/";
    QTest::newRow("root") << "/x.bwk" << "x.bwk" << "/";
    if (QDir::separator() == u'/')  // a backslash is an ordinary character of a name here
        QTest::newRow("backslash in the name") << "/tmp/a\\b.bwk" << "a\\b.bwk" << "/tmp/";
}

void PruebaComDlg::resultado()
{
    QFETCH(QString, elegido);
    cComDlg d;
    ComoElPrograma(d);
    cComDlg::Elegir(elegido);
    QVERIFY(d.ShowOpen(true));
    QCOMPARE(d.FileName, QDir::toNativeSeparators(elegido));
    QTEST(d.FileTitle, "titulo");
    QTEST(d.Path, "carpeta");
}

void PruebaComDlg::cancelarNoCambiaNada()
{
    cComDlg d;
    ComoElPrograma(d);
    d.InitDir = QStringLiteral("/home/ana/Fotos/");
    cComDlg::Elegir(QStringLiteral("/home/ana/Logs/lote.bwk"));
    QVERIFY(d.ShowOpen(true));

    cComDlg::Cancelar();
    QVERIFY(!d.ShowOpen(false));
    QVERIFY(!d.ShowOpen(true));  // nothing queued: a test never sees a real dialog
    QCOMPARE(cComDlg::Peticiones().size(), 3);
    QCOMPARE(d.FileName, QStringLiteral("/home/ana/Logs/lote.bwk"));
    QCOMPARE(d.FileTitle, QStringLiteral("lote.bwk"));
    QCOMPARE(d.Path, QStringLiteral("/home/ana/Logs/"));
    QCOMPARE(d.InitDir, QStringLiteral("/home/ana/Fotos/"));
}

void PruebaComDlg::accion_data()
{
    QTest::addColumn<int>("accion");
    QTest::addColumn<QList<bool>>("abiertos");  // one entry per dialog shown: Open or not
    QTest::newRow("1 Open") << 1 << QList<bool>{true};
    QTest::newRow("2 Save") << 2 << QList<bool>{false};
    QTest::newRow("3 nothing") << 3 << QList<bool>{};
}

void PruebaComDlg::accion()
{
    QFETCH(int, accion);
    QFETCH(QList<bool>, abiertos);
    cComDlg d;
    ComoElPrograma(d);
    cComDlg::Elegir(QStringLiteral("/tmp/lote.bwk"));
    d.Action(qint16(accion));

    QList<bool> vistos;
    for (const cComDlg::Peticion& p : cComDlg::Peticiones())
        vistos << p.abrir;
    QCOMPARE(vistos, abiertos);
    QCOMPARE(d.FileName, abiertos.isEmpty() ? QString() : QStringLiteral("/tmp/lote.bwk"));
}

// The real file dialog, answered by typing a name and pressing its accept button. Its own
// messages go through the message seam, so the test never blocks on one.
void PruebaComDlg::dialogoReal_data()
{
    QTest::addColumn<bool>("abrir");
    QTest::addColumn<QStringList>("existentes");
    QTest::addColumn<QString>("escrito");
    QTest::addColumn<QMessageBox::StandardButton>("respuesta");  // to a question, if one comes
    QTest::addColumn<QString>("elegido");                        // null: the dialog stays open
    QTest::addColumn<QString>("aviso");                          // "@" stands for the folder

    const auto nada = QMessageBox::NoButton;
    QTest::newRow("save adds the extension")
        << false << QStringList() << "lote" << nada << "lote.bwk" << "";
    QTest::newRow("save keeps a typed extension")
        << false << QStringList() << "lote.txt" << nada << "lote.txt" << "";
    QTest::newRow("save asks before replacing, Yes")
        << false << Lista({"lote.bwk"}) << "lote" << QMessageBox::Yes << "lote.bwk"
        << "lote.bwk ya existe.\n¿Desea reemplazarlo?";
    QTest::newRow("save asks before replacing, No")
        << false << Lista({"lote.bwk"}) << "lote.bwk" << QMessageBox::No << QString()
        << "lote.bwk ya existe.\n¿Desea reemplazarlo?";
    QTest::newRow("save into a missing folder")
        << false << QStringList() << "falta/lote.bwk" << nada << QString()
        << "La carpeta no existe:\n@falta";
    QTest::newRow("open an existing file")
        << true << Lista({"lote.bwk"}) << "lote.bwk" << nada << "lote.bwk" << "";
    QTest::newRow("open takes the name as typed")
        << true << Lista({"lote"}) << "lote" << nada << "lote" << "";
    QTest::newRow("open a missing file") << true << Lista({"lote"}) << "lote.bwk" << nada
                                         << QString() << "";
}

void PruebaComDlg::dialogoReal()
{
    QFETCH(bool, abrir);
    QFETCH(QStringList, existentes);
    QFETCH(QString, escrito);
    QFETCH(QMessageBox::StandardButton, respuesta);
    QFETCH(QString, elegido);
    QFETCH(QString, aviso);
    cComDlg::ModoPrueba(false);
    if (respuesta != QMessageBox::NoButton)
        Avisos::Responder(respuesta);
    CarpetaPrueba carpeta;
    carpeta.crear(existentes);

    QWidget ventana;
    cComDlg d;
    ComoElPrograma(d);
    d.hWnd = &ventana;
    d.InitDir = carpeta.ruta();
    d.DialogTitle = QStringLiteral("Título");
    QTimer::singleShot(0, &ventana, [&ventana, escrito] {
        auto* dialogo = ventana.findChild<QFileDialog*>();
        dialogo->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(escrito);
        const auto* caja = dialogo->findChild<QDialogButtonBox*>();
        for (QAbstractButton* boton : caja->buttons())
            if (caja->buttonRole(boton) == QDialogButtonBox::AcceptRole)
                boton->click();
        if (dialogo->isVisible())
            dialogo->reject();
    });
    const bool confirmado = d.ShowOpen(abrir);

    QCOMPARE(confirmado, !elegido.isNull());
    if (confirmado) {
        QCOMPARE(d.FileName, carpeta.camino(elegido));
        QCOMPARE(d.Path, carpeta.ruta());
    }
    const QList<Avisos::Visto> vistos = Avisos::Vistos();
    QCOMPARE(vistos.size(), aviso.isEmpty() ? 0 : 1);
    if (!aviso.isEmpty()) {
        QCOMPARE(vistos.first().texto, aviso.replace(u'@', carpeta.ruta()));
        QCOMPARE(vistos.first().titulo, QStringLiteral("Título"));
        QCOMPARE(vistos.first().icono, QMessageBox::Warning);
    }
    QCOMPARE(carpeta.nombres(), existentes);  // the dialog itself never writes
}

QTEST_MAIN(PruebaComDlg)
#include "tst_cComDlg.moc"
