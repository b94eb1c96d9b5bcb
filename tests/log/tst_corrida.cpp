#include "Soporte.h"

#include "app/Prevision.h"
#include "app/Proceso.h"
#include "engine/Estado.h"
#include "log/Deshacer.h"
#include "log/Historial.h"
#include "log/Registro.h"
#include "log/Renombrador.h"

#include <sys/stat.h>

namespace {

const char* const SinCambios = "Sin cambios";
const char* const Correcto = "Correcto";
const char* const Existe = "El nombre ya existe";
const char* const Anterior = "Lo toma un cambio anterior";
const char* const Despues = "Lo tiene un archivo que se renombra después";
const char* const NoValido = "Nombre de archivo no válido";
const char* const NoExiste = "El archivo no existe";
const char* const Fallo = "Omitido (fallo registrado)";
const char* const Linea = "Omitido (línea no válida)";

QByteArray Reg(const char* viejo, const char* nuevo)
{
    return LineaRegistro(QString::fromUtf8(viejo), QString::fromUtf8(nuevo));
}

// The reason the run's record gives for a foretold failure.
QString RazonPrevista(ResultadoPrevisto r)
{
    if (r == ResultadoPrevisto::NoExiste)
        return Razon(ENOENT);
    return r == ResultadoPrevisto::NombreNoValido ? RazonNombreNoValido.toString() : Razon(EEXIST);
}

// A selection over a folder of real files, with the temporary log kept elsewhere.
struct Banco {
    // In `disco`, "name" is a file holding its own name, "name/" a folder, "name@" a link to
    // nowhere. An empty selection stands for every file of `disco`, in its order.
    Banco(const QStringList& disco, const QStringList& seleccion)
    {
        for (const QString& n : disco) {
            if (n.endsWith(u'/'))
                QVERIFY(QDir().mkdir(c.camino(n.chopped(1))));
            else if (n.endsWith(u'@'))
                QVERIFY(QFile::link(c.camino(u"ninguna-parte"_qs), c.camino(n.chopped(1))));
            else
                c.crear({n});
        }
        e.RutaCarpeta = c.ruta();
        e.Archivos = seleccion.isEmpty() ? disco : seleccion;
        e.NumArchivos = qint16(e.Archivos.size());
        e.RutaLog = datos.camino(u"temp.txt"_qs);
    }
    CarpetaPrueba c, datos;
    Estado e;
    PantallaRegistro pantalla;
};

// Foretells the run, checks that nothing moved, then runs it for real and holds its message,
// the records it wrote and its failure count against what was foretold. A run of the panel is
// then undone from the menu; `despues` receives the folder as the run left it.
void PreverYRenombrar(Banco& b, const Panel& panel, const QString& cargado, const QStringList& esperado,
                      QMap<QString, QByteArray>* despues = nullptr)
{
    const QString carpetaLog = cargado.isEmpty() ? QString() : QFileInfo(cargado).path() + u'/';
    // The temporary log too is left as it is, for "Deshacer".
    const auto disco = [&b] { return QList{Contenido(b.e.RutaCarpeta), b.datos.contenido()}; };
    const auto antes = disco();
    const Prevision p = Prever(b.e, panel, cargado, carpetaLog);
    QCOMPARE(disco(), antes);

    QStringList resultados, previstos;
    for (const FilaPrevista& f : p.filas) {
        resultados << TextoResultado(f.resultado);
        if (EsFallo(f.resultado))
            previstos << f.actual + u'>' + CampoFallo(f.nuevo, RazonPrevista(f.resultado));
        else if (f.resultado == ResultadoPrevisto::Correcto)
            previstos << f.actual + u'>' + f.nuevo;
    }
    QCOMPARE(resultados, esperado);

    // A refusal shows the run's own message, and no row; the run then touches nothing, not
    // even the previous run's log.
    QCOMPARE(p.mensaje, Procesar(b.e, b.pantalla, panel, cargado, carpetaLog).mensaje);
    if (!p.mensaje.isEmpty()) {
        QCOMPARE(disco(), antes);
        return;
    }
    // An unchanged name handed to the step leaves a record that moves nothing; a file set
    // apart under a name of the run's own leaves two, one row, and no such name behind. Where
    // the file system refuses a long name, the row foretold it as not valid.
    QStringList hechos;
    QHash<QString, QString> apartados;
    for (const Registro& h : LeerLog(b.datos.leer(u"temp.txt"_qs), true).registros) {
        const auto desde = apartados.constFind(h.viejo);
        if (h.viejo == h.nuevo || h.nuevo.startsWith(u".brindlewick-")
            || (desde != apartados.cend() && *desde == h.nuevo)) {
            apartados.insert(h.nuevo, h.viejo);
            continue;
        }
        const QString nuevo = QString(h.nuevo).replace(Razon(ENAMETOOLONG), RazonNombreNoValido.toString());
        hechos << apartados.value(h.viejo, h.viejo) + u'>' + nuevo;
    }
    QCOMPARE(hechos, previstos);
    QCOMPARE((QList<int>{p.cambios + p.fallos, p.fallos}), (QList<int>{int(hechos.size()), b.e.Fallos}));
    const auto hecho = Contenido(b.e.RutaCarpeta);
    QVERIFY(QStringList(hecho.keys()).filter(u".brindlewick-"_qs).isEmpty());
    if (despues)
        *despues = hecho;
    // Undone, every name and content is back.
    if (cargado.isEmpty() && DeshacerPropio(b.e, b.pantalla))
        QCOMPARE(Contenido(b.e.RutaCarpeta), antes[0]);
}

}  // namespace

