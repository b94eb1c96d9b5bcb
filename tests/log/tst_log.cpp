#include "Soporte.h"

#include "engine/Estado.h"
#include "log/Deshacer.h"
#include "log/Guardar.h"
#include "log/Renombrador.h"
#include "log/Resultado.h"

#include <csignal>
#include <sys/resource.h>

namespace {

// The shared state of a run in the folder `c`, its log in memory or in `log`.
struct Corrida {
    explicit Corrida(const QStringList& nombres, QIODevice* log = nullptr)
    {
        c.crear(nombres);
        e.RutaCarpeta = c.ruta();
        e.NumArchivos = qint16((e.Archivos = nombres).size());
        memoria.open(QIODevice::WriteOnly);
        e.FicheroLog = log ? log : &memoria;
    }
    // Each "old|new" through the rename step, in the order given.
    void renombrar(const QStringList& pares)
    {
        RenombradorLog paso(e, pantalla);
        QList<Renombre> renombres;
        QList<PasoPlan> plan;
        for (const QString& par : pares) {
            plan.append({renombres.size(), PasoPlan::Tipo::Directo});
            renombres.append({par.section(u'|', 0, 0), par.section(u'|', 1)});
        }
        QVERIFY(paso.Preparar(renombres, plan));
        for (qsizetype k = 0; k < plan.size(); ++k)
            paso.Dar(k);
    }
    CarpetaPrueba c;
    Estado e;
    QBuffer memoria;
    PantallaRegistro pantalla;
};

}  // namespace

class PruebaLog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void escritoYLeido();
    void nombresQueNoSonTexto_data();
    void nombresQueNoSonTexto();
    void lineasQueNingunoEscribe_data();
    void lineasQueNingunoEscribe();
    void pasoDeRenombrado();
    void logGuardadoYAjuste();
    void resultado();
};

void PruebaLog::escritoYLeido()
{
    QCOMPARE(Reg("a\"b", "año") + CabeceraLog(3, u"/f/"_qs) + LineaRegistro(u"a"_qs, CampoFallo(u"b"_qs, u"x"_qs)),
             QByteArray("\"a\"\"b\",\"a\xc3\xb1o\"\r\n3\r\n\"/f/\"\r\n\"a\",\"b <#FAILED#>: x\"\r\n"));
    const LogLeido log = LeerLog("12\r\n\"/a\r\nb/\"\r\n" + Reg("a,\"b", "c\r\nd"), true);
    QCOMPARE(log.numArchivos, 12);
    QCOMPARE(log.registros.size(), 1);
    QCOMPARE(log.registros[0].viejo + u'>' + log.registros[0].nuevo, u"a,\"b>c\r\nd"_qs);
    QCOMPARE(LeerLog("99999\r\n\"/a/\"\r\n", true).numArchivos, 0);
}

void PruebaLog::nombresQueNoSonTexto_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("visible");
    QTest::addColumn<QByteArray>("campo");  // as the log writes it
    QTest::newRow("Latin-1") << QByteArray("caf\xe9.jpg") << "caf\\xE9.jpg" << QByteArray("%\"caf%E9.jpg\"");
    QTest::newRow("a percent sign beside a byte") << QByteArray("100%\xff\"") << "100%\\xFF\"" << QByteArray("%\"100%25%FF\"\"\"");
    QTest::newRow("cut short, overlong, a surrogate") << QByteArray("a\xc3\xc0\xaf\xed\xa0\x80") << "a\\xC3\\xC0\\xAF\\xED\\xA0\\x80"
                                                      << QByteArray("%\"a%C3%C0%AF%ED%A0%80\"");
    QTest::newRow("UTF-8 and a percent sign: as ever") << QByteArray("año 100%") << "año 100%" << QByteArray("\"año 100%\"");
    QTest::newRow("control characters") << QByteArray("a\nb\tc\x1b\x7f") << "a\\nb\\tc\\x1B\\x7F" << QByteArray("\"a\nb\tc\x1b\x7f\"");
}

