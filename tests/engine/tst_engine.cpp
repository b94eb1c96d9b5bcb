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
const QString E = QStringLiteral("\U0001F600");  // one character outside 16 bits

// Records step and progress calls in one sequence: "a>b" for a rename, "#i" for the bar
// after file i (read back from the width over a 300-twip bar of 3 files).
class Secuencia : public PasoRenombrar, public PantallaRegistro {
public:
    bool RenombrarArchivo(const QString& viejo, const QString& nuevo) override
    {
        llamadas << viejo + u'>' + nuevo;
        return llamadas.size() < parar;
    }
    void FijarAnchoBarra(float ancho) override
    {
        llamadas << u'#' + QString::number(ancho / (marco - 25) * 3 - 1);
    }
    QStringList llamadas;
    qsizetype parar = 100;
};

Estado Seleccion(const QStringList& nombres)
{
    Estado e;
    e.Archivos = nombres;
    e.NumArchivos = qint16(nombres.size());
    return e;
}

}  // namespace

class PruebaEngine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reglas_data();
    void reglas();
    void generar_data();
    void generar();
    void secuenciaDeLlamadas();
    void leerEntero_data();
    void leerEntero();
    void textosValidos_data();
    void textosValidos();
    void leerPanel_data();
    void leerPanel();
    void anchoProgreso();
};

void PruebaEngine::reglas_data()
{
    // ext: new extension a; cad: replace a by b; fin/pri/pos: add a at the end, at the start,
    // at position n; may/min: upper or lower case. A null result: the file is left alone.
    QTest::addColumn<QString>("regla");
    QTest::addColumn<QString>("viejo");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("nuevo");
    const auto fila = [](const char* tag, const char* r, const QString& v, const char* a,
                         const char* b, int n, const QString& nuevo) {
        QTest::newRow(tag) << QString::fromUtf8(r) << v << QString::fromUtf8(a)
                           << QString::fromUtf8(b) << n << nuevo;
    };
    const auto s = [](const char* t) { return QString::fromUtf8(t); };
    fila("ext: case of the extension", "ext", s("foto.JPG"), "jpg", "", 0, s("foto.jpg"));
    fila("ext: last dot only", "ext", s("informe.final.doc"), "txt", "", 0, s("informe.final.txt"));
    fila("ext: no dot", "ext", s("LEEME"), "txt", "", 0, s("LEEME.txt"));
    fila("ext: only a leading dot", "ext", s(".perfil"), "bak", "", 0, s(".bak"));
    fila("ext: empty", "ext", s("foto.JPG"), "", "", 0, s("foto."));
    fila("ext: with a dot", "ext", s("foto.JPG"), ".png", "", 0, s("foto..png"));
    fila("cad: first occurrence", "cad", s("foto_foto.jpg"), "foto", "img", 0, s("img_foto.jpg"));
    fila("cad: case differs", "cad", s("Foto.jpg"), "foto", "img", 0, QString());
    fila("cad: delete", "cad", s("copia de carta.doc"), "copia de ", "", 0, s("carta.doc"));
    fila("cad: empty search", "cad", s("carta.doc"), "", "2001_", 0, s("2001_carta.doc"));
    fila("cad: whole name", "cad", s("x.txt"), "x.txt", "", 0, s(""));
    QTest::newRow("cad: half a character") << s("cad") << E + u".txt"_qs << QString(QChar(0xDE00))
                                           << s("x") << 0 << QString();
    fila("fin", "fin", s("archivo.tar.gz"), "_2001", "", 0, s("archivo.tar_2001.gz"));
    fila("fin: no dot", "fin", s("LEEME"), "_2001", "", 0, s("LEEME_2001"));
    fila("fin: leading dot", "fin", s(".perfil"), "_2001", "", 0, s("_2001.perfil"));
    fila("fin: final dot", "fin", s("nota."), "_2001", "", 0, s("nota_2001."));
    fila("pri", "pri", s("foto.JPG"), "_2001", "", 0, s("_2001foto.JPG"));
    fila("pos 0", "pos", s("foto.JPG"), "_2001", "", 0, s("foto.JPG"));
    fila("pos 1", "pos", s("foto.JPG"), "_2001", "", 1, s("_2001foto.JPG"));
    fila("pos 7", "pos", s("foto.JPG"), "_2001", "", 7, s("foto.J_2001PG"));
    fila("pos = length", "pos", s("foto.JPG"), "_2001", "", 8, s("foto.JPG"));
    fila("pos, one character", "pos", s("a"), "_2001", "", 1, s("a"));
    // Positions count characters: one outside 16 bits is never split.
    fila("pos between emoji", "pos", u'a' + E + E + u'b', "_", "", 3, u'a' + E + u'_' + E + u'b');
    fila("pos = length, emoji", "pos", u'a' + E + E + u'b', "_", "", 4, u'a' + E + E + u'b');
    fila("may: ñ", "may", s("año 2001.txt"), "", "", 0, s("AÑO 2001.TXT"));
    fila("min", "min", s("Foto Playa.JPG"), "", "", 0, s("foto playa.jpg"));
    fila("may: full mapping", "may", s("straße"), "", "", 0, s("STRASSE"));
    fila("may: outside 16 bits", "may", u"\U00010428.txt"_qs, "", "", 0, u"\U00010400.TXT"_qs);
}

