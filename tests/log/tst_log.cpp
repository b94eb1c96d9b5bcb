#include "Soporte.h"

#include "app/Estado.h"
#include "engine/Operaciones.h"
#include "log/Deshacer.h"
#include "log/Guardar.h"
#include "log/Registro.h"
#include "log/Renombrador.h"

#include <QBuffer>
#include <QSettings>
#include <QtTest>

#include <cerrno>
#include <cstring>

namespace {

// A log that takes `n` writes and refuses every one after them, like a disk that fills up.
class LogQueSeLlena : public QIODevice {
public:
    explicit LogQueSeLlena(int n) : quedan(n) { open(QIODevice::WriteOnly); }
    QByteArray escrito;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* datos, qint64 largo) override
    {
        if (quedan-- <= 0)
            return -1;
        escrito.append(datos, largo);
        return largo;
    }

private:
    int quedan;
};

// The folder and shared state of one run, with its log in memory.
struct Run {
    Run()
    {
        log.open(QIODevice::WriteOnly);
        e.RutaCarpeta = c.ruta();
        e.FicheroLog = &log;
    }
    void seleccionar(const QStringList& nombres)
    {
        c.crear(nombres);
        e.Archivos = nombres;
        e.NumArchivos = qint16(nombres.size());
    }
    // Undoes the run's own log as the menu would, reading it as written.
    void deshacer()
    {
        QBuffer leido;
        leido.setData(CabeceraLog(e.NumArchivos, e.RutaCarpeta) + log.data());
        leido.open(QIODevice::ReadOnly);
        e.FicheroLog = nullptr;
        QVERIFY(DeshacerLog(e, pantalla, leido, true));
    }
    CarpetaPrueba c;
    Estado e;
    QBuffer log;
    PantallaRegistro pantalla;
};

QByteArray Linea(const char* a, const char* b)
{
    return LineaRegistro(QString::fromUtf8(a), QString::fromUtf8(b));
}

QString Razon(int codigo)
{
    return QString::fromLocal8Bit(std::strerror(codigo));
}

}  // namespace

class PruebaLog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bytesEscritos_data();
    void bytesEscritos();
    void idaYVuelta_data();
    void idaYVuelta();
    void lineasQueNingunoEscribe_data();
    void lineasQueNingunoEscribe();
    void cabecera();
    void pasoDeRenombrado();
    void nombresQueNoSonDeLaCarpeta_data();
    void nombresQueNoSonDeLaCarpeta();
    void logQueNoAdmiteMas();
    void deshacerRestauraLaCarpeta_data();
    void deshacerRestauraLaCarpeta();
    void logHostilNoSaleDeLaCarpeta();
    void barraAlDeshacer();
    void logGuardado();
    void ajusteGuardar_data();
    void ajusteGuardar();
};

void PruebaLog::bytesEscritos_data()
{
    QTest::addColumn<QByteArray>("escrito");
    QTest::addColumn<QByteArray>("esperado");
    QTest::newRow("success") << Linea("a.txt", "b.txt") << QByteArray("\"a.txt\",\"b.txt\"\r\n");
    QTest::newRow("failure")
        << LineaRegistro(u"a.txt"_qs, CampoFallo(u"b.txt"_qs, u"File exists"_qs))
        << QByteArray("\"a.txt\",\"b.txt <#FAILED#>: File exists\"\r\n");
    QTest::newRow("header") << CabeceraLog(3, u"/fotos/"_qs) << QByteArray("3\r\n\"/fotos/\"\r\n");
    QTest::newRow("header, no selection") << CabeceraLog(0, {}) << QByteArray("0\r\n\"\"\r\n");
    QTest::newRow("quote doubled") << Linea("a\"b", "\"") << QByteArray("\"a\"\"b\",\"\"\"\"\r\n");
    QTest::newRow("utf-8") << Linea("año", "€") << QByteArray("\"a\xc3\xb1o\",\"\xe2\x82\xac\"\r\n");
}

void PruebaLog::bytesEscritos()
{
    QFETCH(QByteArray, escrito);
    QTEST(escrito, "esperado");
}

void PruebaLog::idaYVuelta_data()
{
    QTest::addColumn<QString>("viejo");
    QTest::addColumn<QString>("nuevo");
    QTest::newRow("comma") << "informe,final.doc" << "a,b,c";
    QTest::newRow("quotes") << "\"" << "a\"\",\"b";
    QTest::newRow("quote before a comma") << "a\",b" << "x\"";
    QTest::newRow("line ends") << "a\r\nb" << "c\nd\r";
    QTest::newRow("accents") << "canción ñ.mp3" << "CANCIÓN Ñ.MP3";
    QTest::newRow("outside 16 bits") << u"\U0001F600.jpg"_qs << u"\U00010428"_qs;
    QTest::newRow("blanks") << "  a " << " ";
    QTest::newRow("empty") << "" << "";
}