// Whatever bytes a name holds come back from the program's text, from a URI and from the log exactly;
// the log stays UTF-8 and shows their text; every name is shown on one line, apart from all
// others.
void PruebaLog::nombresQueNoSonTexto()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, campo);
    const QString nombre = NombreDesdeBytes(bytes);
    QCOMPARE(BytesDeNombre(nombre), bytes);
    QTEST(NombreVisible(nombre), "visible");
    // As a file manager gives it: a URI of this machine, in any of its spellings.
    for (const char* uri : {"file:///t/", "file://localhost/t/", "file:/t/"})
        QCOMPARE(RutaDeUri(QByteArray(uri) + bytes.toPercentEncoding() + "#x"), "/t/" + bytes);
    QCOMPARE(LineaRegistro(nombre, u"x"_qs), campo + ",\"x\"\r\n");
    const LogLeido log = LeerLog(CabeceraLog(1, nombre + u'/') + LineaRegistro(nombre, nombre) + Reg("é", "x"), true);
    QCOMPARE(log.registros.size(), 2);
    QVERIFY(log.registros[0].deshacible && log.registros[1].viejo == u"é");
    QCOMPARE(BytesDeNombre(log.registros[0].viejo) + BytesDeNombre(log.registros[0].nuevo), bytes + bytes);
}

void PruebaLog::lineasQueNingunoEscribe_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("deshacibles");  // the records that may be undone, "new>old"
    const QByteArray bueno = "\"x\",\"y\"\r\n";
    QTest::newRow("three fields") << "\"a\",\"b\",\"c\"\r\n" + bueno << Lista({"y>x"});
    QTest::newRow("last record without line end") << bueno + "\"a\",\"b\"" << Lista({"y>x", "b>a"});
    QTest::newRow("unterminated quote") << "\"a\",\"b\r\n\"c\"\r\n" + bueno << Lista({"y>x"});
    QTest::newRow("marker outside the second field") << "\"a <#FAILED#>\",\"b\"\r\n" + bueno << Lista({"y>x"});
    QTest::newRow("old lone quote is text; line feeds only") << QByteArray("\"a\"b\",\"c\"\n") << Lista({"c>a\"b"});
    QTest::newRow("windows-1252") << QByteArray("\"caf\xe9\",\"\x80uro\"\r\n") << Lista({"€uro>café"});
}

void PruebaLog::lineasQueNingunoEscribe()
{
    QFETCH(QByteArray, bytes);
    QStringList deshacibles;
    for (const Registro& r : LeerLog(bytes, false).registros)
        if (r.deshacible)
            deshacibles << r.nuevo + u'>' + r.viejo;
    QTEST(deshacibles, "deshacibles");
}