void PruebaEngine::reglas()
{
    QFETCH(QString, regla);
    QFETCH(QString, viejo);
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, n);
    std::optional<QString> r;
    if (regla == u"ext")
        r = ReglaExtension(viejo, a);
    else if (regla == u"cad")
        r = ReglaCadena(viejo, a, b);
    else if (regla == u"may" || regla == u"min")
        r = ReglaMayusculas(viejo, regla == u"may");
    else
        r = ReglaAnadir(viejo, a, regla == u"fin" ? ModoFinal : regla == u"pri" ? ModoPrincipio
                                                                               : ModoPosicion,
                        quint8(n));
    QTEST(r.value_or(QString()), "nuevo");
}

void PruebaEngine::generar_data()
{
    QTest::addColumn<QString>("patron");
    QTest::addColumn<int>("desde");
    QTest::addColumn<int>("archivos");
    QTest::addColumn<QStringList>("nuevos");  // the first and the last; empty: refused
    QTest::newRow("9 from 1: two digits") << "v*.jpg" << 1 << 9 << Lista({"v01.jpg", "v09.jpg"});
    QTest::newRow("8 from 1: one digit") << "v*.jpg" << 1 << 8 << Lista({"v1.jpg", "v8.jpg"});
    QTest::newRow("across a width") << "img_*_f.png" << 98 << 3
                                    << Lista({"img_098_f.png", "img_100_f.png"});
    QTest::newRow("no star: before the last dot") << "copia.de.seg" << 1 << 2
                                                  << Lista({"copia.de1.seg", "copia.de2.seg"});
    QTest::newRow("no star, no dot") << "foto" << 7 << 3 << Lista({"foto07", "foto09"});
    QTest::newRow("1 from 9") << "a*" << 9 << 1 << Lista({"a09", "a09"});
    QTest::newRow("1 from 99") << "a*" << 99 << 1 << Lista({"a099", "a099"});
    QTest::newRow("negative") << "n*" << -5 << 3 << Lista({"n-05", "n-03"});
    QTest::newRow("empty pattern") << "" << 1 << 3 << Lista({"1", "3"});
    QTest::newRow("up to the limit") << "*" << 32759 << 8 << Lista({"32759", "32766"});
    QTest::newRow("past the limit: nothing") << "*" << 32760 << 8 << QStringList();
}

void PruebaEngine::generar()
{
    QFETCH(QString, patron);
    QFETCH(int, desde);
    QFETCH(int, archivos);
    QFETCH(QStringList, nuevos);
    QStringList viejos;
    for (int i = 0; i < archivos; ++i)
        viejos << QString::number(i);
    PasoRegistro paso;
    PantallaRegistro pantalla;
    const FinOperacion fin = GenerarNombres(Seleccion(viejos), paso, pantalla, patron, qint16(desde));
    if (nuevos.isEmpty()) {  // checked before the first rename: a run never stops half-way
        QCOMPARE(fin, FinOperacion::FueraDeLimites);
        QVERIFY(paso.llamadas.isEmpty() && pantalla.anchos.isEmpty());
        return;
    }
    QCOMPARE(paso.llamadas.size(), archivos);
    QCOMPARE(QStringList({paso.llamadas.first().section(u'>', 1),
                          paso.llamadas.last().section(u'>', 1)}),
             nuevos);
}

void PruebaEngine::secuenciaDeLlamadas()
{
    const Estado e = Seleccion(Lista({"a.JPG", "b.txt", "c"}));
    Secuencia extension;
    QCOMPARE(CambiarExtension(e, extension, extension, u"png"_qs), FinOperacion::Completa);
    QCOMPARE(extension.llamadas,
             Lista({"a.JPG>a.png", "#0", "b.txt>b.png", "#1", "c>c.png", "#2"}));

    // No rename for a name without the text; the bar still moves for it.
    Secuencia cadena;
    CambiarCadena(e, cadena, cadena, u"b"_qs, u"B"_qs);
    QCOMPARE(cadena.llamadas, Lista({"#0", "b.txt>B.txt", "#1", "#2"}));

    // A step that asks to stop: no further rename, and the bar stops with the loop.
    Secuencia parada;
    parada.parar = 3;
    QCOMPARE(CambiarMayusculas(e, parada, parada, true), FinOperacion::Detenida);
    QCOMPARE(parada.llamadas, Lista({"a.JPG>A.JPG", "#0", "b.txt>B.TXT"}));

    Secuencia nada;
    CambiarMayusculas(Seleccion({}), nada, nada, true);
    QVERIFY(nada.llamadas.isEmpty());
}

