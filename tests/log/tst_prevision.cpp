#include "Soporte.h"

#include "app/Estado.h"
#include "app/Prevision.h"
#include "app/Proceso.h"
#include "engine/Panel.h"
#include "engine/Reglas.h"
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

Panel Op(int opcion, QString Panel::*campo = nullptr, const char* valor = nullptr,
         QString Panel::*campo2 = nullptr, const char* valor2 = nullptr)
{
    Panel p;
    p.opcion = opcion;
    p.modo = ModoFinal;
    if (campo)
        p.*campo = QString::fromUtf8(valor);
    if (campo2)
        p.*campo2 = QString::fromUtf8(valor2);
    return p;
}

QByteArray Reg(const char* viejo, const char* nuevo)
{
    return LineaRegistro(QString::fromUtf8(viejo), QString::fromUtf8(nuevo));
}

QString Razon(int codigo)
{
    return QString::fromLocal8Bit(std::strerror(codigo));
}

// Lays out a folder: "name" a file holding its own name, "name/" a folder, "name@" a link
// to nowhere.
void Preparar(const CarpetaPrueba& c, const QStringList& entradas)
{
    for (const QString& n : entradas) {
        if (n.endsWith(u'/'))
            QVERIFY(QDir().mkdir(c.camino(n.chopped(1))));
        else if (n.endsWith(u'@'))
            QVERIFY(QFile::link(c.camino(u"ninguna-parte"_qs), c.camino(n.chopped(1))));
        else
            c.crear({n});
    }
}

// A selection over a folder of real files, with the temporary log kept elsewhere.
struct Banco {
    Banco(const QStringList& disco, const QStringList& seleccion)
    {
        Preparar(c, disco);
        e.RutaCarpeta = c.ruta();
        e.Archivos = seleccion;
        e.NumArchivos = qint16(seleccion.size());
        e.RutaLog = datos.camino(u"temp.txt"_qs);
    }
    CarpetaPrueba c, datos;
    Estado e;
    PantallaRegistro pantalla;
};

QStringList Resultados(const Prevision& p)
{
    QStringList r;
    for (const FilaPrevista& f : p.filas)
        r << TextoResultado(f.resultado);
    return r;
}

// Foretells the run, checks that nothing moved, then runs it for real and holds every row
// against the record the run wrote for it and the folder against what the rows say.
void PreverYRenombrar(Banco& b, const Panel& panel, const QString& cargado,
                      const QStringList& esperado)
{
    const QString carpetaLog = cargado.isEmpty() ? QString() : QFileInfo(cargado).path() + u'/';
    const auto antes = b.c.contenido();
    const Prevision p = Prever(b.e, panel, cargado, carpetaLog);
    QCOMPARE(b.c.contenido(), antes);
    QCOMPARE(b.datos.nombres(), QStringList());
    QCOMPARE(p.mensaje, QString());
    QCOMPARE(Resultados(p), esperado);

    const ResultadoProceso r = Procesar(b.e, b.pantalla, panel, cargado, carpetaLog);
    QVERIFY(r.aceptado);
    QCOMPARE(r.mensaje, QString());
    const QList<Registro> hechos = LeerLog(b.datos.leer(u"temp.txt"_qs), true).registros;
    auto despues = antes;  // the folder as the rows leave it
    qsizetype j = 0;
    int cambios = 0;
    for (const FilaPrevista& f : p.filas) {
        const bool omitida = f.resultado == ResultadoPrevisto::OmitidoFallo
            || f.resultado == ResultadoPrevisto::OmitidoLinea;
        // A file left alone has no record; an unchanged name handed to the step has one.
        const bool sola = f.resultado == ResultadoPrevisto::SinCambios
            && !(j < hechos.size() && hechos[j].viejo == f.actual && hechos[j].nuevo == f.nuevo);
        if (omitida || sola)
            continue;
        QVERIFY2(j < hechos.size(), qPrintable(f.actual));
        const Registro& h = hechos[j++];
        QCOMPARE(h.viejo, f.actual);
        if (!EsFallo(f.resultado)) {
            QVERIFY2(h.deshacible, qPrintable(h.nuevo));
            QCOMPARE(h.nuevo, f.nuevo);
            if (f.resultado == ResultadoPrevisto::Correcto) {
                despues.insert(f.nuevo, despues.take(f.actual));
                ++cambios;
            }
            continue;
        }
        QVERIFY2(h.fallo, qPrintable(f.actual));
        const QString razon = h.nuevo.mid(CampoFallo(f.nuevo, {}).size());
        QCOMPARE(h.nuevo, CampoFallo(f.nuevo, razon));
        switch (f.resultado) {
        case ResultadoPrevisto::NoExiste:
            QCOMPARE(razon, Razon(ENOENT));
            break;
        case ResultadoPrevisto::NombreNoValido:
            QVERIFY2(razon == RazonNombreNoValido || razon == Razon(ENAMETOOLONG),
                     qPrintable(razon));
            break;
        default:  // the three ways a name is taken
            QCOMPARE(razon, Razon(EEXIST));
        }
    }
    QCOMPARE(j, hechos.size());
    QCOMPARE(b.c.contenido(), despues);
    QCOMPARE(p.fallos, int(b.e.Fallos));
    QCOMPARE(p.cambios, cambios);
}

}  // namespace