class PruebaCorrida : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void comoLaCorrida_data();
    void comoLaCorrida();
    void mayusculasEnUnaTarjeta();
    void nombresQueNoSonTexto();
    void logCargado();
    void dosVentanas();
    void deshacerDelHistorial();
    void historialDanadoYPodado();
};

void PruebaCorrida::comoLaCorrida_data()
{
    QTest::addColumn<QStringList>("disco");
    QTest::addColumn<QStringList>("seleccion");
    QTest::addColumn<Panel>("panel");
    QTest::addColumn<QStringList>("esperado");

    QTest::newRow("extension: two files to one name, a folder, an unselected file")
        << Lista({"a.jpg", "a.png", "b.txt", "d.doc", "d.txt", "e.doc", "e.txt/"})
        << Lista({"a.jpg", "a.png", "b.txt", "d.doc", "e.doc"}) << Op(0, "txt")
        << Lista({Correcto, Anterior, SinCambios, Existe, Existe});
    QTest::newRow("replace: names without the text are left alone, a file gone")
        << Lista({"foto_a", "nota", "foto_b", "img_b"})
        << Lista({"foto_a", "nota", "foto_b", "foto_c"}) << Op(1, "foto", "img")
        << Lista({Correcto, SinCambios, Existe, NoExiste});
    QTest::newRow("generate: a shift chain up") << Lista({"foto1", "foto2", "foto3", "foto4"}) << QStringList()
                                                << Op(3, "foto*", "2") << Lista({Correcto, Correcto, Correcto, Correcto});
    QTest::newRow("generate: a shift chain down") << Lista({"f2", "f3", "f4"}) << QStringList() << Op(3, "f*", "1")
                                                  << Lista({Correcto, Correcto, Correcto});
    QTest::newRow("generate: a swap") << Lista({"n1", "n2"}) << Lista({"n2", "n1"}) << Op(3, "n*", "1")
                                      << Lista({Correcto, Correcto});
    QTest::newRow("generate: a rotation of three") << Lista({"r1", "r2", "r3"}) << Lista({"r2", "r3", "r1"})
                                                   << Op(3, "r*", "1") << Lista({Correcto, Correcto, Correcto});
    QTest::newRow("generate: a chain onto a file that stays: all of it fails")
        << Lista({"f1", "f2", "f3"}) << Lista({"f1", "f2"}) << Op(3, "f*", "2") << Lista({Existe, Existe});
    QTest::newRow("generate: a chain with a link gone in the middle")
        << Lista({"f1", "f3"}) << Lista({"f1", "f2", "f3"}) << Op(3, "f*", "2") << Lista({Correcto, NoExiste, Correcto});
    QTest::newRow("generate: separator after the star")
        << Lista({"a", "b"}) << QStringList() << Op(3, "x*/y", "1") << Lista({NoValido, NoValido});
    // a.txt comes later but keeps its name: the run never moves it.
    QTest::newRow("lower case: taken by an earlier change, held by a file that stays")
        << Lista({"PLAYA.JPG", "Playa.jpg", "A.TXT", "a.txt"}) << QStringList() << Op(4)
        << Lista({Correcto, Anterior, Existe, SinCambios});
    QTest::newRow("upper case: a dangling link holds the name")
        << Lista({"foto.jpg", "FOTO.JPG@", "nota.TXT"}) << Lista({"foto.jpg", "nota.TXT"})
        << Op(5) << Lista({Existe, Correcto});
    QTest::newRow("add at the end: a name too long for the file system")
        << QStringList{QString(250, u'a'), u"b"_qs} << QStringList() << Op(2, "_123456789")
        << Lista({NoValido, Correcto});
    // The limit counts the selection, which the preview must read as the run does.
    QTest::newRow("refused start number") << Lista({"a", "b"}) << QStringList()
                                          << Op(3, "n*", "32766") << QStringList();
}

