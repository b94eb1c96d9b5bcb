#include "Soporte.h"

#include "engine/Comprobaciones.h"
#include "engine/Estado.h"
#include "engine/Listado.h"
#include "engine/Plan.h"

namespace {

// Records step and progress calls in one sequence: "a>b" for a rename, "a>~" for a file set
// apart, "#i" for the bar after file i (read back from its width over a frame of the
// selection's size). From call `parar` on, the user has asked to stop.
class Secuencia : public PasoRenombrar, public PantallaRegistro {
public:
    explicit Secuencia(const QStringList& nombres, qsizetype parar = 1000) : parar(parar)
    {
        e.NumArchivos = qint16((e.Archivos = nombres).size());
    }
    bool IgnoraMayusculas(const QList<Renombre>&) override { return false; }
    bool Preparar(const QList<Renombre>& r, const QList<PasoPlan>& p) override
    {
        renombres = &r;
        plan = &p;
        return true;
    }
    bool Dar(qsizetype k) override
    {
        const PasoPlan& p = plan->at(k);
        const Renombre& x = renombres->at(p.archivo);
        if (p.tipo == PasoPlan::Tipo::Ninguno)
            return true;
        llamadas << (p.tipo == PasoPlan::Tipo::Apartar ? x.viejo + u">~"_qs
                     : p.tipo == PasoPlan::Tipo::DesdeApartado ? u"~>"_qs + *x.nuevo
                                                               : x.viejo + u'>' + *x.nuevo);
        return p.tipo == PasoPlan::Tipo::Apartar || llamadas.size() < parar;
    }
    bool Detenido() const override { return llamadas.size() >= parar; }
    void FijarAnchoBarra(float ancho) override
    {
        llamadas << u'#' + QString::number(ancho / (marco - 25) * e.NumArchivos - 1);
    }
    Estado e;
    QStringList llamadas;
    qsizetype parar;
    const QList<Renombre>* renombres = nullptr;
    const QList<PasoPlan>* plan = nullptr;
};

}  // namespace

class PruebaEngine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // As the program runs: typed numbers must read the same under a locale whose decimal
    // point is a comma.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void reglas_data();
    void reglas();
    void operar_data();
    void operar();
    void planificar_data();
    void planificar();
    void numeros_data();
    void numeros();
    void textos();
    void ordenYFiltro();
};

void PruebaEngine::reglas_data()
{
    // `a` and `b` are the operation's texts (for "Añadir:", the text and where; for
    // "Generar:", the pattern and how many files); `n` the position or the first number. "-": the name is left alone;
    // for "Generar:", the first and last names, none when refused.
    QTest::addColumn<Opcion>("opcion");
    QTest::addColumn<QString>("viejo");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("nuevo");
    const QString e = QStringLiteral("\U0001F600");  // one character outside 16 bits
    using enum Opcion;
    QTest::newRow("extension after the last dot") << Extension << u"informe.final.doc"_qs << u"txt"_qs << QString() << 0 << u"informe.final.txt"_qs;
    QTest::newRow("extension added") << Extension << u"LEEME"_qs << u"txt"_qs << QString() << 0 << u"LEEME.txt"_qs;
    QTest::newRow("replace the first") << Cambiar << u"foto_foto.jpg"_qs << u"foto"_qs << u"img"_qs << 0 << u"img_foto.jpg"_qs;
    QTest::newRow("replace, case apart") << Cambiar << u"Foto.jpg"_qs << u"foto"_qs << u"img"_qs << 0 << u"-"_qs;
    QTest::newRow("replace half a character") << Cambiar << e + u".txt"_qs << QString(QChar(0xDE00)) << u"x"_qs << 0 << u"-"_qs;
    QTest::newRow("add at the end") << Anadir << u"archivo.tar.gz"_qs << u"_1"_qs << u"final"_qs << 0 << u"archivo.tar_1.gz"_qs;
    QTest::newRow("add at the start") << Anadir << u"foto.JPG"_qs << u"_1"_qs << u"principio"_qs << 0 << u"_1foto.JPG"_qs;
    QTest::newRow("add past the end") << Anadir << u"foto.JPG"_qs << u"_1"_qs << u"posición"_qs << 8 << u"foto.JPG"_qs;
    QTest::newRow("add between characters outside 16 bits") << Anadir << u'a' + e + e + u'b' << u"_"_qs << u"posición"_qs
                                                             << 3 << u'a' + e + u'_' + e + u'b';
    QTest::newRow("upper case") << Mayusculas << u"año 2001.txt"_qs << QString() << QString() << 0 << u"AÑO 2001.TXT"_qs;
    QTest::newRow("lower case") << Minusculas << u"Foto Playa.JPG"_qs << QString() << QString() << 0 << u"foto playa.jpg"_qs;
    QTest::newRow("upper case beside a byte not text") << Mayusculas << u"caf"_qs + QChar(0xDCE9) + u".jpg"_qs
                                                       << QString() << QString() << 0
                                                       << u"CAF"_qs + QChar(0xDCE9) + u".JPG"_qs;
    QTest::newRow("generate padded") << Generar << QString() << u"v*.jpg"_qs << u"9"_qs << 1 << u"v01.jpg v09.jpg"_qs;
    QTest::newRow("generate before the last dot") << Generar << QString() << u"copia.de.seg"_qs << u"2"_qs << 1 << u"copia.de1.seg copia.de2.seg"_qs;
    QTest::newRow("generate negative") << Generar << QString() << u"n*"_qs << u"3"_qs << -5 << u"n-05 n-03"_qs;
    QTest::newRow("generate past 16 bits") << Generar << QString() << u"*"_qs << u"8"_qs << 32760 << QString();
}

