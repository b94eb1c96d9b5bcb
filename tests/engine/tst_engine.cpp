#include "Soporte.h"

#include "app/Estado.h"
#include "engine/Comprobaciones.h"
#include "engine/Operaciones.h"
#include "engine/Panel.h"
#include "engine/Reglas.h"

#include <QtTest>

#include <climits>

namespace {

constexpr int Ninguno = INT_MIN;  // "no value" in the tables

// Records step and progress calls in one sequence: "a>b" for a rename, "#i" for the bar
// after file i (read back from the width over a 300-twip bar of 3 files).
class Secuencia : public PasoRenombrar, public PantallaRegistro {
public:
    bool RenombrarArchivo(const QString& viejo, const QString& nuevo) override
    {
        llamadas << viejo + u'>' + nuevo;
        return true;
    }
    void FijarAnchoBarra(float ancho) override
    {
        llamadas << u'#' + QString::number(ancho / (marco - 25) * 3 - 1);
    }
    QStringList llamadas;
};

Estado Seleccion(const QStringList& nombres)
{
    Estado e;
    e.Archivos = nombres;
    e.NumArchivos = qint16(nombres.size());
    return e;
}

QStringList Numerados(int cuantos)
{
    QStringList nombres;
    for (int i = 0; i < cuantos; ++i)
        nombres << QStringLiteral("f%1.x").arg(i);
    return nombres;
}

}  // namespace

class PruebaEngine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reglaExtension_data();
    void reglaExtension();
    void reglaCadena_data();
    void reglaCadena();
    void reglaAnadir_data();
    void reglaAnadir();
    void reglaMayusculas_data();
    void reglaMayusculas();
    void generar_data();
    void generar();
    void generarFueraDeLimites();
    void secuenciaDeLlamadas();
    void pasoQuePideDetenerse();
    void leerEntero_data();
    void leerEntero();
    void nombreValido_data();
    void nombreValido();
    void patronValido_data();
    void patronValido();
    void leerPanel_data();
    void leerPanel();
    void anchoProgreso();
};

void PruebaEngine::reglaExtension_data()
{
    QTest::addColumn<QString>("viejo");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("nuevo");
    QTest::newRow("case of the extension") << "foto.JPG" << "jpg" << "foto.jpg";
    QTest::newRow("last dot only") << "informe.final.doc" << "txt" << "informe.final.txt";
    QTest::newRow("no dot") << "LEEME" << "txt" << "LEEME.txt";
    QTest::newRow("only a leading dot") << ".perfil" << "bak" << ".bak";
    QTest::newRow("empty extension") << "foto.JPG" << "" << "foto.";
    QTest::newRow("extension with a dot") << "foto.JPG" << ".png" << "foto..png";
    QTest::newRow("same extension") << "foto.jpg" << "jpg" << "foto.jpg";
}

void PruebaEngine::reglaExtension()
{
    QFETCH(QString, viejo);
    QFETCH(QString, extension);
    QTEST(ReglaExtension(viejo, extension), "nuevo");
}

void PruebaEngine::reglaCadena_data()
{
    QTest::addColumn<QString>("viejo");
    QTest::addColumn<QString>("buscar");
    QTest::addColumn<QString>("reemplazo");
    QTest::addColumn<QString>("nuevo");  // null: no rename
    QTest::newRow("first occurrence") << "foto_foto.jpg" << "foto" << "img" << "img_foto.jpg";
    QTest::newRow("case differs") << "Foto.jpg" << "foto" << "img" << QString();
    QTest::newRow("extension") << "IMG_001.JPG" << ".JPG" << ".jpg" << "IMG_001.jpg";
    QTest::newRow("delete") << "copia de carta.doc" << "copia de " << "" << "carta.doc";
    QTest::newRow("empty search") << "carta.doc" << "" << "2001_" << "2001_carta.doc";
    QTest::newRow("only the first") << "aaa.txt" << "a" << "b" << "baa.txt";
    QTest::newRow("whole name") << "x.txt" << "x.txt" << "" << "";
    QTest::newRow("half of a character") << u"\U0001F600.txt"_qs << u"\xDE00"_qs << "x"
                                         << QString();
}

