#include "Soporte.h"

#include "dialogs/cComDlg.h"
#include "ui/Avisos.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QtTest>

class PruebaComDlg : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void filtro_data();
    void filtro();
    void filtrosYAccion();
    void resultado_data();
    void resultado();
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
    // The NUL-separated form, written with u"..."_qs so that it keeps its NULs.
    QTest::newRow("the program's filter") << "Log (*.bwk)|*.bwk" << u"Log (*.bwk)\0*.bwk\0\0"_qs;
    QTest::newRow("blanks around go, blanks inside stay, a final bar")
        << "  A|*.a| B |*.b|  " << u"A\0*.a\0 B \0*.b\0\0"_qs;
    QTest::newRow("no bar, no NUL") << "Registros" << QString();
    QTest::newRow("already converted") << u"A\0*.a\0\0"_qs << u"A\0*.a\0\0"_qs;
}

void PruebaComDlg::filtro()
{
    QFETCH(QString, entrada);
    cComDlg d;
    d.Filter(entrada);
    QTEST(d.FiltroSistema(), "sistema");
}

void PruebaComDlg::filtrosYAccion()
{
    // The pair chosen by its 1-based index opens selected and gives the Save dialog its
    // extension. Qt reads a list of patterns separated by blanks. Action 2 shows the Save
    // dialog, 1 the Open dialog, anything else none.
    cComDlg d;
    d.Filter(u"Log (*.bwk)|*.bwk|Imágenes|*.jpg;*.png|Textos|*.txt"_qs);
    d.FilterIndex = 3;
    d.Action(2);
    d.FilterIndex = 2;
    d.Action(1);
    d.Action(3);
    QStringList vistas;
    for (const cComDlg::Peticion& p : cComDlg::Peticiones())
        vistas << (p.abrir ? u"Open: "_qs : u"Save: "_qs) + p.filtros.join(u", ") + u" > "_qs
                + p.filtroInicial + u" ."_qs + p.sufijo;
    const QString filtros = u"Log (*.bwk), Imágenes (*.jpg *.png), Textos (*.txt) > "_qs;
    QCOMPARE(vistas, (QStringList{u"Save: "_qs + filtros + u"Textos (*.txt) .txt"_qs,
                                  u"Open: "_qs + filtros + u"Imágenes (*.jpg *.png) ."_qs}));
}

void PruebaComDlg::resultado_data()
{
    QTest::addColumn<QStringList>("partes");  // the chosen file, its name, its folder
    QTest::newRow("nested") << Lista({"/home/ana/Logs/lote.bwk", "lote.bwk", "/home/ana/Logs/"});
    QTest::newRow("root") << Lista({"/x.bwk", "x.bwk", "/"});
    if (QDir::separator() == u'/')  // a backslash is an ordinary character of a name here
        QTest::newRow("backslash in the name") << Lista({"/tmp/a\\b.bwk", "a\\b.bwk", "/tmp/"});
}

void PruebaComDlg::resultado()
{
    QFETCH(QStringList, partes);
    cComDlg d;
    d.InitDir = u"/home/ana/Fotos/"_qs;
    cComDlg::Elegir(partes.first());
    QVERIFY(d.ShowOpen(true));
    // A cancel afterwards changes nothing, and the next dialog offers the same file.
    cComDlg::Cancelar();
    QVERIFY(!d.ShowOpen(false));
    QCOMPARE((QStringList{d.FileName, d.FileTitle, d.Path, d.InitDir}),
             partes + QStringList{u"/home/ana/Fotos/"_qs});
    QCOMPARE(cComDlg::Peticiones().last().fichero, partes[1]);
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

    // Save adds the extension of its filter, asks after that before replacing, and takes a
    // new file; Open takes the name as typed but only a file that exists.
    const auto nada = QMessageBox::NoButton;
    const QString reemplazar = u"lote.bwk ya existe.\n¿Desea reemplazarlo?"_qs;
    QTest::newRow("save a new file") << false << QStringList() << "lote" << nada << "lote.bwk"
                                     << "";
    QTest::newRow("save over a file, Yes")
        << false << Lista({"lote.bwk"}) << "lote" << QMessageBox::Yes << "lote.bwk" << reemplazar;
    QTest::newRow("save over a file, No")
        << false << Lista({"lote.bwk"}) << "lote.bwk" << QMessageBox::No << QString() << reemplazar;
    QTest::newRow("save into a missing folder")
        << false << QStringList() << "falta/lote.bwk" << nada << QString()
        << "La carpeta no existe:\n@falta";
    QTest::newRow("open a file without extension")
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
    cComDlg d;  // as the program sets it up
    d.Filter(u"Log (*.bwk)|*.bwk"_qs);
    d.Flags = 6150;
    d.hWnd = &ventana;
    d.InitDir = carpeta.ruta();
    d.DialogTitle = QStringLiteral("Título");
    QTimer::singleShot(0, &ventana, [&ventana, escrito] {
        auto* dialogo = ventana.findChild<QFileDialog*>();  // owned by the window it serves
        dialogo->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(escrito);
        const auto* caja = dialogo->findChild<QDialogButtonBox*>();
        for (QAbstractButton* boton : caja->buttons())
            if (caja->buttonRole(boton) == QDialogButtonBox::AcceptRole)
                boton->click();
        if (dialogo->isVisible())
            dialogo->reject();
    });
    const bool confirmado = d.ShowOpen(abrir);
    QCOMPARE(confirmado ? d.FileName : QString(),
             elegido.isNull() ? QString() : carpeta.camino(elegido));
    QStringList vistos;  // the dialog's own title on each message
    for (const Avisos::Visto& v : Avisos::Vistos())
        vistos << v.titulo + u": "_qs + v.texto;
    aviso.replace(u'@', carpeta.ruta());
    QCOMPARE(vistos, aviso.isEmpty() ? QStringList() : QStringList{u"Título: "_qs + aviso});
}

QTEST_MAIN(PruebaComDlg)
#include "tst_cComDlg.moc"
