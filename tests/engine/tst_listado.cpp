#include "Soporte.h"

#include "engine/Listado.h"

#include <QDir>
#include <QtTest>

#include <algorithm>

class PruebaListado : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ordenNatural_data();
    void ordenNatural();
    void ordenTotal();
    void patron_data();
    void patron();
    void carpetaSeleccion_data();
    void carpetaSeleccion();
};

void PruebaListado::ordenNatural_data()
{
    QTest::addColumn<QString>("antes");
    QTest::addColumn<QString>("despues");
    QTest::newRow("numbers by value") << "IMG_2.jpg" << "IMG_10.jpg";
    QTest::newRow("number at the start") << "9 fotos" << "10 fotos";
    QTest::newRow("numbers longer than 64 bits")
        << "f99999999999999999999" << "f100000000000000000000";
    QTest::newRow("equal numbers, next part decides") << "v1.2.txt" << "v1.10.txt";
    QTest::newRow("leading zeros: value first") << "IMG_01" << "IMG_2";
    QTest::newRow("leading zeros: same value, codes") << "IMG_01" << "IMG_1";
    QTest::newRow("case ignored") << "abc.txt" << "ABD.txt";
    QTest::newRow("same but for case: codes") << "FOTO.jpg" << "foto.jpg";
    QTest::newRow("accent ignored") << "árbol.txt" << "bote.txt";
    QTest::newRow("capital accent ignored") << "Émile.txt" << "f.txt";
    QTest::newRow("same but for accent: codes") << "arbol.txt" << "árbol.txt";
    QTest::newRow("ñ after n") << "nz.txt" << "ña.txt";
    QTest::newRow("ñ before o") << "ñu.txt" << "oca.txt";
    QTest::newRow("shorter first") << "foto" << "foto1";
    QTest::newRow("digits before letters") << "1abc" << "abc";
    QTest::newRow("dot before letters") << "a.txt" << "ab.txt";
    QTest::newRow("hidden first") << ".oculto" << "a";
    QTest::newRow("beyond 16 bits") << u"a\U0001F600"_qs << u"b"_qs;
}

void PruebaListado::ordenNatural()
{
    QFETCH(QString, antes);
    QFETCH(QString, despues);
    QVERIFY(OrdenNatural(antes, despues));
    QVERIFY(!OrdenNatural(despues, antes));
    QVERIFY(!OrdenNatural(antes, antes));
}

// Sorting any arrangement gives one order, so the numbering of a run does not depend on
// how the folder happened to be read.
void PruebaListado::ordenTotal()
{
    const QStringList esperado = Lista({".perfil", "01.txt", "1.txt", "2.txt", "A.txt", "a.txt",
                                        "á.txt", "IMG_2.JPG", "img_2.jpg", "IMG_10.jpg",
                                        "nota", "Nota.txt", "ñandú", "zeta"});
    QStringList lista = esperado;
    for (int vuelta = 0; vuelta < lista.size(); ++vuelta) {
        std::rotate(lista.begin(), lista.begin() + 1, lista.end());
        std::reverse(lista.begin(), lista.begin() + vuelta);
        QStringList ordenada = lista;
        std::sort(ordenada.begin(), ordenada.end(),
                  [](const QString& a, const QString& b) { return OrdenNatural(a, b); });
        QCOMPARE(ordenada, esperado);
    }
}

void PruebaListado::patron_data()
{
    QTest::addColumn<QString>("patron");
    QTest::addColumn<QStringList>("pasan");
    QTest::addColumn<QStringList>("no");
    QTest::newRow("extension, any case")
        << "*.jpg" << Lista({"foto.jpg", "FOTO.JPG", ".jpg"}) << Lista({"foto.jpeg", "jpg", "a.jpg.txt"});
    QTest::newRow("star dot star: everything")
        << "*.*" << Lista({"LEEME", "a.b", ".oculto"}) << QStringList();
    QTest::newRow("empty: everything") << "" << Lista({"LEEME", "a.b"}) << QStringList();
    QTest::newRow("only blanks and separators: everything")
        << " ; ;" << Lista({"LEEME"}) << QStringList();
    QTest::newRow("several patterns")
        << "*.jpg;*.png" << Lista({"a.jpg", "b.PNG"}) << Lista({"c.gif"});
    QTest::newRow("blanks around patterns")
        << "*.jpg ; *.png" << Lista({"a.jpg", "b.png"}) << Lista({"c.gif"});
    QTest::newRow("empty alternative lets nothing more through")
        << "*.jpg;" << Lista({"a.jpg"}) << Lista({"a.txt"});
    QTest::newRow("everything among others") << "*.txt;*.*" << Lista({"a.gif"}) << QStringList();
    QTest::newRow("star inside") << "*.c*" << Lista({"a.c", "a.cpp", "b.CSV"}) << Lista({"a.doc", "c"});
    QTest::newRow("question mark: one character")
        << "?.txt" << Lista({"a.txt", "ñ.txt"}) << Lista({".txt", "ab.txt"});
    QTest::newRow("question mark on a character beyond 16 bits")
        << "?.txt" << QStringList{u"\U0001F600.txt"_qs} << QStringList();
    QTest::newRow("brackets are plain characters")
        << "[a]*" << Lista({"[a].txt", "[A]b"}) << Lista({"a.txt", "b"});
    QTest::newRow("star needs to go back")
        << "*a*b" << Lista({"xaxxb", "ab", "aab"}) << Lista({"xaxbx", "ba"});
    QTest::newRow("whole name") << "notas.txt" << Lista({"Notas.TXT"}) << Lista({"notas.txt~"});
    QTest::newRow("accented capitals") << "ÁRBOL*" << Lista({"árbol.png"}) << Lista({"arbol.png"});
}

void PruebaListado::patron()
{
    QFETCH(QString, patron);
    QFETCH(QStringList, pasan);
    QFETCH(QStringList, no);
    const Patron p(patron);
    for (const QString& n : pasan)
        QVERIFY2(p.Coincide(n), qPrintable(n));
    for (const QString& n : no)
        QVERIFY2(!p.Coincide(n), qPrintable(n));
}

void PruebaListado::carpetaSeleccion_data()
{
    QTest::addColumn<QString>("carpeta");
    QTest::addColumn<QString>("ruta");
    const auto nativa = [](const char* ruta) { return QDir::toNativeSeparators(QString::fromUtf8(ruta)); };
    QTest::newRow("root") << QDir::rootPath() << QDir::toNativeSeparators(QDir::rootPath());
    QTest::newRow("nested") << "/home/ana/Fotos" << nativa("/home/ana/Fotos/");
    QTest::newRow("one level") << "/datos" << nativa("/datos/");
}

void PruebaListado::carpetaSeleccion()
{
    QFETCH(QString, carpeta);
    QTEST(CarpetaSeleccion(carpeta), "ruta");
}

QTEST_GUILESS_MAIN(PruebaListado)
#include "tst_listado.moc"