void PruebaCorrida::comoLaCorrida()
{
    QFETCH(QStringList, disco);
    QFETCH(QStringList, seleccion);
    QFETCH(Panel, panel);
    QFETCH(QStringList, esperado);
    Banco b(disco, seleccion);
    PreverYRenombrar(b, panel, {}, esperado);
}

void PruebaCorrida::mayusculasEnUnaTarjeta()
{
    // A camera's card ignores case: each file takes its new spelling in place, as foretold,
    // with one record, and undo gives the old spelling back.
    VolumenExfat tarjeta;
    if (tarjeta.ruta().isEmpty())
        QSKIP(qPrintable(tarjeta.fallo));
    CarpetaPrueba t(tarjeta.ruta());
    t.crear(Lista({"IMG_0001.JPG", "NOTA2.txt", "Playa.JPG", "nota.txt"}));
    Banco b({}, {});
    b.e.RutaCarpeta = t.ruta();
    // Where case doesn't count, another spelling of a name is that name.
    b.e.Archivos = Lista({"nota.txt"});
    b.e.NumArchivos = 1;
    PreverYRenombrar(b, Op(1, "nota", "Nota2"), {}, Lista({Existe}));
    b.e.NumArchivos = qint16((b.e.Archivos = Lista({"IMG_0001.JPG", "NOTA2.txt", "Playa.JPG"})).size());
    QMap<QString, QByteArray> despues;
    PreverYRenombrar(b, Op(4), {}, Lista({Correcto, Correcto, Correcto}), &despues);
    QCOMPARE(despues.keys(), Lista({"img_0001.jpg", "nota.txt", "nota2.txt", "playa.jpg"}));
}

// Names copied from old archives in Latin-1, in a folder whose own name is Latin-1 too: the
// rules change their text, the bytes that are not text stay where they stand, the preview
// foretells it, the log's header names the folder, and undo puts every byte back.
void PruebaCorrida::nombresQueNoSonTexto()
{
    Banco b({}, {});
    const QString carpeta = NombreDesdeBytes("fotos\xe9/");
    QCOMPARE(::mkdir(BytesDeNombre(b.c.camino(carpeta)).constData(), 0755), 0);
    for (const char* n : {"caf\xe9.jpg", "ni\xf1o.jpg", "ok.jpg"})
        b.c.escribir(carpeta + NombreDesdeBytes(n), n);
    b.e.RutaCarpeta = b.c.camino(carpeta);
    b.e.NumArchivos = qint16((b.e.Archivos = Lista({"ok.jpg"}) + QStringList{NombreDesdeBytes("caf\xe9.jpg"), NombreDesdeBytes("ni\xf1o.jpg")}).size());
    QMap<QString, QByteArray> despues;
    PreverYRenombrar(b, Op(5), {}, Lista({Correcto, Correcto, Correcto}), &despues);
    QStringList bytes;
    for (const QString& n : despues.keys())
        bytes << QString::fromLatin1(BytesDeNombre(n));
    bytes.sort();
    QCOMPARE(bytes, QStringList({u"CAF\u00e9.JPG"_qs, u"NI\u00f1O.JPG"_qs, u"OK.JPG"_qs}));
    QVERIFY(b.datos.leer(u"temp.txt"_qs).contains(BytesDeNombre(u"%\""_qs + b.c.ruta()) + "fotos%E9/\"\r\n"));
}