class PruebaPrevision : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void comoLaCorrida_data();
    void comoLaCorrida();
    void nombreQueNoEsUtf8();
    void logCargado();
    void rechazos_data();
    void rechazos();
};

void PruebaPrevision::comoLaCorrida_data()
{
    QTest::addColumn<QStringList>("disco");
    QTest::addColumn<QStringList>("seleccion");
    QTest::addColumn<Panel>("panel");
    QTest::addColumn<QStringList>("esperado");

    QTest::newRow("extension: two files to one name, a folder, an unselected file")
        << Lista({"a.jpg", "a.png", "b.txt", "d.doc", "d.txt", "e.doc", "e.txt/"})
        << Lista({"a.jpg", "a.png", "b.txt", "d.doc", "e.doc"})
        << Op(0, &Panel::extension, "txt")
        << Lista({Correcto, Anterior, SinCambios, Existe, Existe});
    QTest::newRow("replace: names without the text are left alone, a file gone")
        << Lista({"foto_a", "nota", "foto_b", "img_b"})
        << Lista({"foto_a", "nota", "foto_b", "foto_c"})
        << Op(1, &Panel::buscar, "foto", &Panel::reemplazo, "img")
        << Lista({Correcto, SinCambios, Existe, NoExiste});
    Panel posicion = Op(2, &Panel::anadir, "_", &Panel::posicion, "3");
    posicion.modo = ModoPosicion;
    QTest::newRow("add at a position: short names handed on unchanged, one of them gone")
        << Lista({"ab", "abcdef"}) << Lista({"ab", "abcdef", "zz"}) << posicion
        << Lista({SinCambios, Correcto, NoExiste});
    QTest::newRow("generate: shift chain")
        << Lista({"foto1", "foto2", "foto3", "foto4"})
        << Lista({"foto1", "foto2", "foto3", "foto4"})
        << Op(3, &Panel::patron, "foto*", &Panel::desde, "2")
        << Lista({Despues, Despues, Despues, Correcto});
    QTest::newRow("generate: swap")
        << Lista({"n1", "n2"}) << Lista({"n2", "n1"})
        << Op(3, &Panel::patron, "n*", &Panel::desde, "1") << Lista({Despues, Existe});
    QTest::newRow("generate: a name freed, then taken")
        << Lista({"p1", "x"}) << Lista({"p1", "x"})
        << Op(3, &Panel::patron, "p*", &Panel::desde, "0") << Lista({Correcto, Correcto});
    QTest::newRow("generate: separator after the star")
        << Lista({"a", "b"}) << Lista({"a", "b"})
        << Op(3, &Panel::patron, "x*/y", &Panel::desde, "1") << Lista({NoValido, NoValido});
    QTest::newRow("generate: the failure marker after the star")
        << Lista({"a"}) << Lista({"a"})
        << Op(3, &Panel::patron, "x*<#FAILED#>", &Panel::desde, "1") << Lista({NoValido});
    // a.txt comes later but keeps its name: the run never moves it.
    QTest::newRow("lower case: taken by an earlier change, held by a file that stays")
        << Lista({"PLAYA.JPG", "Playa.jpg", "A.TXT", "a.txt"})
        << Lista({"PLAYA.JPG", "Playa.jpg", "A.TXT", "a.txt"}) << Op(4)
        << Lista({Correcto, Anterior, Existe, SinCambios});
    QTest::newRow("upper case: a dangling link holds the name")
        << Lista({"foto.jpg", "FOTO.JPG@", "nota.TXT"}) << Lista({"foto.jpg", "nota.TXT"})
        << Op(5) << Lista({Existe, Correcto});
    const QString largo(250, u'a');
    QTest::newRow("add at the end: a name too long for the file system")
        << QStringList{largo, u"b"_qs} << QStringList{largo, u"b"_qs}
        << Op(2, &Panel::anadir, "_123456789") << Lista({NoValido, Correcto});
    QTest::newRow("no operation chosen") << Lista({"a", "b"}) << Lista({"a", "b"}) << Op(-1)
                                         << Lista({SinCambios, SinCambios});
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
    const int fd = ::open(crudo.constData(), O_CREAT | O_WRONLY, 0644);
    QVERIFY(fd >= 0);
    ::close(fd);
    // The temporary folder can't remove what it can't name.
    const auto borrar = qScopeGuard([&] { ::unlink(crudo.constData()); });
    b.e.Archivos = QStringList{QFile::decodeName("caf\xe9"), u"b"_qs};
    b.e.NumArchivos = 2;
    PreverYRenombrar(b, Op(0, &Panel::extension, "txt"), {}, Lista({NoExiste, Correcto}));
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
    Preparar(otra, Lista({"y.txt", "x.txt", "u", "s"}));
    b.e.RutaCarpeta = otra.ruta();
    b.e.LogCargado = true;
    PreverYRenombrar(b, Op(0, &Panel::extension, "t?t"), b.c.camino(u"lote.bwk"_qs),
                     Lista({Correcto, Correcto, Correcto, Fallo, Linea, Existe, NoExiste, Fallo,
                            Correcto, Correcto}));
    QCOMPARE(otra.nombres(), Lista({"s", "u", "x.txt", "y.txt"}));
}

