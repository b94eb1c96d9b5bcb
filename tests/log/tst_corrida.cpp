#include "Soporte.h"

#include "app/Prevision.h"
#include "app/Proceso.h"
#include "engine/Estado.h"
#include "log/Deshacer.h"
#include "log/Historial.h"
#include "log/Renombrador.h"

#include <sys/stat.h>

// A row that differs reads as the preview shows it.
char* toString(ResultadoPrevisto r)
{
    return qstrdup(qPrintable(TextoResultado(r)));
}

namespace {

using enum ResultadoPrevisto;
using Previstos = QList<ResultadoPrevisto>;

// The reason the run's record gives for a foretold failure.
QString RazonPrevista(ResultadoPrevisto r)
{
    return r == NoExiste ? Razon(ENOENT) : r == NombreNoValido ? RazonNombreNoValido.toString() : r == SoloLectura ? Razon(EROFS) : Razon(EEXIST);
}

// A selection over a folder of real files, with the temporary log kept elsewhere.
struct Banco {
    // In `disco`, "name" is a file holding its own name, "name/" a folder, "name@" a link to
    // nowhere. An empty selection stands for every file of `disco`, in its order. The data
    // folder in the folder `datosEn` (with its trailing separator) where given.
    Banco(const QStringList& disco, const QStringList& seleccion, const QString& datosEn = QDir::tempPath() + u'/')
        : datos(datosEn)
    {
        for (const QString& n : disco) {
            if (n.endsWith(u'/'))
                QVERIFY(QDir().mkdir(c.camino(n.chopped(1))));
            else if (n.endsWith(u'@'))
                QVERIFY(QFile::link(c.camino(u"ninguna-parte"_qs), c.camino(n.chopped(1))));
            else
                c.crear({n});
        }
        seleccionar(c.ruta(), seleccion.isEmpty() ? disco : seleccion);
        e.RutaLog = datos.camino(u"temp.txt"_qs);
    }
    void seleccionar(const QString& carpeta, const QStringList& archivos)
    {
        e.RutaCarpeta = carpeta;
        e.NumArchivos = qint16((e.Archivos = archivos).size());
    }
    CarpetaPrueba c, datos;
    Estado e;
    PantallaRegistro pantalla;
};

// Foretells the run, checks that nothing moved, then runs it for real and holds its message,
// the records it wrote and its failure count against what was foretold. A run of the panel is
// then undone from the menu; `despues` receives the folder as the run left it.
void PreverYRenombrar(Banco& b, const Panel& panel, const QString& cargado, const Previstos& esperado,
                      QMap<QString, QByteArray>* despues = nullptr)
{
    b.e.RutaLogCargado = cargado;
    // The temporary log too is left as it is, for "Deshacer".
    const auto disco = [&b] { return QList{Contenido(b.e.RutaCarpeta), b.datos.contenido()}; };
    const auto antes = disco();
    const Prevision p = Prever(b.e, panel);
    QCOMPARE(disco(), antes);

    Previstos resultados;
    QStringList previstos;
    for (const FilaPrevista& f : p.filas) {
        resultados << f.resultado;
        if (EsFallo(f.resultado))
            previstos << f.actual + u'>' + CampoFallo(f.nuevo, RazonPrevista(f.resultado));
        else if (f.resultado == Correcto)
            previstos << f.actual + u'>' + f.nuevo;
    }
    QCOMPARE(resultados, esperado);

    // A refusal shows the run's own message, and no row; the run then touches nothing, not
    // even the previous run's log.
    QCOMPARE(p.mensaje, Procesar(b.e, b.pantalla, panel).mensaje);
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
    if (cargado.isEmpty() && DeshacerPropio(b.e, b.pantalla).aceptado)
        QCOMPARE(Contenido(b.e.RutaCarpeta), antes[0]);
}

// A screen that lets `otra` run once, from inside the run, as a click between two files would.
struct Intercalada : PantallaRegistro {
    std::function<void()> otra;
    int parar = -1;  // the user asks to stop once this many files were shown
    void CederEventos() override
    {
        if (auto f = std::exchange(otra, {}))
            f();
    }
    bool Detenido() const override { return parar >= 0 && mostrados.size() >= parar; }
};

}  // namespace