// Each rule on one name: in, out.
void PruebaEngine::reglas()
{
    QFETCH(Opcion, opcion);
    QFETCH(QString, viejo);
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, n);
    const auto regla = [&]() -> QString {
        switch (opcion) {
        case Opcion::Extension:
            return ReglaExtension(viejo, a);
        case Opcion::Cambiar:
            return ReglaCadena(viejo, a, b).value_or(u"-"_qs);
        case Opcion::Anadir:
            return ReglaAnadir(viejo, a, b == u"final" ? ModoFinal : b == u"principio" ? ModoPrincipio : ModoPosicion, quint8(n));
        case Opcion::Minusculas:
        case Opcion::Mayusculas:
            return ReglaMayusculas(viejo, opcion == Opcion::Mayusculas);
        case Opcion::Generar:
            break;
        }
        // Refused past 16 bits before the first rename.
        Secuencia s(QList<QString>(b.toInt(), a));
        const bool refusada = GenerarNombres(s.e, s, s, a, qint16(n)) == FinOperacion::FueraDeLimites;
        return refusada ? s.llamadas.join(u' ') : s.llamadas.first().section(u'>', 1) + u' ' + s.llamadas.at(s.llamadas.size() - 2).section(u'>', 1);
    };
    QTEST(regla(), "nuevo");
}

void PruebaEngine::operar_data()
{
    QTest::addColumn<Panel>("panel");
    QTest::addColumn<QStringList>("nombres");
    QTest::addColumn<int>("parar");  // the call from which the user asks to stop
    QTest::addColumn<QString>("llamadas");  // or the message of a refusal
    const QStringList abc = Lista({"a.JPG", "b.txt", "c"});
    QTest::newRow("extension") << Op(Opcion::Extension, "png") << abc << 1000 << "a.JPG>a.png #0 b.txt>b.png #1 c>c.png #2";
    QTest::newRow("extension not valid") << Op(Opcion::Extension, "t?t") << abc << 1000 << "Extensión no válida";
    // No rename for a name without the text; the bar still moves for it.
    QTest::newRow("replace") << Op(Opcion::Cambiar, "b", "B") << abc << 1000 << "#0 b.txt>B.txt #1 #2";
    QTest::newRow("star in the search text") << Op(Opcion::Cambiar, "*") << abc << 1000 << "#0 #1 #2";
    QTest::newRow("colon in the replacement") << Op(Opcion::Cambiar, "", ":") << abc << 1000 << "Cadena no válida";
    QTest::newRow("position past 255") << Op(Opcion::Anadir, "_", "300", ModoPosicion) << abc << 1000 << "Posición no válida";
    QTest::newRow("position unread at the end") << Op(Opcion::Anadir, "_", "300") << abc << 1000 << "a.JPG>a_.JPG #0 b.txt>b_.txt #1 c>c_ #2";
    // A step that asks to stop: no further rename, and the bar stops with the loop.
    QTest::newRow("lower case") << Op(Opcion::Minusculas) << abc << 1000 << "a.JPG>a.jpg #0 b.txt>b.txt #1 c>c #2";
    QTest::newRow("upper case, stopped") << Op(Opcion::Mayusculas) << abc << 3 << "a.JPG>A.JPG #0 b.txt>B.TXT";
    QTest::newRow("last number past 16 bits") << Op(Opcion::Generar, "n*", "32765") << abc << 1000 << "Número no válido";
    // Renumbering into the series' own names: each file after the one holding its new name,
    // the bar once per file.
    QTest::newRow("a series into its own names") << Op(Opcion::Generar, "f*", "2") << Lista({"f1", "f2", "f3"}) << 1000
                                                 << "f3>f4 #0 f2>f3 #1 f1>f2 #2";
    // A swap stopped halfway: the file set apart still takes its new name.
    QTest::newRow("a swap stopped halfway") << Op(Opcion::Generar, "f*", "1") << Lista({"f2", "f1"}) << 2 << "f2>~ f1>f2 #0 ~>f1";
}