void PruebaPrevision::rechazos_data()
{
    QTest::addColumn<Panel>("panel");
    QTest::addColumn<bool>("cargado");
    Panel posicion = Op(2, &Panel::anadir, "x", &Panel::posicion, "-1");
    posicion.modo = ModoPosicion;
    QTest::newRow("extension") << Op(0, &Panel::extension, "t?t") << false;
    QTest::newRow("replacement") << Op(1, &Panel::buscar, "a", &Panel::reemplazo, "a:b")
                                 << false;
    QTest::newRow("text to add") << Op(2, &Panel::anadir, "a|b") << false;
    QTest::newRow("position") << posicion << false;
    QTest::newRow("two stars") << Op(3, &Panel::patron, "a*b*c") << false;
    QTest::newRow("start number") << Op(3, &Panel::patron, "n*", &Panel::desde, "32766")
                                  << false;
    QTest::newRow("loaded log gone") << Op(0) << true;
}

void PruebaPrevision::rechazos()
{
    // The preview shows the run's own message and no row; the run then refuses as foretold.
    QFETCH(Panel, panel);
    QFETCH(bool, cargado);
    Banco b(Lista({"a", "b"}), Lista({"a", "b"}));
    b.e.LogCargado = cargado;
    const QString log = cargado ? b.datos.camino(u"gone.bwk"_qs) : QString();
    const Prevision p = Prever(b.e, panel, log, b.datos.ruta());
    QVERIFY(!p.mensaje.isEmpty());
    QVERIFY(p.filas.isEmpty());
    QCOMPARE(p.cambios + p.fallos, 0);
    QCOMPARE(b.datos.nombres(), QStringList());

    const ResultadoProceso r = Procesar(b.e, b.pantalla, panel, log, b.datos.ruta());
    QVERIFY(!r.aceptado);
    QCOMPARE(p.mensaje, r.mensaje);
    QCOMPARE(b.c.nombres(), Lista({"a", "b"}));
}

QTEST_GUILESS_MAIN(PruebaPrevision)
#include "tst_prevision.moc"