class PruebaCorrida : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void comoLaCorrida_data();
    void comoLaCorrida();
    void tarjeta();
    void soloLectura();
    void nombresQueNoSonTexto();
    void logCargado();
    void dosVentanasYHistorial();
    void deshacerLoQueQueda();
    void historialDanadoYPodado();
};

void PruebaCorrida::comoLaCorrida_data()
{
    QTest::addColumn<QStringList>("disco");
    QTest::addColumn<QStringList>("seleccion");
    QTest::addColumn<Panel>("panel");
    QTest::addColumn<Previstos>("esperado");

    QTest::newRow("extension: two files to one name, a folder, an unselected file")
        << Lista({"a.jpg", "a.png", "b.txt", "d.doc", "d.txt", "e.doc", "e.txt/"})
        << Lista({"a.jpg", "a.png", "b.txt", "d.doc", "e.doc"}) << Op(Opcion::Extension, "txt")
        << Previstos{Correcto, CambioAnterior, SinCambios, NombreExiste, NombreExiste};
    QTest::newRow("replace: names without the text are left alone, a file gone")
        << Lista({"foto_a", "nota", "foto_b", "img_b"}) << Lista({"foto_a", "nota", "foto_b", "foto_c"})
        << Op(Opcion::Cambiar, "foto", "img") << Previstos{Correcto, SinCambios, NombreExiste, NoExiste};
    QTest::newRow("generate: a shift chain up") << Lista({"foto1", "foto2", "foto3", "foto4"}) << QStringList()
                                                << Op(Opcion::Generar, "foto*", "2") << Previstos{Correcto, Correcto, Correcto, Correcto};
    QTest::newRow("generate: a rotation of three") << Lista({"r1", "r2", "r3"}) << Lista({"r2", "r3", "r1"})
                                                   << Op(Opcion::Generar, "r*", "1") << Previstos{Correcto, Correcto, Correcto};
    // The program's own names are never taken for a user's file.
    QTest::newRow("generate: a swap beside a file named like the program's own")
        << Lista({"r1", "r2", ".brindlewick-1"}) << Lista({"r2", "r1", ".brindlewick-1"}) << Op(Opcion::Generar, "r*", "1")
        << Previstos{Correcto, Correcto, Correcto};
    QTest::newRow("generate: a chain onto a file that stays: all of it fails")
        << Lista({"f1", "f2", "f3"}) << Lista({"f1", "f2"}) << Op(Opcion::Generar, "f*", "2") << Previstos{NombreExiste, NombreExiste};
    QTest::newRow("generate: a chain with a link gone in the middle")
        << Lista({"f1", "f3"}) << Lista({"f1", "f2", "f3"}) << Op(Opcion::Generar, "f*", "2") << Previstos{Correcto, NoExiste, Correcto};
    // a.txt comes later but keeps its name: the run never moves it.
    QTest::newRow("lower case: taken by an earlier change, held by a file that stays")
        << Lista({"PLAYA.JPG", "Playa.jpg", "A.TXT", "a.txt"}) << QStringList() << Op(Opcion::Minusculas)
        << Previstos{Correcto, CambioAnterior, NombreExiste, SinCambios};
    QTest::newRow("add at the end: a name too long for the file system")
        << QStringList{QString(250, u'a'), u"b"_qs} << QStringList() << Op(Opcion::Anadir, "_123456789")
        << Previstos{NombreNoValido, Correcto};
    // The limit counts the selection, which the preview must read as the run does.
    QTest::newRow("refused start number") << Lista({"a", "b"}) << QStringList() << Op(Opcion::Generar, "n*", "32766") << Previstos();
}

void PruebaCorrida::comoLaCorrida()
{
    QFETCH(QStringList, disco);
    QFETCH(QStringList, seleccion);
    QFETCH(Panel, panel);
    QFETCH(Previstos, esperado);
    Banco b(disco, seleccion);
    PreverYRenombrar(b, panel, {}, esperado);
}

