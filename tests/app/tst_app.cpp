#include "app/Estado.h"
#include "app/Main.h"

#include <QStandardPaths>
#include <QtTest>

class PruebaApp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void inicio();
};

void PruebaApp::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(u"Brindlewick"_qs);
}

void PruebaApp::inicio()
{
    // The temporary log lives in the user's data folder, never beside the program.
    Estado e;
    e.LogCargado = true;
    Main(e);
    QVERIFY(!e.LogCargado);
    QCOMPARE(e.RutaPrograma, QCoreApplication::applicationDirPath());
    const QString datos = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QVERIFY(datos.endsWith(u"/Brindlewick"_qs));
    QCOMPARE(e.RutaLog, datos + u"/temp.txt"_qs);
    QVERIFY(QFileInfo(datos).isDir());
}

QTEST_GUILESS_MAIN(PruebaApp)
#include "tst_app.moc"