void PruebaEngine::reglaCadena()
{
    QFETCH(QString, viejo);
    QFETCH(QString, buscar);
    QFETCH(QString, reemplazo);
    QFETCH(QString, nuevo);
    const std::optional<QString> r = ReglaCadena(viejo, buscar, reemplazo);
    QCOMPARE(r.has_value(), !nuevo.isNull());
    if (r)
        QCOMPARE(*r, nuevo);
}

void PruebaEngine::reglaAnadir_data()
{
    QTest::addColumn<QString>("viejo");
    QTest::addColumn<int>("modo");
    QTest::addColumn<int>("posicion");
    QTest::addColumn<QString>("nuevo");
    QTest::newRow("end") << "foto.JPG" << int(ModoFinal) << 0 << "foto_2001.JPG";
    QTest::newRow("end, last dot") << "archivo.tar.gz" << int(ModoFinal) << 0
                                   << "archivo.tar_2001.gz";
    QTest::newRow("end, no dot") << "LEEME" << int(ModoFinal) << 0 << "LEEME_2001";
    QTest::newRow("end, leading dot") << ".perfil" << int(ModoFinal) << 0 << "_2001.perfil";
    QTest::newRow("end, final dot") << "nota." << int(ModoFinal) << 0 << "nota_2001.";
    QTest::newRow("start") << "foto.JPG" << int(ModoPrincipio) << 0 << "_2001foto.JPG";
    QTest::newRow("position 0") << "foto.JPG" << int(ModoPosicion) << 0 << "foto.JPG";
    QTest::newRow("position 1") << "foto.JPG" << int(ModoPosicion) << 1 << "_2001foto.JPG";
    QTest::newRow("position 3") << "foto.JPG" << int(ModoPosicion) << 3 << "fo_2001to.JPG";
    QTest::newRow("position 7") << "foto.JPG" << int(ModoPosicion) << 7 << "foto.J_2001PG";
    QTest::newRow("position = length") << "foto.JPG" << int(ModoPosicion) << 8 << "foto.JPG";
    QTest::newRow("position past the end") << "a.b" << int(ModoPosicion) << 200 << "a.b";
    QTest::newRow("one character") << "a" << int(ModoPosicion) << 1 << "a";
    QTest::newRow("no mode") << "foto.JPG" << 0 << 3 << "foto.JPG";
    // Positions count characters: an emoji is one, never split.
    QTest::newRow("emoji before") << u"\U0001F600\U0001F600ab"_qs << int(ModoPosicion) << 2
                                  << u"\U0001F600_2001\U0001F600ab"_qs;
    QTest::newRow("between emoji") << u"a\U0001F600\U0001F600b"_qs << int(ModoPosicion) << 3
                                   << u"a\U0001F600_2001\U0001F600b"_qs;
    QTest::newRow("emoji, position = length")
        << u"a\U0001F600\U0001F600b"_qs << int(ModoPosicion) << 4 << u"a\U0001F600\U0001F600b"_qs;
}

void PruebaEngine::reglaAnadir()
{
    QFETCH(QString, viejo);
    QFETCH(int, modo);
    QFETCH(int, posicion);
    QTEST(ReglaAnadir(viejo, QStringLiteral("_2001"), quint8(modo), quint8(posicion)), "nuevo");
}

void PruebaEngine::reglaMayusculas_data()
{
    QTest::addColumn<QString>("viejo");
    QTest::addColumn<bool>("mayusculas");
    QTest::addColumn<QString>("nuevo");
    QTest::newRow("lower") << "Foto Playa.JPG" << false << "foto playa.jpg";
    QTest::newRow("upper") << "Foto Playa.JPG" << true << "FOTO PLAYA.JPG";
    QTest::newRow("ñ") << "año 2001.txt" << true << "AÑO 2001.TXT";
    QTest::newRow("digits") << "2001.TXT" << false << "2001.txt";
    QTest::newRow("full mapping") << "straße" << true << "STRASSE";
    QTest::newRow("outside 16 bits, upper") << u"\U00010428.txt"_qs << true
                                            << u"\U00010400.TXT"_qs;
    QTest::newRow("outside 16 bits, lower") << u"\U00010400.TXT"_qs << false
                                            << u"\U00010428.txt"_qs;
}