void PruebaCorrida::tarjeta()
{
    // A camera's card through exfat-fuse, the data folder on it too: no rename flag and no
    // links, and case ignored. A series, a swap and a change of case each take their new names
    // as foretold, "temp.txt" is the run's log, and undo gives the old names back.
    VolumenExfat tarjeta;
    if (tarjeta.ruta().isEmpty())
        QSKIP(qPrintable(tarjeta.fallo));
    CarpetaPrueba t(tarjeta.ruta());
    t.crear(Lista({"IMG_0001.JPG", "IMG_0002.JPG", "NOTA2.txt", "Playa.JPG", "nota.txt"}));
    Banco b({}, {}, tarjeta.ruta());
    // Where case doesn't count, another spelling of a name is that name.
    b.seleccionar(t.ruta(), Lista({"nota.txt"}));
    PreverYRenombrar(b, Op(Opcion::Cambiar, "nota", "Nota2"), {}, {NombreExiste});
    b.seleccionar(t.ruta(), Lista({"IMG_0001.JPG", "IMG_0002.JPG"}));
    PreverYRenombrar(b, Op(Opcion::Generar, "IMG_000*.JPG", "2"), {}, {Correcto, Correcto});
    QCOMPARE(b.datos.leer(u"temp.txt"_qs), Leer(b.e.LogPropio));
    b.seleccionar(t.ruta(), Lista({"IMG_0002.JPG", "IMG_0001.JPG"}));
    PreverYRenombrar(b, Op(Opcion::Generar, "IMG_000*.JPG", "1"), {}, {Correcto, Correcto});
    b.seleccionar(t.ruta(), Lista({"IMG_0001.JPG", "NOTA2.txt", "Playa.JPG"}));
    QMap<QString, QByteArray> despues;
    PreverYRenombrar(b, Op(Opcion::Minusculas), {}, {Correcto, Correcto, Correcto}, &despues);
    QCOMPARE(despues.keys(), Lista({"IMG_0002.JPG", "img_0001.jpg", "nota.txt", "nota2.txt", "playa.jpg"}));
}

// A folder on a read-only disk: every rename foretold to fail as it does, a swap's too; a name
// left as it is stays so.
void PruebaCorrida::soloLectura()
{
    Banco b(Lista({"1", "2", "3"}), Lista({"2", "1", "3"}));
    const QString carpeta = b.c.ruta();
    if (QProcess::execute(u"mount"_qs, {u"--bind"_qs, carpeta, carpeta}) != 0)
        QSKIP("this machine won't bind a folder here (not root?)");
    const auto desmontar = qScopeGuard([&] { QProcess::execute(u"umount"_qs, {carpeta}); });
    QCOMPARE(QProcess::execute(u"mount"_qs, {u"-o"_qs, u"remount,bind,ro"_qs, carpeta}), 0);
    PreverYRenombrar(b, Op(Opcion::Generar, "*", "1"), {}, {SoloLectura, SoloLectura, SinCambios});
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
    b.seleccionar(b.c.camino(carpeta), {u"ok.jpg"_qs, NombreDesdeBytes("caf\xe9.jpg"), NombreDesdeBytes("ni\xf1o.jpg")});
    QMap<QString, QByteArray> despues;
    PreverYRenombrar(b, Op(Opcion::Mayusculas), {}, {Correcto, Correcto, Correcto}, &despues);
    QCOMPARE(despues.keys(), QStringList({NombreDesdeBytes("CAF\xe9.JPG"), NombreDesdeBytes("NI\xf1O.JPG"), u"OK.JPG"_qs}));
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
    Banco b(Lista({"y.txt", "x.txt", "c", "p", "q", "u", "s", "h", "k"}), {});
    b.c.escribir(u"lote.bwk"_qs, log);
    CarpetaPrueba otra;  // the current selection's folder holds the same names
    otra.crear(Lista({"y.txt", "x.txt", "u", "s"}));
    b.seleccionar(otra.ruta(), Lista({"y.txt"}));
    b.e.LogCargado = true;
    b.pantalla.marco = 32.5f;
    PreverYRenombrar(b, Op(Opcion::Extension, "t?t"), b.c.camino(u"lote.bwk"_qs),
                     {Correcto, Correcto, Correcto, OmitidoFallo, OmitidoLinea, NombreExiste, NoExiste, OmitidoFallo,
                      Correcto, Correcto, RenombraDespues, Correcto});
    QCOMPARE(otra.nombres(), Lista({"s", "u", "x.txt", "y.txt"}));
    // The bar grows by record, skipped ones too, over the selection's count, in whole twips,
    // halves to even: 7.5, 15, 22.5.
    QCOMPARE(b.pantalla.anchos.mid(0, 3), (QList<float>{8, 15, 22}));
    // A log gone since it was chosen: no row, and the run refuses as foretold.
    b.e.LogCargado = true;
    PreverYRenombrar(b, Op(Opcion::Extension), b.datos.camino(u"gone.bwk"_qs), {});
}