void PruebaLog::idaYVuelta()
{
    QFETCH(QString, viejo);
    QFETCH(QString, nuevo);
    const QByteArray bytes = LineaRegistro(viejo, nuevo) + Linea("x", "y");
    const LogLeido log = LeerLog(bytes, false);
    QCOMPARE(log.registros.size(), 2);
    QCOMPARE(log.registros[0].viejo, viejo);
    QCOMPARE(log.registros[0].nuevo, nuevo);
    QVERIFY(log.registros[0].deshacible);
    QVERIFY(log.registros[1].deshacible);
}

void PruebaLog::lineasQueNingunoEscribe_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // The records that may be undone, as "old>new".
    QTest::addColumn<QStringList>("deshacibles");
    const QByteArray bueno = "\"x\",\"y\"\r\n";
    QTest::newRow("unquoted fields") << "a.txt,b.txt\r\n" + bueno << Lista({"y>x"});
    QTest::newRow("missing second field") << "\"a\"\r\n" + bueno << Lista({"y>x"});
    QTest::newRow("three fields") << "\"a\",\"b\",\"c\"\r\n" + bueno << Lista({"y>x"});
    QTest::newRow("stray text after the second") << "\"a\",\"b\" x\r\n" + bueno
                                                 << Lista({"y>x"});
    QTest::newRow("last record without line end") << bueno + "\"a\",\"b\"" << Lista({"y>x", "b>a"});
    QTest::newRow("last line cut short") << bueno + "\"a\",\"b" << Lista({"y>x"});
    QTest::newRow("unterminated quote") << "\"a.txt\",\"b.txt\r\n\"c\",\"d\"\r\n" + bueno
                                        << Lista({"d>c", "y>x"});
    QTest::newRow("old failure with a quote")
        << "\"a.txt\",\"b\"c.txt <#FAILED#>: File exists\"\r\n" + bueno << Lista({"y>x"});
    QTest::newRow("old failure with a quote and a comma")
        << "\"a.txt\",\"b\",c.txt <#FAILED#>: File exists\"\r\n" + bueno << Lista({"y>x"});
    QTest::newRow("marker outside the second field")
        << "\"a <#FAILED#>\",\"b\"\r\n" + bueno << Lista({"y>x"});
    QTest::newRow("old lone quote is text") << QByteArray("\"a\"b\",\"c\"\r\n") << Lista({"c>a\"b"});
    QTest::newRow("blank before fields") << QByteArray("  \"a\", \"b\"\r\n") << Lista({"b>a"});
    QTest::newRow("line feeds only") << QByteArray("\"a\",\"b\"\n\"c\",\"d\"\n")
                                     << Lista({"b>a", "d>c"});
    QTest::newRow("empty line") << "\r\n" + bueno << Lista({"y>x"});
    QTest::newRow("binary junk") << QByteArray("\x00\xff\"\x01,\xfe\"\"\r\n", 10) + bueno
                                 << Lista({"y>x"});
    QTest::newRow("a line of megabytes") << QByteArray(2 << 20, 'a') + "\r\n" + bueno
                                         << Lista({"y>x"});
    QTest::newRow("a quoted field of megabytes")
        << "\"a\",\"" + QByteArray(2 << 20, 'a') + "\"\r\n" + bueno << Lista({"y>x"});
    QTest::newRow("windows-1252") << QByteArray("\"caf\xe9.txt\",\"\x80uro.txt\"\r\n")
                                  << Lista({"€uro.txt>café.txt"});
    QTest::newRow("nothing") << QByteArray() << QStringList();
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

void PruebaLog::cabecera()
{
    const LogLeido log = LeerLog("12\r\n\"/a\r\nb/\"\r\n" + Linea("x", "y"), true);
    QCOMPARE(log.numArchivos, 12);
    QCOMPARE(log.registros.size(), 1);
    QCOMPARE(LeerLog("junk\r\n\"/a/\"\r\n", true).numArchivos, 0);
    QCOMPARE(LeerLog("99999\r\n\"/a/\"\r\n", true).numArchivos, 0);
}