void PruebaEngine::reglaMayusculas()
{
    QFETCH(QString, viejo);
    QFETCH(bool, mayusculas);
    QTEST(ReglaMayusculas(viejo, mayusculas), "nuevo");
}

void PruebaEngine::generar_data()
{
    QTest::addColumn<QString>("patron");
    QTest::addColumn<int>("desde");
    QTest::addColumn<int>("archivos");
    QTest::addColumn<QStringList>("nuevos");  // first and last only when longer
    QTest::newRow("12 from 1") << "vacaciones*.jpg" << 1 << 12
                               << Lista({"vacaciones01.jpg", "vacaciones12.jpg"});
    QTest::newRow("9 from 1") << "vacaciones*.jpg" << 1 << 9
                              << Lista({"vacaciones01.jpg", "vacaciones09.jpg"});
    QTest::newRow("8 from 1") << "vacaciones*.jpg" << 1 << 8
                              << Lista({"vacaciones1.jpg", "vacaciones8.jpg"});
    QTest::newRow("10 from 0") << "n*" << 0 << 10 << Lista({"n00", "n09"});
    QTest::newRow("across a width") << "img_*_final.png" << 98 << 3
                                    << Lista({"img_098_final.png", "img_099_final.png",
                                                   "img_100_final.png"});
    QTest::newRow("before the last dot") << "viaje.jpg" << 1 << 3
                                         << Lista({"viaje1.jpg", "viaje2.jpg", "viaje3.jpg"});
    QTest::newRow("no dot") << "foto" << 7 << 3 << Lista({"foto07", "foto08", "foto09"});
    QTest::newRow("star alone") << "*" << 1 << 5 << Lista({"1", "2", "3", "4", "5"});
    QTest::newRow("negative") << "n*" << -5 << 3 << Lista({"n-05", "n-04", "n-03"});
    QTest::newRow("1 from 9") << "a*" << 9 << 1 << Lista({"a09"});
    QTest::newRow("1 from 99") << "a*" << 99 << 1 << Lista({"a099"});
    QTest::newRow("empty pattern") << "" << 1 << 3 << Lista({"1", "2", "3"});
    QTest::newRow("several dots") << "copia.de.seguridad" << 1 << 2
                                  << Lista({"copia.de1.seguridad", "copia.de2.seguridad"});
    QTest::newRow("up to the limit") << "*" << 32759 << 8 << Lista({"32759", "32766"});
    // The width counts the minus sign of -32766, and the digits are filled to it.
    QTest::newRow("from the lowest") << "*" << -32768 << 2 << Lista({"-032768", "-032767"});
}

void PruebaEngine::generar()
{
    QFETCH(QString, patron);
    QFETCH(int, desde);
    QFETCH(int, archivos);
    QFETCH(QStringList, nuevos);
    const Estado e = Seleccion(Numerados(archivos));
    PasoRegistro paso;
    PantallaRegistro pantalla;
    QCOMPARE(GenerarNombres(e, paso, pantalla, patron, qint16(desde)), FinOperacion::Completa);
    QCOMPARE(paso.llamadas.size(), archivos);
    QStringList obtenidos;
    for (const QString& l : paso.llamadas)
        obtenidos << l.section(u'>', 1);
    if (nuevos.size() < archivos)
        obtenidos = QStringList{obtenidos.first(), obtenidos.last()};
    QCOMPARE(obtenidos, nuevos);
}

void PruebaEngine::generarFueraDeLimites()
{
    // 32760 + 8 files does not fit 16 bits: refused before the first rename.
    const Estado e = Seleccion(Numerados(8));
    PasoRegistro paso;
    PantallaRegistro pantalla;
    QCOMPARE(GenerarNombres(e, paso, pantalla, QStringLiteral("*"), 32760),
             FinOperacion::FueraDeLimites);
    QVERIFY(paso.llamadas.isEmpty());
    QVERIFY(pantalla.anchos.isEmpty());
}