void PruebaEngine::leerEntero_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("maximo");  // 255 for a position (from 0), 32767 for a start number
    QTest::addColumn<int>("esperado");
    QTest::newRow("digits then letters") << "12abc" << 255 << 12;
    QTest::newRow("blanks, tabs, line feeds") << " 1 \t2\n" << 255 << 12;
    QTest::newRow("no number") << "abc" << 255 << 0;
    QTest::newRow("empty") << "" << 32767 << 0;
    QTest::newRow("half down to even") << "2.5" << 255 << 2;
    QTest::newRow("half up to even") << "3.5" << 255 << 4;
    QTest::newRow("negative half") << "- 2.5" << 32767 << -2;
    QTest::newRow("hexadecimal") << "&h10" << 255 << 16;
    QTest::newRow("octal stops at 8") << "&O178" << 255 << 15;
    QTest::newRow("exponent") << "1e2" << 255 << 100;
    QTest::newRow("comma is no decimal point") << "2,7" << 255 << 2;
    QTest::newRow("rounds past the position") << "255.5" << 255 << Ninguno;
    QTest::newRow("below the position") << "-1" << 255 << Ninguno;
    QTest::newRow("lowest start") << "-32768" << 32767 << -32768;
    QTest::newRow("below the start") << "-32769" << 32767 << Ninguno;
    QTest::newRow("overflow") << "1e400" << 32767 << Ninguno;
    QTest::newRow("exponent at the top of 64 bits") << "45e9223372036854775807" << 32767
                                                    << Ninguno;
    QTest::newRow("underflow") << "1e-400" << 32767 << 0;
}

void PruebaEngine::leerEntero()
{
    QFETCH(QString, texto);
    QFETCH(int, maximo);
    QTEST(LeerEntero(texto, maximo == 255 ? 0 : -32768, maximo).value_or(Ninguno), "esperado");
}

void PruebaEngine::textosValidos_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("nombre");  // may enter a name
    QTest::addColumn<bool>("patron");  // may be a "Generar:" pattern
    QTest::newRow("plain") << "abc" << true << true;
    QTest::newRow("empty") << "" << true << true;
    QTest::newRow("quote, dot, blanks") << "\". " << true << true;
    for (const char* c : {"\\", "/", "*", ":", "?", "<", ">", "|"})
        QTest::newRow(c) << QStringLiteral("a%1b").arg(QLatin1String(c)) << false
                         << (*c == '*');
    QTest::newRow("star at the end") << "foto*" << false << true;
    QTest::newRow("two stars") << "a*b*c" << false << false;
    QTest::newRow("colon before the star") << "a:b*c" << false << false;
    QTest::newRow("after the star, unchecked") << "ab*c?d" << false << true;
}

void PruebaEngine::textosValidos()
{
    QFETCH(QString, texto);
    QTEST(NombreValido(texto), "nombre");
    QTEST(PatronValido(texto), "patron");
}

void PruebaEngine::leerPanel_data()
{
    QTest::addColumn<int>("opcion");
    QTest::addColumn<int>("modo");
    QTest::addColumn<QString>("campo");  // the one box typed in
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("mensaje");  // empty: accepted
    QTest::newRow("extension") << 0 << 0 << "extension" << "t?t" << "Extensión no válida";
    QTest::newRow("empty extension") << 0 << 0 << "extension" << "" << "";
    QTest::newRow("star in the search text") << 1 << 0 << "buscar" << "*" << "";
    QTest::newRow("colon in the replacement") << 1 << 0 << "reemplazo" << ":" << "Cadena no válida";
    QTest::newRow("slash to add") << 2 << 1 << "anadir" << "a/b" << "Cadena no válida";
    QTest::newRow("position past 255") << 2 << 3 << "posicion" << "300" << "Posición no válida";
    QTest::newRow("position unread at the end") << 2 << 1 << "posicion" << "300" << "";
    QTest::newRow("two stars") << 3 << 0 << "patron" << "a*b*c" << "Cadena no válida";
    QTest::newRow("last number past 16 bits") << 3 << 0 << "desde" << "32765"
                                              << "Número no válido";
    QTest::newRow("nothing chosen") << -1 << 0 << "extension" << "?" << "";
}

void PruebaEngine::leerPanel()
{
    QFETCH(int, opcion);
    QFETCH(int, modo);
    QFETCH(QString, campo);
    QFETCH(QString, texto);
    Panel p;
    p.opcion = opcion;
    p.modo = quint8(modo);
    const QMap<QString, QString Panel::*> campos{
        {u"extension"_qs, &Panel::extension}, {u"buscar"_qs, &Panel::buscar},
        {u"reemplazo"_qs, &Panel::reemplazo}, {u"anadir"_qs, &Panel::anadir},
        {u"posicion"_qs, &Panel::posicion},   {u"patron"_qs, &Panel::patron},
        {u"desde"_qs, &Panel::desde}};
    p.*campos.value(campo) = texto;
    const auto leido = LeerPanel(p, 3);  // 3 files selected
    const QString* mensaje = std::get_if<QString>(&leido);
    QTEST(mensaje ? *mensaje : QString(), "mensaje");
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