// Two windows of one user: a run that starts while the other is under way writes its own log,
// so their records never mix; "temp.txt" is the latest run's log; each window's "Deshacer"
// undoes its own last run, whatever the other did since, in that run's folder, and marks it
// undone in the history. An entry of the history is undone where its renames happened; that
// undo is a run of its own, and undoing it renames again as the first run did:
// the first run reads as redone.
void PruebaCorrida::dosVentanasYHistorial()
{
    Banco a(Lista({"a1.jpg", "a2.jpg"}), {}), b(Lista({"b1.jpg", "b2.jpg", "b2.txt"}), Lista({"b1.jpg", "b2.jpg"}));
    b.e.RutaLog = a.e.RutaLog;
    Intercalada pantalla;
    pantalla.otra = [&] { QVERIFY(Procesar(b.e, b.pantalla, Op(Opcion::Extension, "txt")).completa); };
    QVERIFY(Procesar(a.e, pantalla, Op(Opcion::Extension, "png")).completa);
    QCOMPARE(Leer(a.e.LogPropio), CabeceraLog(2, a.c.ruta()) + Reg("a1.jpg", "a1.png") + Reg("a2.jpg", "a2.png"));
    QCOMPARE(a.datos.leer(u"temp.txt"_qs), Leer(b.e.LogPropio));
    a.e.RutaCarpeta = b.c.ruta();  // a selection in another folder since
    QVERIFY(DeshacerPropio(a.e, a.pantalla).completa);
    QCOMPARE(a.c.nombres() + b.c.nombres(), Lista({"a1.jpg", "a2.jpg", "b1.txt", "b2.jpg", "b2.txt"}));
    QCOMPARE(a.datos.leer(u"temp.txt"_qs), Leer(b.e.LogPropio));

    const auto historial = [&b] { return LeerHistorial(CarpetaHistorial(b.e.RutaLog)); };
    const auto vistas = [&historial] {
        QStringList v;
        for (const EntradaHistorial& h : historial())
            v << QStringLiteral("%1 %2 %3 %4").arg(Describir(h.eleccion)).arg(h.renombrados).arg(h.fallos).arg(TextoEstado(h.estado));
        return v;
    };
    const QString png = u"Cambiar extensiones a: png"_qs, txt = u"Cambiar extensiones a: txt"_qs;
    QCOMPARE(vistas(), QStringList({u"Deshacer: "_qs + png + u" 2 0 "_qs, txt + u" 1 1 "_qs, png + u" 2 0 Deshecho"_qs}));
    QVERIFY(DeshacerEntrada(b.e, b.pantalla, historial().value(1)).completa);
    QCOMPARE(b.c.nombres(), Lista({"b1.jpg", "b2.jpg", "b2.txt"}));
    QVERIFY(DeshacerEntrada(b.e, b.pantalla, historial().value(0)).completa);
    QCOMPARE(b.c.nombres(), Lista({"b1.txt", "b2.jpg", "b2.txt"}));
    QCOMPARE(vistas(), QStringList({u"Deshacer: Deshacer: "_qs + txt + u" 1 0 "_qs, u"Deshacer: "_qs + txt + u" 1 0 Deshecho"_qs,
                                    u"Deshacer: "_qs + png + u" 2 0 "_qs, txt + u" 1 1 Rehecho"_qs, png + u" 2 0 Deshecho"_qs}));
}