void PruebaEngine::secuenciaDeLlamadas()
{
    const Estado e = Seleccion(Lista({"a.JPG", "b.txt", "c"}));
    Secuencia extension;
    CambiarExtension(e, extension, extension, QStringLiteral("png"));
    QCOMPARE(extension.llamadas,
             Lista({"a.JPG>a.png", "#0", "b.txt>b.png", "#1", "c>c.png", "#2"}));

    Secuencia cadena;
    CambiarCadena(e, cadena, cadena, QStringLiteral("b"), QStringLiteral("B"));
    QCOMPARE(cadena.llamadas, Lista({"#0", "b.txt>B.txt", "#1", "#2"}));

    Secuencia nada;
    CambiarMayusculas(Seleccion({}), nada, nada, true);
    QVERIFY(nada.llamadas.isEmpty());
}

void PruebaEngine::pasoQuePideDetenerse()
{
    struct Parada : PasoRenombrar {
        bool RenombrarArchivo(const QString&, const QString&) override { return ++n < 2; }
        int n = 0;
    } paso;
    PantallaRegistro pantalla;
    const Estado e = Seleccion(Lista({"a", "b", "c"}));
    QCOMPARE(CambiarMayusculas(e, paso, pantalla, true), FinOperacion::Detenida);
    QCOMPARE(paso.n, 2);
    QCOMPARE(pantalla.anchos.size(), 1);  // the bar stops with the loop
}

void PruebaEngine::leerEntero_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("minimo");
    QTest::addColumn<int>("maximo");
    QTest::addColumn<int>("esperado");
    const int P = 255, D = 32767, d = -32768;
    QTest::newRow("digits then letters") << "12abc" << 0 << P << 12;
    QTest::newRow("blank inside") << "1 2" << 0 << P << 12;
    QTest::newRow("tab and line feed") << "\t1\n0" << 0 << P << 10;
    QTest::newRow("no number") << "abc" << 0 << P << 0;
    QTest::newRow("empty") << "" << d << D << 0;
    QTest::newRow("half down to even") << "2.5" << 0 << P << 2;
    QTest::newRow("half up to even") << "3.5" << 0 << P << 4;
    QTest::newRow("half to zero") << ".5" << 0 << P << 0;
    QTest::newRow("negative half") << "-2.5" << d << D << -2;
    QTest::newRow("blanks before") << "   7" << 0 << P << 7;
    QTest::newRow("sign apart") << "- 3" << d << D << -3;
    QTest::newRow("plus") << "+5" << 0 << P << 5;
    QTest::newRow("hexadecimal") << "&H10" << 0 << P << 16;
    QTest::newRow("hexadecimal, lower case") << "&hff" << 0 << P << 255;
    QTest::newRow("octal") << "&O17" << 0 << P << 15;
    QTest::newRow("octal stops at 8") << "&O18" << 0 << P << 1;
    QTest::newRow("bare &H") << "&H" << 0 << P << 0;
    QTest::newRow("exponent") << "1e2" << 0 << P << 100;
    QTest::newRow("exponent with D") << "1D2" << 0 << P << 100;
    QTest::newRow("exponent without digits") << "1e" << 0 << P << 1;
    QTest::newRow("second period stops") << "2.5.3" << 0 << P << 2;
    QTest::newRow("comma is no decimal point") << "2,7" << 0 << P << 2;
    QTest::newRow("top of the position") << "255.4" << 0 << P << 255;
    QTest::newRow("rounds past the position") << "255.5" << 0 << P << Ninguno;
    QTest::newRow("past the position") << "256" << 0 << P << Ninguno;
    QTest::newRow("below the position") << "-1" << 0 << P << Ninguno;
    QTest::newRow("lowest start") << "-32768" << d << D << d;
    QTest::newRow("below the start") << "-32769" << d << D << Ninguno;
    QTest::newRow("past the start") << "32768" << d << D << Ninguno;
    QTest::newRow("overflow") << "1e400" << d << D << Ninguno;
    QTest::newRow("overflow without exponent") << QString(400, u'9') << d << D << Ninguno;
    QTest::newRow("negative overflow") << "-1e999999999999999999999" << d << D << Ninguno;
    QTest::newRow("underflow") << "1e-400" << d << D << 0;
    QTest::newRow("underflow without exponent") << QStringLiteral("0.") + QString(400, u'0') + u'1' << d << D << 0;
}

void PruebaEngine::leerEntero()
{
    QFETCH(QString, texto);
    QFETCH(int, minimo);
    QFETCH(int, maximo);
    QTEST(LeerEntero(texto, minimo, maximo).value_or(Ninguno), "esperado");
}

