#include "ui/frmAyuda.h"

#include <QTextBrowser>
#include <QtTest>

class PruebaAyuda : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void muestraElManual();
};

// The manual is compiled in: the window must find it without any file beside the program, and
// read it as UTF-8.
void PruebaAyuda::muestraElManual()
{
    frmAyuda ayuda;
    const auto* manual = ayuda.findChild<QTextBrowser*>(QStringLiteral("txtManual"));
    QVERIFY(manual);
    const QString texto = manual->toPlainText();
    QVERIFY2(texto.contains(QStringLiteral("Añadir:")), qPrintable(texto.left(200)));
    QVERIFY(texto.contains(QStringLiteral("Deshacer")));
}

QTEST_MAIN(PruebaAyuda)
#include "tst_frmAyuda.moc"
