#include "Soporte.h"

#include "app/Prevision.h"
#include "app/Proceso.h"
#include "engine/Estado.h"
#include "log/Deshacer.h"
#include "log/Registro.h"
#include "log/Renombrador.h"

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
// the records it wrote and its failure count against what was foretold.
void PreverYRenombrar(Banco& b, const Panel& panel, const QString& cargado,
                      const QStringList& esperado)
{
    const QString carpetaLog = cargado.isEmpty() ? QString() : QFileInfo(cargado).path() + u'/';
    // The temporary log too is left as it is, for "Deshacer".
    const auto disco = [&b] { return QList{b.c.contenido(), b.datos.contenido()}; };
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
    QStringList hechos;
    // An unchanged name handed to the step leaves a record that moves nothing. Where the
    // file system refuses a long name, the row foretold it as not valid.
    for (const Registro& h : LeerLog(b.datos.leer(u"temp.txt"_qs), true).registros)
        if (h.viejo != h.nuevo)
            hechos << h.viejo + u'>'
                    + QString(h.nuevo).replace(Razon(ENAMETOOLONG), RazonNombreNoValido.toString());
    QCOMPARE(hechos, previstos);
    QCOMPARE((QList<int>{p.cambios + p.fallos, p.fallos}),
             (QList<int>{int(hechos.size()), b.e.Fallos}));
}

}  // namespace

class PruebaPrevision : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void comoLaCorrida_data();
    void comoLaCorrida();
    void mayusculasEnUnaTarjeta();
    void logCargado();
};

void PruebaPrevision::comoLaCorrida_data()
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
    QTest::newRow("generate: shift chain") << Lista({"foto1", "foto2", "foto3", "foto4"})
                                           << QStringList() << Op(3, "foto*", "2")
                                           << Lista({Despues, Despues, Despues, Correcto});
    QTest::newRow("generate: swap") << Lista({"n1", "n2"}) << Lista({"n2", "n1"})
                                    << Op(3, "n*", "1") << Lista({Despues, Existe});
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

void PruebaPrevision::comoLaCorrida()
{
    QFETCH(QStringList, disco);
    QFETCH(QStringList, seleccion);
    QFETCH(Panel, panel);
    QFETCH(QStringList, esperado);
    Banco b(disco, seleccion);
    PreverYRenombrar(b, panel, {}, esperado);
}

void PruebaPrevision::mayusculasEnUnaTarjeta()
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
    const auto antes = t.contenido();
    b.e.NumArchivos = qint16((b.e.Archivos = Lista({"IMG_0001.JPG", "NOTA2.txt", "Playa.JPG"})).size());
    PreverYRenombrar(b, Op(4), {}, Lista({Correcto, Correcto, Correcto}));
    QCOMPARE(t.nombres(), Lista({"img_0001.jpg", "nota.txt", "nota2.txt", "playa.jpg"}));
    QVERIFY(DeshacerTemporal(b.e, b.pantalla));
    QCOMPARE(t.contenido(), antes);
}

void PruebaPrevision::logCargado()
{
    // A saved log, undone last record first in its own folder, not in the selected one.
    const QByteArray log = Reg("x.txt", "y.txt") + Reg("z.txt", "x.txt")
        + LineaRegistro(u"c"_qs, CampoFallo(u"d"_qs, u"File exists"_qs)) + Reg("m", "n")
        + Reg("p", "q") + "\"sin cerrar\r\n" + "\"e\",\"f\",g <#FAILED#>: File exists\"\r\n"
        + Reg("s", "t") + Reg("u", "s") + Reg("t", "u");
    Banco b(Lista({"y.txt", "x.txt", "c", "p", "q", "u", "s"}), Lista({"y.txt"}));
    b.c.escribir(u"lote.bwk"_qs, log);
    CarpetaPrueba otra;  // the current selection's folder holds the same names
    otra.crear(Lista({"y.txt", "x.txt", "u", "s"}));
    b.e.RutaCarpeta = otra.ruta();
    b.e.LogCargado = true;
    PreverYRenombrar(b, Op(0, "t?t"), b.c.camino(u"lote.bwk"_qs),
                     Lista({Correcto, Correcto, Correcto, Fallo, Linea, Existe, NoExiste, Fallo,
                            Correcto, Correcto}));
    QCOMPARE(otra.nombres(), Lista({"s", "u", "x.txt", "y.txt"}));
    // A log gone since it was chosen: no row, and the run refuses as foretold.
    b.e.LogCargado = true;
    PreverYRenombrar(b, Op(0), b.datos.camino(u"gone.bwk"_qs), {});
}

QTEST_GUILESS_MAIN(PruebaPrevision)
#include "tst_prevision.moc"