// Renamed, taken, unchanged, missing: each its record, failures counted up to 32767. Only
// bare names of the folder, and never the failure marker: a refusal changes nothing, outside
// the folder or in it, and is recorded too.
void PruebaLog::pasoDeRenombrado()
{
    CarpetaPrueba fuera;
    fuera.crear(Lista({"fuera"}));
    Corrida run(Lista({"a", "b", "c", "e <#FAILED#>"}));
    QVERIFY(QDir().mkdir(run.c.camino(u"sub"_qs)));
    const QStringList ajenos =
        Lista({"b|..", "b|../b", "../fuera|b2", "b|sub/b", "b|/tmp/b", "b|f <#FAILED#>", "e <#FAILED#>|f"});
    run.renombrar(Lista({"a|d", "b|c", "c|c", "x|y"}) + ajenos);
    QCOMPARE(run.c.nombres(), Lista({"b", "c", "d", "e <#FAILED#>", "sub"}));
    QCOMPARE(run.c.leer(u"d"_qs), "a");
    QByteArray log = Reg("a", "d") + LineaRegistro(u"b"_qs, CampoFallo(u"c"_qs, Razon(EEXIST))) + Reg("c", "c")
        + LineaRegistro(u"x"_qs, CampoFallo(u"y"_qs, Razon(ENOENT)));
    for (const QString& par : ajenos)
        log += LineaRegistro(par.section(u'|', 0, 0), CampoFallo(par.section(u'|', 1), RazonNombreNoValido.toString()));
    QCOMPARE(run.memoria.data(), log);
    QCOMPARE(fuera.nombres(), Lista({"fuera"}));
    QCOMPARE(run.pantalla.mostrados.first(4), Lista({"a", "b", "c", "x"}));
    QCOMPARE(run.pantalla.cesiones, 11);
    QCOMPARE(run.e.Fallos, 9);
    run.e.Fallos = 32767;
    run.renombrar(Lista({"x|y"}));
    QCOMPARE(run.e.Fallos, 32767);
    // A log whose disk fills up in the middle of a record (the file size limit stands in for
    // it): the part written is cut off, no record follows, and the loop stops. The rename stays:
    // the run's plan tells it.
    CarpetaPrueba datos;
    QFile lleno(datos.camino(u"log"_qs));
    QVERIFY(lleno.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    Corrida disco(Lista({"1", "2"}), &lleno);
    RenombradorLog paso(disco.e, disco.pantalla);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite{}, antes{};
    getrlimit(RLIMIT_FSIZE, &antes);
    limite = {5, antes.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limite);
    const FinOperacion fin = CambiarExtension(disco.e, paso, disco.pantalla, u"x"_qs);
    setrlimit(RLIMIT_FSIZE, &antes);
    QCOMPARE(fin, FinOperacion::Detenida);
    QCOMPARE(disco.c.nombres(), Lista({"1.x", "2"}));
    QCOMPARE(datos.leer(u"log"_qs), QByteArray());
}

void PruebaLog::logGuardadoYAjuste()
{
    // A saved log holds the success records alone, without the header; with none, no bytes.
    CarpetaPrueba c;
    const QByteArray fallo = LineaRegistro(u"c"_qs, CampoFallo(u"d"_qs, u"x"_qs));
    c.escribir(u"temp.txt"_qs, CabeceraLog(3, c.ruta()) + Reg("a", "b") + fallo + Reg("e", "f"));
    QVERIFY(CopiarLogGuardado(c.camino(u"temp.txt"_qs), c.camino(u"informe.bwk"_qs)).ok);
    QCOMPARE(c.leer(u"informe.bwk"_qs), Reg("a", "b") + Reg("e", "f"));
    QVERIFY(!CopiarLogGuardado(c.camino(u"falta.txt"_qs), c.camino(u"informe.bwk"_qs)).ok);
    QCOMPARE(c.leer(u"informe.bwk"_qs), Reg("a", "b") + Reg("e", "f"));
    // The setting: absent or unreadable is on; written, it reads back as True or False.
    QSettings ajustes(c.camino(u"a.conf"_qs), QSettings::IniFormat);
    QVERIFY(LeerGuardar(ajustes));
    for (const char* guardado : {"FALSE", "0", "tal vez"}) {
        c.escribir(u"b.conf"_qs, QByteArray("[Settings]\nGuardar=") + guardado);
        QSettings leido(c.camino(u"b.conf"_qs), QSettings::IniFormat);
        QCOMPARE(LeerGuardar(leido), *guardado == 't');
    }
    for (bool valor : {false, true}) {
        EscribirGuardar(ajustes, valor);
        QVERIFY(c.leer(u"a.conf"_qs).contains(valor ? "Guardar=True" : "Guardar=False"));
        QCOMPARE(LeerGuardar(ajustes), valor);
    }
}

// A run's log as "Resultado" shows it: one row per file, failures first with the reason in
// words, a file renamed in two steps as one row.
void PruebaLog::resultado()
{
    const QString tmp = u".brindlewick-7-1"_qs;
    const auto fallo = [](const char* nuevo, const QString& razon) { return CampoFallo(QString::fromUtf8(nuevo), razon); };
    const std::pair<QList<std::pair<QString, QString>>, QStringList> casos[] = {
        {{{u"a"_qs, u"b"_qs}, {u"c"_qs, fallo("d", Razon(EEXIST))}, {u"e"_qs, u"e"_qs}, {u"f"_qs, fallo("g/h", RazonNombreNoValido.toString())},
          {u"x"_qs, fallo("b", Razon(EEXIST))}},
         Lista({"c>d El nombre ya existe", "f>g/h Nombre de archivo no válido", "x>b Lo toma un cambio anterior", "a>b ", "e>e "})},
        {{{u"a"_qs, tmp}, {u"c"_qs, u"a"_qs}, {u"b"_qs, u"c"_qs}, {tmp, u"b"_qs}}, Lista({"a>b ", "c>a ", "b>c "})},
        {{{u"a"_qs, tmp}, {u"b"_qs, u"a2"_qs}, {tmp, fallo("b", Razon(EACCES))}, {tmp, u"a"_qs}, {u"x"_qs, fallo("y", u"Algo raro"_qs)}},
         Lista({"a>b Permiso denegado", "x>y Algo raro", "b>a2 "})},
    };
    for (const auto& [registros, esperado] : casos) {
        QByteArray log = CabeceraLog(qint16(registros.size()), u"/f/"_qs);
        for (const auto& [viejo, nuevo] : registros)
            log += LineaRegistro(viejo, nuevo);
        QStringList filas;
        for (const FilaResultado& f : LeerResultado(log))
            filas << f.actual + u'>' + f.nuevo + u' ' + f.razon;
        QCOMPARE(filas, esperado);
    }
}

QTEST_GUILESS_MAIN(PruebaLog)
#include "tst_log.moc"
