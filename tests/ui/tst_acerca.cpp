#include "Soporte.h"

#include "ui/Escritorio.h"
#include "ui/frmAcerca.h"

#include <QtTest>

namespace {

const QString Version = QStringLiteral("%1.%2.%3").arg(BRINDLEWICK_VERSION_MAJOR)
                            .arg(BRINDLEWICK_VERSION_MINOR).arg(BRINDLEWICK_VERSION_PATCH);
const QColor Rojo(255, 0, 0);
const QColor Azul(0, 0, 255);

QWidget* Control(QWidget& ventana, const QString& nombre)
{
    auto* w = ventana.findChild<QWidget*>(nombre);
    if (!w)
        qFatal("no control %s", qPrintable(nombre));
    return w;
}

}  // namespace

class PruebaAcerca : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void textosYEnlaces();
    void colores_data();
    void colores();
    void teclas();
};

void PruebaAcerca::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    Escritorio::ModoPrueba(true);
}

// Every text shown (the caption is checked where the main window opens the box), then what
// each link hands to the desktop; a press that ends off the link opens nothing.
void PruebaAcerca::textosYEnlaces()
{
    frmAcerca a;
    QMap<QString, QString> textos;
    for (const QWidget* w : a.findChildren<QWidget*>())
        if (const QString t = w->property("text").toString(); !t.isEmpty())
            textos.insert(w->objectName(), t);
    QCOMPARE(textos, (QMap<QString, QString>{
        {u"cmdOK"_qs, u"Aceptar"_qs}, {u"Label1"_qs, u"Web:"_qs},
        {u"lblWeb"_qs, u"brindlewick.example.org"_qs}, {u"lblCorreo"_qs, u"e-mail"_qs},
        {u"lblAutor"_qs, u"By the Brindlewick team"_qs}, {u"lblTitle"_qs, u"Brindlewick"_qs},
        {u"lblDescription"_qs, u"Utilidad para renombrar gran cantidad de archivos fácilmente."_qs},
        {u"lblVersion"_qs, u"Versión "_qs + Version},
        {u"lblDisclaimer"_qs,
         u"Agradecimientos:\r\n  · La comunidad de Qt (qt.io)\r\n  · Quienes lo probaron"_qs},
    }));

    a.show();
    QTest::mouseClick(Control(a, u"lblCorreo"_qs), Qt::LeftButton);
    QTest::mouseClick(Control(a, u"lblWeb"_qs), Qt::LeftButton);
    QTest::mousePress(Control(a, u"lblWeb"_qs), Qt::LeftButton);
    QTest::mouseRelease(Control(a, u"lblWeb"_qs), Qt::LeftButton, {}, QPoint(-5, -5));
    const QString correo = u"mailto:brindlewick@example.org?Subject=Acerca de Brindlewick "_qs;
    QCOMPARE(Escritorio::Abiertos(),
             (QList<QUrl>{QUrl(correo + Version), QUrl(u"https://brindlewick.example.org/"_qs)}));
}

void PruebaAcerca::colores_data()
{
    // Steps: a control's name is the pointer moving over it, "fondo" over the window's
    // background, "^" a click on a control.
    QTest::addColumn<QStringList>("pasos");
    QTest::addColumn<QColor>("correo");
    QTest::addColumn<QColor>("web");
    QTest::newRow("mail link; title and version change nothing")
        << Lista({"lblCorreo", "lblTitle", "lblVersion"}) << Rojo << Azul;
    QTest::newRow("web link; image, button, description change nothing")
        << Lista({"lblWeb", "Image1", "cmdOK", "lblDescription"}) << Azul << Rojo;
    QTest::newRow("mail straight to web: both red") << Lista({"lblCorreo", "lblWeb"}) << Rojo << Rojo;
    QTest::newRow("background") << Lista({"lblCorreo", "lblWeb", "fondo"}) << Azul << Azul;
    QTest::newRow("Label1") << Lista({"lblCorreo", "lblWeb", "Label1"}) << Azul << Azul;
    QTest::newRow("lblAutor") << Lista({"lblCorreo", "lblWeb", "lblAutor"}) << Azul << Azul;
    QTest::newRow("lblDisclaimer") << Lista({"lblCorreo", "lblWeb", "lblDisclaimer"}) << Azul << Azul;
    QTest::newRow("released over the description")
        << Lista({"lblCorreo", "lblWeb", "^lblDescription"}) << Azul << Azul;
}

void PruebaAcerca::colores()
{
    QFETCH(QStringList, pasos);
    frmAcerca a;
    a.show();
    QVERIFY(QTest::qWaitForWindowExposed(&a));
    for (const QString& paso : pasos) {
        QWidget* w = paso == u"fondo" ? &a : Control(a, paso.mid(paso.startsWith(u'^') ? 1 : 0));
        if (paso.startsWith(u'^'))
            QTest::mouseClick(w, Qt::LeftButton);
        else
            QTest::mouseMove(w, w == &a ? QPoint(2, a.height() - 2) : w->rect().center());
    }
    QTEST(Control(a, u"lblCorreo"_qs)->palette().color(QPalette::WindowText), "correo");
    QTEST(Control(a, u"lblWeb"_qs)->palette().color(QPalette::WindowText), "web");
}

void PruebaAcerca::teclas()
{
    for (const Qt::Key tecla : {Qt::Key_Return, Qt::Key_Escape}) {
        frmAcerca a;
        a.show();
        QVERIFY(QTest::qWaitForWindowActive(&a));
        QTest::keyClick(&a, tecla);
        QVERIFY2(!a.isVisible(), tecla == Qt::Key_Return ? "Enter" : "Esc");
    }
}

QTEST_MAIN(PruebaAcerca)
#include "tst_acerca.moc"