void PruebaCorrida::logCargado()
{
    // A saved log, undone last record first in its own folder, not in the selected one. It
    // is undone as written, unplanned: "k" cannot take "h" before "h" has gone back to "j".
    const QByteArray log = Reg("j", "h") + Reg("h", "k") + Reg("x.txt", "y.txt") + Reg("z.txt", "x.txt")
        + LineaRegistro(u"c"_qs, CampoFallo(u"d"_qs, u"File exists"_qs)) + Reg("m", "n")
        + Reg("p", "q") + "\"sin cerrar\r\n" + "\"e\",\"f\",g <#FAILED#>: File exists\"\r\n"
        + Reg("s", "t") + Reg("u", "s") + Reg("t", "u");
    Banco b(Lista({"y.txt", "x.txt", "c", "p", "q", "u", "s", "h", "k"}), Lista({"y.txt"}));
    b.c.escribir(u"lote.bwk"_qs, log);
    CarpetaPrueba otra;  // the current selection's folder holds the same names
    otra.crear(Lista({"y.txt", "x.txt", "u", "s"}));
    b.e.RutaCarpeta = otra.ruta();
    b.e.LogCargado = true;
    PreverYRenombrar(b, Op(0, "t?t"), b.c.camino(u"lote.bwk"_qs),
                     Lista({Correcto, Correcto, Correcto, Fallo, Linea, Existe, NoExiste, Fallo,
                            Correcto, Correcto, Despues, Correcto}));
    QCOMPARE(otra.nombres(), Lista({"s", "u", "x.txt", "y.txt"}));
    // A log gone since it was chosen: no row, and the run refuses as foretold.
    b.e.LogCargado = true;
    PreverYRenombrar(b, Op(0), b.datos.camino(u"gone.bwk"_qs), {});
}

