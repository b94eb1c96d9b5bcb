#include "Soporte.h"

#include "app/Estado.h"
#include "app/Prevision.h"
#include "app/Proceso.h"
#include "engine/Panel.h"
#include "engine/Reglas.h"
#include "log/Deshacer.h"
#include "log/Registro.h"
#include "log/Renombrador.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

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

// Operation `opcion` with `uno` and `dos` in the first and second box of every operation:
// only the chosen operation's boxes are read.
Panel Op(int opcion, const char* uno = "", const char* dos = "")
{
    const QString a = QString::fromUtf8(uno), b = QString::fromUtf8(dos);
    return Panel{opcion, ModoFinal, a, a, b, a, b, a, b};
}

QByteArray Reg(const char* viejo, const char* nuevo)
{
    return LineaRegistro(QString::fromUtf8(viejo), QString::fromUtf8(nuevo));
}

QString Texto(int codigo)
{
    return QString::fromLocal8Bit(std::strerror(codigo));
}

// The reason the run's record gives for a foretold failure.
QString Razon(ResultadoPrevisto r)
{
    if (r == ResultadoPrevisto::NoExiste)
        return Texto(ENOENT);
    return r == ResultadoPrevisto::NombreNoValido ? RazonNombreNoValido.toString() : Texto(EEXIST);
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
            previstos << f.actual + u'>' + CampoFallo(f.nuevo, Razon(f.resultado));
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
                    + QString(h.nuevo).replace(Texto(ENAMETOOLONG), RazonNombreNoValido.toString());
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
    void nombreQueNoEsUtf8();
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

void PruebaPrevision::nombreQueNoEsUtf8()
{
    // A name written in Latin-1 shows with a replacement character, and no rename by that
    // name can reach the file.
    Banco b(Lista({"b"}), {});
    const QByteArray crudo = QFile::encodeName(b.c.ruta()) + "caf\xe9";
    QCOMPARE(::close(::open(crudo.constData(), O_CREAT | O_WRONLY, 0644)), 0);
    // The temporary folder can't remove what it can't name.
    const auto borrar = qScopeGuard([&] { ::unlink(crudo.constData()); });
    b.e.Archivos.prepend(QFile::decodeName("caf\xe9"));
    b.e.NumArchivos = 2;
    PreverYRenombrar(b, Op(0, "txt"), {}, Lista({NoExiste, Correcto}));
}

void PruebaPrevision::mayusculasEnUnaTarjeta()
{
    // A camera's card ignores case: each file takes its new spelling in place, as foretold,
    // with one record, and undo gives the old spelling back.
    VolumenExfat tarjeta;
    if (!tarjeta.montado())
        QSKIP(qPrintable(tarjeta.fallo));
    Banco b({}, {});
    for (const QString& n : Lista({"IMG_0001.JPG", "NOTA2.txt", "Playa.JPG", "nota.txt"})) {
        QFile f(tarjeta.ruta() + n);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(n.toUtf8()) == n.size());
    }
    b.e.RutaCarpeta = tarjeta.ruta();
    // Where case doesn't count, another spelling of a name is that name.
    b.e.Archivos = Lista({"nota.txt"});
    b.e.NumArchivos = 1;
    PreverYRenombrar(b, Op(1, "nota", "Nota2"), {}, Lista({Existe}));
    b.e.Archivos = Lista({"IMG_0001.JPG", "NOTA2.txt", "Playa.JPG"});
    b.e.NumArchivos = 3;
    PreverYRenombrar(b, Op(4), {}, Lista({Correcto, Correcto, Correcto}));
    const auto contenido = [&] {
        QStringList c;
        for (const QString& n : QDir(tarjeta.ruta()).entryList(QDir::Files, QDir::Name)) {
            QFile f(tarjeta.ruta() + n);
            c << n + u'=' + QString::fromUtf8(f.open(QIODevice::ReadOnly) ? f.readAll() : "?");
        }
        return c;
    };
    QCOMPARE(contenido(), Lista({"img_0001.jpg=IMG_0001.JPG", "nota.txt=nota.txt",
                                 "nota2.txt=NOTA2.txt", "playa.jpg=Playa.JPG"}));
    QVERIFY(DeshacerTemporal(b.e, b.pantalla));
    QCOMPARE(contenido(), Lista({"IMG_0001.JPG=IMG_0001.JPG", "NOTA2.txt=NOTA2.txt",
                                 "Playa.JPG=Playa.JPG", "nota.txt=nota.txt"}));
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
