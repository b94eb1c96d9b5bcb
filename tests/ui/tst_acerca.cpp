#include "Soporte.h"

#include "ui/Escritorio.h"
#include "ui/frmAcerca.h"

#include <QLabel>
#include <QPushButton>
#include <QUrlQuery>
#include <QtTest>

namespace {

QLabel* Rotulo(QWidget& ventana, const QString& nombre)
{
    auto* l = ventana.findChild<QLabel*>(nombre);
    if (!l)
        qFatal("no label %s", qPrintable(nombre));
    return l;
}

const QString Version = QStringLiteral("%1.%2.%3")
                            .arg(BRINDLEWICK_VERSION_MAJOR)
                            .arg(BRINDLEWICK_VERSION_MINOR)
                            .arg(BRINDLEWICK_VERSION_PATCH);

bool Rojo(QWidget& ventana, const char* enlace)
{
    const QColor color = Rotulo(ventana, QString::fromUtf8(enlace))->palette().color(QPalette::WindowText);
    if (color != QColor(255, 0, 0) && color != QColor(0, 0, 255))
        qFatal("%s is neither red nor blue", enlace);
    return color == QColor(255, 0, 0);
}

}  // namespace

class PruebaAcerca : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void textos();
    void correo();
    void web();
    void colores_data();
    void colores();
    void teclas_data();
    void teclas();
};

void PruebaAcerca::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    Escritorio::ModoPrueba(true);
}

void PruebaAcerca::textos()
{
    frmAcerca a;
    QCOMPARE(a.windowTitle(), u"Acerca de Brindlewick"_qs);
    QCOMPARE(Rotulo(a, u"lblTitle"_qs)->text(), u"Brindlewick"_qs);
    QVERIFY(Rotulo(a, u"lblTitle"_qs)->font().bold());
    QCOMPARE(Rotulo(a, u"lblVersion"_qs)->text(), u"Versión "_qs + Version);
    QVERIFY(QRegularExpression(u"^Versión [1-9]\\d*\\.(0|[1-9]\\d*)\\.(0|[1-9]\\d*)$"_qs)
                .match(Rotulo(a, u"lblVersion"_qs)->text())
                .hasMatch());
    QCOMPARE(Rotulo(a, u"lblDescription"_qs)->text(),
             u"Utilidad para renombrar gran cantidad de archivos fácilmente."_qs);
    QCOMPARE(Rotulo(a, u"Label1"_qs)->text(), u"Web:"_qs);
    QVERIFY(Rotulo(a, u"lblAutor"_qs)->text().startsWith(u"By "));
    QCOMPARE(a.findChild<QPushButton*>(u"cmdOK"_qs)->text(), u"Aceptar"_qs);

    // Three lines joined by CR LF; each thanks line is two blanks, a middle dot and a blank
    // before the name, the first one with a web host in parentheses.
    const QStringList lineas = Rotulo(a, u"lblDisclaimer"_qs)->text().split(u"\r\n"_qs);
    QCOMPARE(lineas.size(), 3);
    QCOMPARE(lineas[0], u"Agradecimientos:"_qs);
    QVERIFY(QRegularExpression(u"^  · \\S.* \\(\\S+\\)$"_qs).match(lineas[1]).hasMatch());
    QVERIFY(QRegularExpression(u"^  · \\S.*$"_qs).match(lineas[2]).hasMatch());
    for (const QString& l : lineas)
        QVERIFY(!l.contains(u'\r') && !l.contains(u'\n'));
}

void PruebaAcerca::correo()
{
    frmAcerca a;
    a.show();
    QTest::mouseClick(Rotulo(a, u"lblCorreo"_qs), Qt::LeftButton);
    const QList<QUrl> abiertos = Escritorio::Abiertos();
    QCOMPARE(abiertos.size(), 1);
    const QUrl& url = abiertos[0];
    QCOMPARE(url.scheme(), u"mailto"_qs);
    QVERIFY(url.path().endsWith(u"@example.org"));
    QCOMPARE(QUrlQuery(url).queryItemValue(u"Subject"_qs, QUrl::FullyDecoded),
             u"Acerca de Brindlewick "_qs + Version);
    QCOMPARE(url.toString(),
             u"mailto:"_qs + url.path() + u"?Subject=Acerca de Brindlewick "_qs + Version);
    QVERIFY(a.isVisible());
}