// The panel read and its operation run over the selection: every call of the rename step and
// of the bar.
void PruebaEngine::operar()
{
    QFETCH(Panel, panel);
    QFETCH(QStringList, nombres);
    QFETCH(int, parar);
    Secuencia s(nombres, parar);
    // The panel's own checks, not the operation's that back them up.
    const auto leido = LeerPanel(panel, s.e.NumArchivos);
    const QString* mensaje = std::get_if<QString>(&leido);
    const auto fin = mensaje ? FinOperacion::Completa : EjecutarOperacion(std::get<Operacion>(leido), s.e, s, s);
    QTEST(mensaje ? *mensaje : s.llamadas.join(u' '), "llamadas");
    QCOMPARE(fin == FinOperacion::Detenida, parar < 1000);
}

// "old>new" per file in list order ("old>" for one left alone), and the planned steps: "a>b",
// "a>~" set apart, "~>b" from there to its new name, "-a" passed.
void PruebaEngine::planificar_data()
{
    // Renames asked "old>new" ("old>" keeps its name), and the steps planned: "a>~" sets a
    // file apart, "~>b" gives it its name afterwards, "-c" leaves c alone.
    QTest::addColumn<QString>("pedidos");
    QTest::addColumn<QString>("pasos");
    QTest::newRow("a chain up, from its end") << "f1>f2 f2>f3 f3>f4 f4>f5" << "f4>f5 f3>f4 f2>f3 f1>f2";
    QTest::newRow("a chain down, in order") << "f2>f1 f3>f2 f4>f3" << "f2>f1 f3>f2 f4>f3";
    QTest::newRow("a swap") << "a>b b>a" << "a>~ b>a ~>b";
    QTest::newRow("a rotation of three") << "a>b b>c c>a" << "a>~ c>a b>c ~>b";
    QTest::newRow("two asking for one name: the first has it") << "z>a a>b b>c c>a" << "b>c a>b z>a c>a";
    QTest::newRow("a swap beside a name asked twice") << "a>x b>x c> x>a" << "a>~ x>a ~>x b>x -c";
    QTest::newRow("case changes alone") << "a>a b>B" << "a>a b>B";
    QTest::newRow("a chain that differs in case") << "IMG1>img2 IMG2>img3" << "IMG2>img3 IMG1>img2";
}

void PruebaEngine::planificar()
{
    QFETCH(QString, pedidos);
    QList<Renombre> r;
    for (const QString& p : pedidos.split(u' '))
        r.append({p.section(u'>', 0, 0), p.endsWith(u'>') ? std::nullopt : std::optional(p.section(u'>', 1))});
    QStringList pasos;
    for (const PasoPlan& p : Planificar(r, true)) {
        const Renombre& x = r[p.archivo];
        pasos << (p.tipo == PasoPlan::Tipo::Apartar         ? x.viejo + u">~"_qs
                  : p.tipo == PasoPlan::Tipo::DesdeApartado ? u"~>"_qs + *x.nuevo
                  : p.tipo == PasoPlan::Tipo::Ninguno       ? u'-' + x.viejo
                                                            : x.viejo + u'>' + *x.nuevo);
    }
    QTEST(pasos.join(u' '), "pasos");
}