void PruebaLog::pasoDeRenombrado()
{
    Run run;
    run.c.crear(Lista({"a.txt", "b.txt", "c.txt"}));
    RenombradorLog paso(run.e, run.pantalla);
    QVERIFY(paso.RenombrarArchivo(u"a.txt"_qs, u"d.txt"_qs));
    QVERIFY(paso.RenombrarArchivo(u"b.txt"_qs, u"c.txt"_qs));  // taken
    QVERIFY(paso.RenombrarArchivo(u"c.txt"_qs, u"c.txt"_qs));  // unchanged
    QVERIFY(paso.RenombrarArchivo(u"x.txt"_qs, u"y.txt"_qs));  // missing

    QCOMPARE(run.c.contenido(), (QMap<QString, QByteArray>{
                                    {u"b.txt"_qs, "b.txt"}, {u"c.txt"_qs, "c.txt"}, {u"d.txt"_qs, "a.txt"}}));
    QCOMPARE(run.log.data(), Linea("a.txt", "d.txt")
                                 + LineaRegistro(u"b.txt"_qs, CampoFallo(u"c.txt"_qs, Razon(EEXIST)))
                                 + Linea("c.txt", "c.txt")
                                 + LineaRegistro(u"x.txt"_qs, CampoFallo(u"y.txt"_qs, Razon(ENOENT))));
    QCOMPARE(run.e.Fallos, 2);
    QCOMPARE(run.pantalla.mostrados, Lista({"a.txt", "b.txt", "c.txt", "x.txt"}));
    QCOMPARE(run.pantalla.cesiones, 4);
    run.e.Fallos = 32767;  // the count stops at its top, it never wraps
    paso.RenombrarArchivo(u"x.txt"_qs, u"y.txt"_qs);
    QCOMPARE(run.e.Fallos, 32767);
}

void PruebaLog::nombresQueNoSonDeLaCarpeta_data()
{
    QTest::addColumn<QString>("viejo");
    QTest::addColumn<QString>("nuevo");
    QTest::newRow("empty new") << "a" << "";
    QTest::newRow("empty old") << "" << "x";
    QTest::newRow("dot") << "a" << ".";
    QTest::newRow("dot dot") << "a" << "..";
    QTest::newRow("up a folder") << "a" << "../a";
    QTest::newRow("from up a folder") << "../fuera" << "a2";
    QTest::newRow("into a folder") << "a" << "sub/a";
    QTest::newRow("absolute") << "a" << "/tmp/a";
    QTest::newRow("NUL") << "a" << QStringLiteral("b") + QChar(0) + u'c';
    QTest::newRow("marker") << "a" << "b <#FAILED#>";
    QTest::newRow("marker in the old name") << "a <#FAILED#>" << "b";
}

void PruebaLog::nombresQueNoSonDeLaCarpeta()
{
    QFETCH(QString, viejo);
    QFETCH(QString, nuevo);
    CarpetaPrueba fuera;  // the folder above the selection
    fuera.crear(Lista({"fuera"}));
    QVERIFY(QDir().mkdir(fuera.camino(u"sel"_qs)));
    QVERIFY(QDir().mkdir(fuera.camino(u"sel/sub"_qs)));
    Estado e;
    e.RutaCarpeta = fuera.camino(u"sel/"_qs);
    QFile::copy(fuera.camino(u"fuera"_qs), e.RutaCarpeta + u'a');
    QBuffer log;
    log.open(QIODevice::WriteOnly);
    e.FicheroLog = &log;
    const auto antes = fuera.contenido();
    PantallaRegistro pantalla;

    RenombradorLog(e, pantalla).RenombrarArchivo(viejo, nuevo);
    QCOMPARE(fuera.contenido(), antes);
    QCOMPARE(QDir(e.RutaCarpeta).entryList(QDir::Files), Lista({"a"}));
    QCOMPARE(log.data(), LineaRegistro(viejo, CampoFallo(nuevo, RazonNombreNoValido.toString())));
    QCOMPARE(e.Fallos, 1);
}