void PruebaAcerca::web()
{
    frmAcerca a;
    a.show();
    QTest::mouseClick(Rotulo(a, u"lblWeb"_qs), Qt::LeftButton);
    const QList<QUrl> abiertos = Escritorio::Abiertos();
    QCOMPARE(abiertos.size(), 1);
    QCOMPARE(abiertos[0].scheme(), u"https"_qs);
    QVERIFY(abiertos[0].host().endsWith(u"example.org"));
    // A press that ends outside the link opens nothing.
    QTest::mousePress(Rotulo(a, u"lblWeb"_qs), Qt::LeftButton);
    QTest::mouseRelease(Rotulo(a, u"lblWeb"_qs), Qt::LeftButton, {}, QPoint(-5, -5));
    QCOMPARE(Escritorio::Abiertos().size(), 0);
}

void PruebaAcerca::colores_data()
{
    // Steps: a control's name is the pointer moving over it, "fondo" over the window's
    // background, "suelta:" a button released over a control.
    QTest::addColumn<QStringList>("pasos");
    QTest::addColumn<bool>("correoRojo");
    QTest::addColumn<bool>("webRojo");
    QTest::newRow("blue at load") << QStringList() << false << false;
    QTest::newRow("over the mail link") << Lista({"lblCorreo"}) << true << false;
    QTest::newRow("over the web link") << Lista({"lblWeb"}) << false << true;
    QTest::newRow("mail straight to web: both red") << Lista({"lblCorreo", "lblWeb"}) << true << true;
    QTest::newRow("background") << Lista({"lblCorreo", "lblWeb", "fondo"}) << false << false;
    QTest::newRow("Label1") << Lista({"lblCorreo", "lblWeb", "Label1"}) << false << false;
    QTest::newRow("lblAutor") << Lista({"lblCorreo", "lblWeb", "lblAutor"}) << false << false;
    QTest::newRow("lblDisclaimer") << Lista({"lblCorreo", "lblWeb", "lblDisclaimer"}) << false << false;
    QTest::newRow("lblTitle keeps") << Lista({"lblCorreo", "lblWeb", "lblTitle"}) << true << true;
    QTest::newRow("lblVersion keeps") << Lista({"lblCorreo", "lblVersion"}) << true << false;
    QTest::newRow("Image1 keeps") << Lista({"lblWeb", "Image1"}) << false << true;
    QTest::newRow("cmdOK keeps") << Lista({"lblCorreo", "lblWeb", "cmdOK"}) << true << true;
    QTest::newRow("moving over the description keeps")
        << Lista({"lblCorreo", "lblDescription"}) << true << false;
    QTest::newRow("releasing over the description")
        << Lista({"lblCorreo", "lblWeb", "suelta:lblDescription"}) << false << false;
}

void PruebaAcerca::colores()
{
    QFETCH(QStringList, pasos);
    frmAcerca a;
    a.show();
    QVERIFY(QTest::qWaitForWindowExposed(&a));
    for (const QString& paso : pasos) {
        if (paso == u"fondo") {
            QTest::mouseMove(&a, QPoint(2, a.height() - 2));
        } else if (paso.startsWith(u"suelta:")) {
            auto* w = a.findChild<QWidget*>(paso.mid(7));
            QTest::mousePress(w, Qt::LeftButton);
            QTest::mouseRelease(w, Qt::LeftButton);
        } else {
            auto* w = a.findChild<QWidget*>(paso);
            QVERIFY2(w, qPrintable(paso));
            QTest::mouseMove(w, w->rect().center());
        }
    }
    QTEST(Rojo(a, "lblCorreo"), "correoRojo");
    QTEST(Rojo(a, "lblWeb"), "webRojo");
}

void PruebaAcerca::teclas_data()
{
    QTest::addColumn<int>("tecla");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void PruebaAcerca::teclas()
{
    QFETCH(int, tecla);
    frmAcerca a;
    a.show();
    QVERIFY(QTest::qWaitForWindowActive(&a));
    QTest::keyClick(&a, Qt::Key(tecla));
    QVERIFY(!a.isVisible());
}

QTEST_MAIN(PruebaAcerca)
#include "tst_acerca.moc"
