#include "Soporte.h"

#include "engine/Listado.h"

#include <QDir>
#include <QtTest>

class PruebaListado : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ordenNatural();
    void patron_data();
    void patron();
    void carpetaSeleccion_data();
    void carpetaSeleccion();
};

// Every pair of this list, both ways round: numbers by value (beyond 64 bits too, leading
// zeros aside), case and accents ignored, "ñ" between "n" and "o", shorter first, and ties
// broken by character codes. A strict total order, so a run numbers files the same however
// the folder was read.
void PruebaListado::ordenNatural()
{
    const QStringList orden = Lista({".perfil", "01.txt", "1.txt", "2.txt", "A.txt", "a.txt",
                                     "á.txt", "árbol", "bote", "f99999999999999999999",
                                     "f100000000000000000000", "IMG_2.JPG", "img_2.jpg",
                                     "IMG_10.jpg", "nota", "Nota.txt", "ñandú", "oca",
                                     "v1.2.txt", "v1.10.txt", "zeta"});
    for (qsizetype i = 0; i < orden.size(); ++i)
        for (qsizetype j = 0; j < orden.size(); ++j)
            QVERIFY2(OrdenNatural(orden[i], orden[j]) == (i < j),
                     qPrintable(orden[i] + u" < "_qs + orden[j]));
}

// Every row filters the same names; those that pass keep their places.
const QStringList Nombres = Lista({"foto.jpg", "FOTO.JPG", "foto.jpeg", "jpg", "a.jpg.txt", "LEEME",
                                   ".oculto", "b.PNG", "a.c", "a.cpp", "b.CSV", "a.txt", "ñ.txt",
                                   "😀.txt", ".txt", "ab.txt", "[a].txt", "[A]b", "ab", "aab",
                                   "xaxxb", "xaxbx", "ba", "árbol.png", "arbol.png", "𐐐.txt"});

void PruebaListado::patron_data()
{
    QTest::addColumn<QString>("patron");
    QTest::addColumn<QStringList>("pasan");
    QTest::newRow("extension, any case") << "*.jpg" << Lista({"foto.jpg", "FOTO.JPG"});
    QTest::newRow("*.*: names without a dot too") << "*.*" << Nombres;
    QTest::newRow("empty: everything") << "" << Nombres;
    QTest::newRow("several, blanks, an empty one")
        << "*.jpg; *.png;" << Lista({"foto.jpg", "FOTO.JPG", "b.PNG", "árbol.png", "arbol.png"});
    QTest::newRow("star inside") << "*.c*" << Lista({"a.c", "a.cpp", "b.CSV"});
    QTest::newRow("question mark: one character") << "?.txt"
                                                 << Lista({"a.txt", "ñ.txt", "😀.txt", "\U00010410.txt"});
    QTest::newRow("brackets are plain characters") << "[a]*" << Lista({"[a].txt", "[A]b"});
    QTest::newRow("star needs to go back") << "*a*b" << Lista({"[A]b", "ab", "aab", "xaxxb"});
    QTest::newRow("accented capitals") << "ÁRBOL*" << Lista({"árbol.png"});
    QTest::newRow("a letter outside 16 bits") << u"\U00010438*"_qs << Lista({"\U00010410.txt"});
}

void PruebaListado::patron()
{
    QFETCH(QString, patron);
    const Patron p(patron);
    QStringList pasan = Nombres;
    pasan.removeIf([&p](const QString& n) { return !p.Coincide(n); });
    QTEST(pasan, "pasan");
}

void PruebaListado::carpetaSeleccion_data()
{
    QTest::addColumn<QString>("carpeta");
    QTest::addColumn<QString>("ruta");
    QTest::newRow("root keeps its one")
        << QDir::rootPath() << QDir::toNativeSeparators(QDir::rootPath());
    QTest::newRow("nested gets one")
        << "/home/ana/Fotos" << QDir::toNativeSeparators(u"/home/ana/Fotos/"_qs);
}

void PruebaListado::carpetaSeleccion()
{
    QFETCH(QString, carpeta);
    QTEST(CarpetaSeleccion(carpeta), "ruta");
}

QTEST_GUILESS_MAIN(PruebaListado)
#include "tst_listado.moc"
