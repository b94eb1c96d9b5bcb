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
    void planificar();
    void numerosYTextos();
    void ordenYFiltro();
};

void PruebaEngine::reglas_data()
{
    // "rule|name|a|b": ext new extension a; cad replace a by b ("-": left alone); fin, pri,
    // posN add a at the end, at the start, at position N; may, min upper or lower case;
    // genN pattern a from N over b files: the first and last names.
    QTest::addColumn<QString>("fila");
    QTest::addColumn<QString>("nuevo");
    const QString e = QStringLiteral("\U0001F600");  // one character outside 16 bits
    for (const auto& [fila, nuevo] : std::initializer_list<std::pair<QString, QString>>{
             {u"ext|informe.final.doc|txt"_qs, u"informe.final.txt"_qs},
             {u"ext|LEEME|txt"_qs, u"LEEME.txt"_qs},
             {u"cad|foto_foto.jpg|foto|img"_qs, u"img_foto.jpg"_qs},
             {u"cad|Foto.jpg|foto|img"_qs, u"-"_qs},
             {u"cad|"_qs + e + u".txt|"_qs + QChar(0xDE00) + u"|x"_qs, u"-"_qs},  // half a character
             {u"fin|archivo.tar.gz|_1"_qs, u"archivo.tar_1.gz"_qs},
             {u"pri|foto.JPG|_1"_qs, u"_1foto.JPG"_qs},
             {u"pos8|foto.JPG|_1"_qs, u"foto.JPG"_qs},
             {u"pos3|a"_qs + e + e + u"b|_"_qs, u'a' + e + u'_' + e + u'b'},
             {u"may|año 2001.txt"_qs, u"AÑO 2001.TXT"_qs},
             {u"min|Foto Playa.JPG"_qs, u"foto playa.jpg"_qs},
             {u"may|caf"_qs + QChar(0xDCE9) + u".jpg"_qs, u"CAF"_qs + QChar(0xDCE9) + u".JPG"_qs},  // a byte not text
             {u"gen1|v*.jpg|9"_qs, u"v01.jpg v09.jpg"_qs},
             {u"gen1|copia.de.seg|2"_qs, u"copia.de1.seg copia.de2.seg"_qs},
             {u"gen-5|n*|3"_qs, u"n-05 n-03"_qs},
             {u"gen32760|*|8"_qs, u""_qs},  // past 16 bits: refused before the first rename
         })
        QTest::newRow(qPrintable(fila)) << fila << nuevo;
}

void PruebaEngine::reglas()
{
    QFETCH(QString, fila);
    const QStringList c = fila.split(u'|') + QStringList{{}, {}};
    const QString regla = c[0].left(3);
    const int n = c[0].mid(3).toInt();
    QString r;
    if (regla == u"ext")
        r = ReglaExtension(c[1], c[2]);
    else if (regla == u"cad")
        r = ReglaCadena(c[1], c[2], c[3]).value_or(u"-"_qs);
    else if (regla == u"may" || regla == u"min")
        r = ReglaMayusculas(c[1], regla == u"may");
    else if (regla == u"gen") {
        Secuencia s(QList<QString>(c[2].toInt(), c[1]));
        const bool refusada = GenerarNombres(s.e, s, s, c[1], qint16(n)) == FinOperacion::FueraDeLimites;
        r = refusada ? QString() : s.llamadas.first().section(u'>', 1) + u' ' + s.llamadas.at(s.llamadas.size() - 2).section(u'>', 1);
        QCOMPARE(s.llamadas.isEmpty(), refusada);
    } else
        r = ReglaAnadir(c[1], c[2], regla == u"fin" ? ModoFinal : regla == u"pri" ? ModoPrincipio : ModoPosicion, quint8(n));
    QTEST(r, "nuevo");
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
    QTest::newRow("position unread at the end") << Op(Opcion::Anadir, "_", "300") << abc << 1000
                                                << "a.JPG>a_.JPG #0 b.txt>b_.txt #1 c>c_ #2";
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
void PruebaEngine::planificar()
{
    for (const auto& [pedidos, esperado] : {std::pair{"f1>f2 f2>f3 f3>f4 f4>f5", "f4>f5 f3>f4 f2>f3 f1>f2"},
                                            std::pair{"f2>f1 f3>f2 f4>f3", "f2>f1 f3>f2 f4>f3"},
                                            std::pair{"a>b b>a", "a>~ b>a ~>b"},
                                            std::pair{"a>b b>c c>a", "a>~ c>a b>c ~>b"},
                                            // c gives way to z, which asked for "a" first
                                            std::pair{"z>a a>b b>c c>a", "b>c a>b z>a c>a"},
                                            std::pair{"a>x b>x c> x>a", "a>~ x>a ~>x b>x -c"},
                                            std::pair{"a>a b>B", "a>a b>B"},
                                            std::pair{"IMG1>img2 IMG2>img3", "IMG2>img3 IMG1>img2"}}) {
        QList<Renombre> r;
        for (const QString& p : QString::fromLatin1(pedidos).split(u' '))
            r.append({p.section(u'>', 0, 0), p.endsWith(u'>') ? std::nullopt : std::optional(p.section(u'>', 1))});
        QStringList pasos;
        for (const PasoPlan& p : Planificar(r, true)) {
            const Renombre& x = r[p.archivo];
            pasos << (p.tipo == PasoPlan::Tipo::Apartar         ? x.viejo + u">~"_qs
                      : p.tipo == PasoPlan::Tipo::DesdeApartado ? u"~>"_qs + *x.nuevo
                      : p.tipo == PasoPlan::Tipo::Ninguno       ? u'-' + x.viejo
                                                                : x.viejo + u'>' + *x.nuevo);
        }
        QCOMPARE(pasos.join(u' '), QString::fromLatin1(esperado));
    }
}

void PruebaEngine::numerosYTextos()
{
    // Typed numbers: "text=value" for a position (0 to 255), "text=-" where it is refused.
    for (const char* caso : {"12abc=12", " 1 \t2\n=12", "2.5=2", "3.5=4", "&O178=15", "2,7=2", "1e2=100",
                             "255=255", "255.5=-", "45e9223372036854775807=-", "1e400=-"}) {
        const QString c = QString::fromUtf8(caso);
        const auto leido = LeerEntero(c.section(u'=', 0, 0), 0, 255);
        QCOMPARE(leido ? QString::number(*leido) : u"-"_qs, c.section(u'=', 1));
    }
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