void PruebaLog::logQueNoAdmiteMas()
{
    // The third record can't be written: that rename is taken back and nothing after it is
    // renamed, so the log holds every rename that stands.
    Run run;
    run.seleccionar(Lista({"1", "2", "3", "4", "5"}));
    LogQueSeLlena lleno(2);
    run.e.FicheroLog = &lleno;
    RenombradorLog paso(run.e, run.pantalla);
    QCOMPARE(CambiarExtension(run.e, paso, run.pantalla, u"x"_qs), FinOperacion::Detenida);
    QCOMPARE(run.c.nombres(), Lista({"1.x", "2.x", "3", "4", "5"}));
    QCOMPARE(lleno.escrito, Linea("1", "1.x") + Linea("2", "2.x"));

    // The same with the system's own full disk.
    Run disco;
    disco.seleccionar(Lista({"1", "2"}));
    QFile lleno2(u"/dev/full"_qs);
    QVERIFY(lleno2.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    disco.e.FicheroLog = &lleno2;
    RenombradorLog paso2(disco.e, disco.pantalla);
    QCOMPARE(CambiarExtension(disco.e, paso2, disco.pantalla, u"x"_qs), FinOperacion::Detenida);
    QCOMPARE(disco.c.nombres(), Lista({"1", "2"}));
}

void PruebaLog::deshacerRestauraLaCarpeta_data()
{
    QTest::addColumn<QStringList>("archivos");
    QTest::addColumn<QStringList>("pares");  // the renames of the run, "old>new"
    QTest::newRow("plain") << Lista({"a.txt", "c.txt"}) << Lista({"a.txt>b.txt", "c.txt>d.txt"});
    QTest::newRow("a failure in the middle") << Lista({"a", "b", "c", "n2"})
                                             << Lista({"a>n1", "b>n2", "c>n3"});
    // Undone first to last, x.txt would still be taken when y.txt goes back to it.
    QTest::newRow("a name freed and taken again") << Lista({"x.txt", "z.txt"})
                                                  << Lista({"x.txt>y.txt", "z.txt>x.txt"});
    QTest::newRow("shift, all but the last fail") << Lista({"f1", "f2", "f3"})
                                                  << Lista({"f1>f2", "f2>f3", "f3>f4"});
    QTest::newRow("swap through a third name")
        << Lista({"a", "b"}) << Lista({"a>t", "b>a", "t>b"});
}

void PruebaLog::deshacerRestauraLaCarpeta()
{
    QFETCH(QStringList, archivos);
    QFETCH(QStringList, pares);
    Run run;
    run.seleccionar(archivos);
    const auto antes = run.c.contenido();
    RenombradorLog paso(run.e, run.pantalla);
    for (const QString& par : pares)
        QVERIFY(paso.RenombrarArchivo(par.section(u'>', 0, 0), par.section(u'>', 1)));
    QVERIFY(run.c.contenido() != antes);
    run.deshacer();
    QCOMPARE(run.c.contenido(), antes);
}

void PruebaLog::logHostilNoSaleDeLaCarpeta()
{
    CarpetaPrueba fuera;
    fuera.crear(Lista({"secreto", "b"}));
    QVERIFY(QDir().mkdir(fuera.camino(u"sel"_qs)));
    Estado e;
    e.RutaCarpeta = fuera.camino(u"sel/"_qs);
    for (const char* n : {"bueno-nuevo", "otro-nuevo"})
        QFile(e.RutaCarpeta + QString::fromUtf8(n)).open(QIODevice::WriteOnly);
    const QByteArray hostil = Linea("bueno", "bueno-nuevo") + Linea("../robado", "../secreto")
        + Linea("x", "/etc/hostname") + Linea("", "b") + Linea(".", "..") + Linea("..", ".")
        + QByteArray("\"a\0b\",\"c\"\r\n", 11) + "\"sin cerrar\r\n" + Linea("otro", "otro-nuevo")
        + "\"a\",\"b\",\"c\"\r\n" + QByteArray(1 << 20, '\x01') + "\r\n";
    const auto antes = fuera.contenido();
    QBuffer log(const_cast<QByteArray*>(&hostil));
    log.open(QIODevice::ReadOnly);
    PantallaRegistro pantalla;
    QVERIFY(DeshacerLog(e, pantalla, log, false));
    QCOMPARE(QDir(e.RutaCarpeta).entryList(QDir::Files, QDir::Name), Lista({"bueno", "otro"}));
    auto despues = fuera.contenido();
    QCOMPARE(despues.take(u"secreto"_qs), antes.value(u"secreto"_qs));
    QCOMPARE(despues.take(u"b"_qs), antes.value(u"b"_qs));
    QVERIFY(!QFile::exists(fuera.camino(u"robado"_qs)));
}

void PruebaLog::barraAlDeshacer()
{
    // 4 records, one a failure, over a 3000-twip bar; 3 files in the header.
    const QByteArray log = CabeceraLog(3, {}) + Linea("a", "b")
        + LineaRegistro(u"c"_qs, CampoFallo(u"d"_qs, u"x"_qs)) + Linea("e", "f") + Linea("g", "h");
    for (qint16 cabecera : {qint16(3), qint16(0)}) {
        Estado e;
        PantallaRegistro pantalla;
        QByteArray bytes = log;
        bytes[0] = char('0' + cabecera);
        QBuffer f(&bytes);
        f.open(QIODevice::ReadOnly);
        DeshacerLog(e, pantalla, f, true);
        QCOMPARE(e.NumArchivos, cabecera);
        // 1000, 2000, 3000, 4000: whole twips; nothing at all without a count.
        const QList<float> anchos{1000, 2000, 3000, 4000};
        QCOMPARE(pantalla.anchos, cabecera ? anchos : QList<float>());
        // Last record first; the failure is not undone.
        QCOMPARE(pantalla.mostrados, Lista({"h", "f", "b"}));
    }
    Estado e;
    PantallaRegistro pantalla;
    pantalla.marco = 25 + 5;  // 5 / 2 = 2.5 and 7.5: halves go to the even neighbour
    QByteArray bytes = CabeceraLog(2, {}) + Linea("a", "b") + Linea("c", "d");
    QBuffer f(&bytes);
    f.open(QIODevice::ReadOnly);
    DeshacerLog(e, pantalla, f, true);
    QCOMPARE(pantalla.anchos, (QList<float>{2, 5}));
}

void PruebaLog::logGuardado()
{
    CarpetaPrueba c;
    const QByteArray exito1 = Linea("a", "b"), exito2 = Linea("e", "f");
    c.escribir(u"temp.txt"_qs, CabeceraLog(3, c.ruta()) + exito1
                                   + LineaRegistro(u"c"_qs, CampoFallo(u"d"_qs, u"x"_qs)) + exito2);
    c.escribir(u"fallos.txt"_qs,
               CabeceraLog(1, c.ruta()) + LineaRegistro(u"c"_qs, CampoFallo(u"d"_qs, u"x"_qs)));

    QVERIFY(CopiarLogGuardado(c.camino(u"temp.txt"_qs), c.camino(u"informe.bwk"_qs)).ok);
    QCOMPARE(c.leer(u"informe.bwk"_qs), exito1 + exito2);

    QVERIFY(CopiarLogGuardado(c.camino(u"fallos.txt"_qs), c.camino(u"vacio.bwk"_qs)).ok);
    QVERIFY(QFile::exists(c.camino(u"vacio.bwk"_qs)));
    QCOMPARE(c.leer(u"vacio.bwk"_qs), QByteArray());

    // An unreadable temporary log writes nothing, and an older saved log stays whole.
    const ResultadoSistema sinTemporal =
        CopiarLogGuardado(c.camino(u"falta.txt"_qs), c.camino(u"informe.bwk"_qs));
    QVERIFY(!sinTemporal.ok);
    QVERIFY(!sinTemporal.razon.isEmpty());
    QCOMPARE(c.leer(u"informe.bwk"_qs), exito1 + exito2);
    QVERIFY(!CopiarLogGuardado(c.camino(u"temp.txt"_qs), c.camino(u"no/existe.bwk"_qs)).ok);
}

void PruebaLog::ajusteGuardar_data()
{
    QTest::addColumn<QString>("guardado");  // null: no key at all
    QTest::addColumn<bool>("leido");
    QTest::newRow("absent") << QString() << true;
    QTest::newRow("True") << "True" << true;
    QTest::newRow("False") << "False" << false;
    QTest::newRow("false") << "false" << false;
    QTest::newRow("FALSE") << "FALSE" << false;
    QTest::newRow("-1") << "-1" << true;
    QTest::newRow("1") << "1" << true;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("garbage") << "tal vez" << true;
    QTest::newRow("empty") << "" << true;
}

void PruebaLog::ajusteGuardar()
{
    QFETCH(QString, guardado);
    CarpetaPrueba c;
    if (!guardado.isNull())
        c.escribir(u"a.conf"_qs, "[Settings]\nGuardar=" + guardado.toUtf8() + '\n');
    QSettings ajustes(c.camino(u"a.conf"_qs), QSettings::IniFormat);
    QTEST(LeerGuardar(ajustes), "leido");

    // Whatever was there, writing and reading back agree, as the text True or False.
    for (bool valor : {false, true, false}) {
        EscribirGuardar(ajustes, valor);
        QSettings otra(c.camino(u"a.conf"_qs), QSettings::IniFormat);
        QCOMPARE(LeerGuardar(otra), valor);
        QVERIFY(c.leer(u"a.conf"_qs).contains(valor ? "Guardar=True" : "Guardar=False"));
    }
}

QTEST_GUILESS_MAIN(PruebaLog)
#include "tst_log.moc"