// An undo renames only what is still to undo, and the history tells the truth: an undo that
// fails or stops leaves its entry undoable, and the next one restores the rest and nothing
// else. A swap undone counts two files. No run starts inside another of the same window, and
// an entry that another process is undoing, or that is undone, is refused.
void PruebaCorrida::deshacerLoQueQueda()
{
    Banco b(Lista({"r1", "r2", "x", "y"}), Lista({"r2", "r1", "x", "y"}));
    Intercalada pantalla;
    QStringList dentro;
    pantalla.otra = [&] {
        dentro << Procesar(b.e, b.pantalla, Op(Opcion::Extension, "z")).mensaje << DeshacerPropio(b.e, b.pantalla).mensaje;
    };
    QVERIFY(Procesar(b.e, pantalla, Op(Opcion::Generar, "r*", "1")).completa);  // r2 and r1 swap, x -> r3, y -> r4
    QCOMPARE(dentro, QStringList(2, u"Ya hay un proceso en curso. Espere a que termine."_qs));
    QCOMPARE(b.c.nombres(), Lista({"r1", "r2", "r3", "r4"}));
    const auto historial = [&b] { return LeerHistorial(CarpetaHistorial(b.e.RutaLog)); };
    // The undo's files renamed and failed (or its refusal), then the run's entry: "4 " renamed, no state.
    const auto deshacer = [&](Pantalla& p) {
        const ResultadoProceso r = DeshacerEntrada(b.e, p, historial().constLast());
        const EntradaHistorial h = historial().constLast();
        return (r.aceptado ? QStringLiteral("%1 %2").arg(historial().constFirst().renombrados).arg(b.e.Fallos) : r.mensaje)
            + QStringLiteral(", %1 %2").arg(h.renombrados).arg(TextoEstado(h.estado));
    };
    // The folder gone (a card not inserted): refused, as foretold, and the run stays as it was.
    const QString fuera = b.c.ruta().chopped(1) + u"-fuera"_qs;
    QVERIFY(QDir().rename(b.c.ruta(), fuera));
    const QString sinCarpeta = RechazoCarpeta(b.c.ruta(), Razon(ENOENT));
    QCOMPARE(PreverEntrada(historial().constLast(), historial()).mensaje, sinCarpeta);
    QCOMPARE(deshacer(b.pantalla), sinCarpeta + u", 4 "_qs);
    QVERIFY(QDir().rename(fuera, b.c.ruta()));
    // Stopped after its first file, then failing for one held name; the swap counts two files.
    pantalla.parar = 1;
    QCOMPARE(deshacer(pantalla), u"1 0, 4 Deshecho en parte"_qs);
    b.c.crear(Lista({"x"}));
    QCOMPARE(deshacer(b.pantalla), u"2 1, 4 Deshecho en parte"_qs);
    QVERIFY(QFile::remove(b.c.camino(u"x"_qs)));
    const QList<FilaPrevista> filas = PreverEntrada(historial().constLast(), historial()).filas;
    QVERIFY(filas.size() == 1 && filas[0].actual == u"r3" && filas[0].nuevo == u"x");
    // Another process undoing an entry holds the claim: refused, nothing renamed.
    QProcess otro;
    otro.start(u"flock"_qs, {u"-o"_qs, CarpetaHistorial(b.e.RutaLog), u"cat"_qs});  // until its input ends
    QTRY_VERIFY(Bloqueado(CarpetaHistorial(b.e.RutaLog)));
    QCOMPARE(deshacer(b.pantalla), u"Otra ventana está deshaciendo una ejecución. Inténtelo cuando termine., 4 Deshecho en parte"_qs);
    otro.closeWriteChannel();
    QVERIFY(otro.waitForFinished());
    QCOMPARE(deshacer(b.pantalla), u"1 0, 4 Deshecho"_qs);
    QCOMPARE(deshacer(b.pantalla), u"Esta ejecución ya está deshecha., 4 Deshecho"_qs);
    QCOMPARE(b.c.nombres(), Lista({"r1", "r2", "x", "y"}));
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
        d.eleccion.frase = QString::number(i);  // as cards were written before: a sentence
        LogDeCorrida log;
        QVERIFY(log.Abrir(temporal, CabeceraLog(0, {}), d).ok && log.Comenzar({}).ok);
        log.Terminar(EstadoEntrada::Completa, 0, 0);
    }
    QFile::copy(carpeta + u"/"_qs + QDir(carpeta).entryList({u"*.ficha"_qs}).last(), carpeta + u"/sin-log.ficha"_qs);
    datos.escribir(u"historial/basura.ficha"_qs, QByteArray("\x00\xff\"\"\",\r\n", 8));
    datos.escribir(u"historial/ajeno.doc"_qs, "x");
    PodarHistorial(carpeta);
    const QList<EntradaHistorial> quedan = LeerHistorial(carpeta);
    QCOMPARE(quedan.size(), 1000);
    QCOMPARE(Describir(quedan.first().eleccion) + u' ' + Describir(quedan.last().eleccion), u"1001 2"_qs);
    QVERIFY(QFile::exists(carpeta + u"/ajeno.doc"_qs) && QFile::exists(carpeta + u"/basura.ficha"_qs));
}

QTEST_GUILESS_MAIN(PruebaCorrida)
#include "tst_corrida.moc"