// Two windows of one user: a run that starts while the other is under way writes its own log,
// so their records never mix; "temp.txt" is the latest run's log; each window's "Deshacer"
// undoes its own last run, whatever the other did since, and marks it undone in the history.
void PruebaCorrida::dosVentanas()
{
    Banco a(Lista({"a1.jpg", "a2.jpg"}), {}), b(Lista({"b1.jpg", "b2.jpg"}), {});
    b.e.RutaLog = a.e.RutaLog;
    struct Intercalada : PantallaRegistro {
        std::function<void()> otra;
        void CederEventos() override
        {
            if (auto f = std::exchange(otra, {}))
                f();
        }
    } pantalla;
    pantalla.otra = [&] { QVERIFY(Procesar(b.e, b.pantalla, Op(0, "txt"), {}, {}).completa); };
    QVERIFY(Procesar(a.e, pantalla, Op(0, "png"), {}, {}).completa);
    QCOMPARE(a.c.nombres() + b.c.nombres(), Lista({"a1.png", "a2.png", "b1.txt", "b2.txt"}));
    const auto leer = [](const QString& ruta) {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    QCOMPARE(leer(a.e.LogPropio), CabeceraLog(2, a.c.ruta()) + Reg("a1.jpg", "a1.png") + Reg("a2.jpg", "a2.png"));
    QCOMPARE(a.datos.leer(u"temp.txt"_qs), leer(b.e.LogPropio));
    QVERIFY(DeshacerPropio(a.e, a.pantalla));
    QCOMPARE(a.c.nombres() + b.c.nombres(), Lista({"a1.jpg", "a2.jpg", "b1.txt", "b2.txt"}));
    QStringList historial;
    for (const EntradaHistorial& e : LeerHistorial(CarpetaHistorial(a.e.RutaLog)))
        historial << e.operacion + u' ' + TextoEstado(e.estado);
    QCOMPARE(historial, Lista({"Cambiar extensiones a: txt ", "Cambiar extensiones a: png Deshecho"}));
}

// An entry is undone in the folder where its renames happened, whatever the selection now, as
// foretold, passing over its failure; the undo is a run of its own, and undoing that renames
// again as the first run did.
void PruebaCorrida::deshacerDelHistorial()
{
    Banco b(Lista({"a", "b", "a.t"}), Lista({"a", "b"}));
    QVERIFY(Procesar(b.e, b.pantalla, Op(0, "t"), {}, {}).completa);  // a fails, b becomes b.t
    b.e.RutaCarpeta = b.datos.ruta();
    const EntradaHistorial corrida = LeerHistorial(CarpetaHistorial(b.e.RutaLog)).value(0);
    QCOMPARE(corrida.carpeta + QStringLiteral(" %1 %2").arg(corrida.renombrados).arg(corrida.fallos), b.c.ruta() + u" 1 1"_qs);
    QStringList previsto;
    for (const FilaPrevista& f : PreverEntrada(corrida).filas)
        previsto << TextoResultado(f.resultado);
    QCOMPARE(previsto, Lista({Correcto, Fallo}));
    QVERIFY(DeshacerEntrada(b.e, b.pantalla, corrida).completa);
    QCOMPARE(b.c.nombres(), Lista({"a", "a.t", "b"}));
    const QList<EntradaHistorial> entradas = LeerHistorial(CarpetaHistorial(b.e.RutaLog));
    QCOMPARE(entradas.size(), 2);
    QCOMPARE(entradas[0].operacion + u' ' + TextoEstado(entradas[1].estado), u"Deshacer Deshecho"_qs);
    QVERIFY(DeshacerEntrada(b.e, b.pantalla, entradas[0]).completa);
    QCOMPARE(b.c.nombres(), Lista({"a", "a.t", "b.t"}));
}

// The newest 1000 entries are kept, the oldest removed first; a damaged or foreign file is
// passed over and left alone.
void PruebaCorrida::historialDanadoYPodado()
{
    CarpetaPrueba datos;
    const QString temporal = datos.camino(u"temp.txt"_qs), carpeta = CarpetaHistorial(temporal);
    for (int i = 0; i < 1002; ++i) {
        EntradaHistorial d;
        d.fecha = QDateTime(QDate(2026, 1, 1), QTime(), Qt::UTC).addSecs(i);
        d.carpeta = u"/f/"_qs;
        d.operacion = QString::number(i);
        LogDeCorrida log;
        QVERIFY(log.Abrir(temporal, CabeceraLog(0, {}), d).ok);
        log.Terminar(EstadoEntrada::Completa, 0, 0);
    }
    QFile::copy(carpeta + u"/"_qs + QDir(carpeta).entryList({u"*.ficha"_qs}).last(), carpeta + u"/sin-log.ficha"_qs);
    datos.escribir(u"historial/basura.ficha"_qs, QByteArray("\x00\xff\"\"\",\r\n", 8));
    datos.escribir(u"historial/ajeno.doc"_qs, "x");
    PodarHistorial(carpeta);
    const QList<EntradaHistorial> quedan = LeerHistorial(carpeta);
    QCOMPARE(quedan.size(), 1000);
    QCOMPARE(quedan.first().operacion + u' ' + quedan.last().operacion, u"1001 2"_qs);
    QVERIFY(QFile::exists(carpeta + u"/ajeno.doc"_qs) && QFile::exists(carpeta + u"/basura.ficha"_qs));
}

QTEST_GUILESS_MAIN(PruebaCorrida)
#include "tst_corrida.moc"