void PruebaEngine::numeros_data()
{
    // A typed position (0 to 255) and what it reads as; none where it is refused.
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("valor");
    QTest::newRow("digits then letters") << "12abc" << 12;
    QTest::newRow("blanks between digits") << " 1 \t2\n" << 12;
    QTest::newRow("a half to the even below") << "2.5" << 2;
    QTest::newRow("a half to the even above") << "3.5" << 4;
    QTest::newRow("octal") << "&O178" << 15;
    QTest::newRow("a comma ends the number") << "2,7" << 2;
    QTest::newRow("an exponent") << "1e2" << 100;
    QTest::newRow("the largest") << "255" << 255;
    QTest::newRow("rounded past the largest") << "255.5" << -1;
    QTest::newRow("an exponent past 64 bits") << "45e9223372036854775807" << -1;
    QTest::newRow("past a double") << "1e400" << -1;
}

void PruebaEngine::numeros()
{
    QFETCH(QString, texto);
    QTEST(LeerEntero(texto, 0, 255).value_or(-1), "valor");
}

void PruebaEngine::textos()
{
    QCOMPARE(LeerEntero(u"-32768"_qs, -32768, 32767), -32768);
    // A frame of 3000 twips and 4 files: the bar keeps its fractions.
    QCOMPARE(AnchoProgreso(3000.0f, 4, 0), 743.75f);
    // Texts that may enter a name, and "Generar:" patterns.
    for (const char c : QByteArray("\\/*:?<>|"))
        QVERIFY(!NombreValido(u'a' + QString(QLatin1Char(c)) + u'b'));
    QVERIFY(NombreValido(u"\". "_qs) && PatronValido(u"foto*"_qs) && PatronValido(u"ab*c?d"_qs));
    QVERIFY(!PatronValido(u"a*b*c"_qs) && !PatronValido(u"a:b*c"_qs));
    // What the user typed shows as typed, a "%" too.
    QCOMPARE(DescribirOperacion(Operacion{Opcion::Generar, u"foto%2*.jpg"_qs, {}, 0, 0, 7}), u"Generar: foto%2*.jpg desde 7"_qs);
}

void PruebaEngine::ordenYFiltro()
{
    // Every pair, both ways round: numbers by value (beyond 64 bits too), case and accents
    // ignored, "ñ" between "n" and "o", and ties broken by character codes: a total order.
    const QStringList orden = Lista({"1.txt", "A.txt", "a.txt", "á.txt", "f99999999999999999999",
                                     "f100000000000000000000", "IMG_2.JPG", "img_2.jpg", "IMG_10.jpg",
                                     "nota", "ñandú", "oca"});
    for (qsizetype i = 0; i < orden.size(); ++i)
        for (qsizetype j = 0; j < orden.size(); ++j)
            QVERIFY2(OrdenNatural(orden[i], orden[j]) == (i < j), qPrintable(orden[i] + u" < "_qs + orden[j]));
    QCOMPARE(CarpetaSeleccion(u"/"_qs) + CarpetaSeleccion(u"/home/Fotos"_qs), u"//home/Fotos/"_qs);
    // The file filter: "pattern=names that pass", case ignored, "?" one character.
    const QStringList nombres = Lista({"foto.jpg", "FOTO.JPG", "LEEME", "a.c", "a.cpp", "ñ.txt", "😀.txt",
                                       "ab", "xaxxb", "ba"});
    for (const char* caso : {"*.jpg=foto.jpg FOTO.JPG", "*.*=" "foto.jpg FOTO.JPG LEEME a.c a.cpp ñ.txt 😀.txt ab xaxxb ba",
                             "*.c; LEE*=LEEME a.c", "?.txt=ñ.txt 😀.txt", "*a*b=ab xaxxb"}) {
        const Patron p(QString::fromUtf8(caso).section(u'=', 0, 0));
        QStringList pasan = nombres;
        pasan.removeIf([&p](const QString& n) { return !p.Coincide(n); });
        QCOMPARE(pasan.join(u' '), QString::fromUtf8(caso).section(u'=', 1));
    }
}

QTEST_GUILESS_MAIN(PruebaEngine)
#include "tst_engine.moc"