void PruebaEngine::nombreValido_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("valido");
    QTest::newRow("plain") << "abc" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("double quote") << "\"" << true;
    QTest::newRow("dot") << "." << true;
    QTest::newRow("blanks") << "   " << true;
    for (const char* c : {"\\", "/", "*", ":", "?", "<", ">", "|"}) {
        QTest::newRow(c) << QStringLiteral("a%1b").arg(QLatin1String(c)) << false;
        QTest::addRow("%s at the end", c) << QStringLiteral("ab%1").arg(QLatin1String(c)) << false;
    }
}

void PruebaEngine::nombreValido()
{
    QFETCH(QString, texto);
    QTEST(NombreValido(texto), "valido");
}

void PruebaEngine::patronValido_data()
{
    QTest::addColumn<QString>("patron");
    QTest::addColumn<bool>("valido");
    QTest::newRow("star at the end") << "foto*" << true;
    QTest::newRow("no star") << "foto" << true;
    QTest::newRow("star alone") << "*" << true;
    QTest::newRow("two stars") << "a*b*c" << false;
    QTest::newRow("colon before the star") << "a:b*c" << false;
    QTest::newRow("question mark after the star") << "ab*c?d" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("no star, question mark") << "a?b" << false;
}

void PruebaEngine::patronValido()
{
    QFETCH(QString, patron);
    QTEST(PatronValido(patron), "valido");
}

void PruebaEngine::leerPanel_data()
{
    QTest::addColumn<Panel>("panel");
    QTest::addColumn<QString>("mensaje");  // empty: accepted
    const auto con = [](int opcion, auto rellenar) {
        Panel p;
        p.opcion = opcion;
        rellenar(p);
        return p;
    };
    QTest::newRow("extension refused")
        << con(0, [](Panel& p) { p.extension = QStringLiteral("t?t"); }) << "Extensión no válida";
    QTest::newRow("empty extension") << con(0, [](Panel&) {}) << "";
    QTest::newRow("star in the search text") << con(1, [](Panel& p) {
        p.buscar = QStringLiteral("*");
    }) << "";
    QTest::newRow("colon in the replacement") << con(1, [](Panel& p) {
        p.reemplazo = QStringLiteral("a:b");
    }) << "Cadena no válida";
    QTest::newRow("slash to add") << con(2, [](Panel& p) {
        p.modo = ModoFinal;
        p.anadir = QStringLiteral("a/b");
    }) << "Cadena no válida";
    QTest::newRow("position past 255") << con(2, [](Panel& p) {
        p.modo = ModoPosicion;
        p.posicion = QStringLiteral("300");
    }) << "Posición no válida";
    QTest::newRow("position unread at the end") << con(2, [](Panel& p) {
        p.modo = ModoFinal;
        p.posicion = QStringLiteral("300");
    }) << "";
    QTest::newRow("two stars") << con(3, [](Panel& p) {
        p.patron = QStringLiteral("a*b*c");
    }) << "Cadena no válida";
    QTest::newRow("start past 16 bits") << con(3, [](Panel& p) {
        p.desde = QStringLiteral("40000");
    }) << "Número no válido";
    QTest::newRow("last number past 16 bits") << con(3, [](Panel& p) {
        p.desde = QStringLiteral("32765");
    }) << "Número no válido";
    QTest::newRow("nothing chosen") << con(-1, [](Panel& p) {
        p.extension = QStringLiteral("?");
    }) << "";
}

void PruebaEngine::leerPanel()
{
    QFETCH(Panel, panel);
    QFETCH(QString, mensaje);
    const auto leido = LeerPanel(panel, 3);
    const QString* obtenido = std::get_if<QString>(&leido);
    QCOMPARE(obtenido ? *obtenido : QString(), mensaje);
}

void PruebaEngine::anchoProgreso()
{
    // A 3000-twip frame and 4 files: the bar keeps its fractions.
    const QList<float> esperados{743.75f, 1487.5f, 2231.25f, 2975.0f};
    for (qint16 i = 0; i < 4; ++i)
        QCOMPARE(AnchoProgreso(3000.0f, 4, i), esperados[i]);
}

QTEST_GUILESS_MAIN(PruebaEngine)
#include "tst_engine.moc"
