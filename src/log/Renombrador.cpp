#include "log/Renombrador.h"

#include "engine/Estado.h"
#include "engine/Pantalla.h"
#include "log/Historial.h"
#include "log/Registro.h"
#include "platform/Nombres.h"
#include "platform/Plataforma.h"

#include <QCoreApplication>
#include <QFile>

#include <QHash>

#include <algorithm>
#include <atomic>

namespace {

// A bare name of a folder (not empty, not "." or "..", no separator, no NUL), and no failure
// marker in it: one pass over its bytes.
bool NombreAdmitido(QByteArrayView nombre)
{
    bool menor = false;
    for (const char c : nombre) {
        if (c == '/' || c == '\0')
            return false;
        menor |= c == '<';
    }
    static const QByteArray Marca = MarcaFallo.toUtf8();
    return !nombre.isEmpty() && nombre != "." && nombre != ".." && !(menor && nombre.contains(Marca));
}

// Two names that differ in letter case alone, told at once for most names: those that differ
// in a plain letter or digit.
bool SoloMayusculas(QStringView a, QStringView b)
{
    if (a.size() != b.size() || a == b)
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x == y)
            continue;
        if (x >= 0x80 || y >= 0x80)
            return a.sliced(i).compare(b.sliced(i), Qt::CaseInsensitive) == 0;
        if ((x | 0x20) != (y | 0x20) || (x | 0x20) < u'a' || (x | 0x20) > u'z')
            return false;
    }
    return true;
}

}  // namespace

bool NombresAdmitidos(const QString& viejo, const QString& nuevo)
{
    return NombreAdmitido(BytesDeNombre(viejo)) && NombreAdmitido(BytesDeNombre(nuevo));
}

namespace {

// A disk that fills up takes part of a record and refuses the rest: the second write then
// fails, and the log itself says why. The part taken is cut off again: a reader that takes a
// last record without its line end would take it whole, for a rename that never happened.
bool EscribirTodo(QIODevice& log, QByteArrayView linea)
{
    const qint64 inicio = log.pos();
    qint64 hecho = 0;
    for (qint64 n = 0; hecho < linea.size(); hecho += n) {
        n = log.write(linea.data() + hecho, linea.size() - hecho);
        if (n <= 0) {
            // By its name: the open file keeps its error, which the run reports.
            if (auto* fichero = qobject_cast<QFile*>(&log); fichero && hecho > 0)
                QFile::resize(fichero->fileName(), inicio);
            return false;
        }
    }
    return true;
}

// Names of a run's own for runs that keep no plan: never the same twice in one process.
QByteArray PrefijoPropio()
{
    static std::atomic<int> corridas = 0;
    return ".brindlewick-" + QByteArray::number(QCoreApplication::applicationPid()) + '-'
        + QByteArray::number(++corridas) + '-';
}

}  // namespace

RenombradorLog::RenombradorLog(Estado& e, Pantalla& pantalla, QByteArray prefijo, GuardarPlan guardar)
    : e(e),
      pantalla(pantalla),
      prefijo(prefijo.isEmpty() ? PrefijoPropio() : std::move(prefijo)),
      guardar(std::move(guardar)),
      carpeta(e.RutaCarpeta)
{
}

bool RenombradorLog::IgnoraMayusculas(const QList<Renombre>& renombres)
{
    // The first name that exists and has letters decides: a few are enough.
    QStringList muestra;
    for (qsizetype i = 0; i < renombres.size() && muestra.size() < 64; ++i)
        muestra << renombres[i].viejo;
    return ::IgnoraMayusculas(e.RutaCarpeta, muestra);
}

RenombradorLog::Nombre RenombradorLog::Escribir(QStringView nombre)
{
    const qsizetype inicio = nombres.size();
    AnadirBytesDeNombre(nombres, nombre);
    const QByteArrayView bytes(nombres.constData() + inicio, nombres.size() - inicio);
    Nombre n{inicio, HashNombre(bytes), NombreAdmitido(bytes)};
    nombres += '\0';
    return n;
}

bool RenombradorLog::Preparar(const QList<Renombre>& r, const QList<PasoPlan>& p)
{
    renombres = &r;
    plan = &p;
    nombres.clear();
    lineas.clear();
    nombres.reserve(p.size() * 48);
    lineas.reserve(p.size() * 56);
    escritos = QList<Escrito>(p.size());
    apartado = QList<bool>(r.size(), false);
    llegados = QList<bool>(r.size(), false);
    QList<qsizetype> temporal(r.size(), 0), original(r.size(), 0);  // per file set apart
    // What the folder holds now: the plan tells it of every name it uses, so that the steps no
    // record tells of can be judged later against what was there.
    const QHash<quint64, quint64> estaban = carpeta.Presentes();
    // Each step written is numbered in the plan, and that number names what it sets apart.
    qsizetype numero = 0;
    for (qsizetype k = 0; k < p.size(); ++k) {
        const Renombre& x = r[p[k].archivo];
        Escrito& s = escritos[k];
        if (p[k].tipo == PasoPlan::Tipo::Ninguno)
            continue;
        const qsizetype n = numero++;
        const auto reservado = [&] {
            const qsizetype inicio = nombres.size();
            nombres += prefijo + QByteArray::number(n) + '\0';
            return inicio;
        };
        // A name of the run's own is never there before: only a file's own names are looked
        // up. A file set apart is known by its inode number too: a swap done and one never
        // begun hold the same names.
        PasoCorrida marcas;
        switch (p[k].tipo) {
        case PasoPlan::Tipo::Apartar: {
            const Nombre viejo = Escribir(x.viejo);
            s.desde = original[p[k].archivo] = viejo.inicio;
            s.hacia = temporal[p[k].archivo] = reservado();
            s.admitido = viejo.admitido;
            const auto inodo = estaban.constFind(viejo.hash);
            marcas.desdeEstaba = inodo != estaban.cend();
            marcas.inodo = marcas.desdeEstaba ? *inodo : 0;
            break;
        }
        case PasoPlan::Tipo::DesdeApartado: {
            const Nombre nuevo = Escribir(*x.nuevo);
            s.desde = temporal[p[k].archivo];
            s.original = original[p[k].archivo];
            s.hacia = nuevo.inicio;
            s.admitido = nuevo.admitido && NombresAdmitidos(x.viejo, x.viejo);
            marcas.haciaEstaba = estaban.contains(nuevo.hash);
            break;
        }
        default: {
            const Nombre viejo = Escribir(x.viejo), nuevo = Escribir(*x.nuevo);
            s.desde = viejo.inicio;
            s.hacia = nuevo.inicio;
            s.admitido = viejo.admitido && nuevo.admitido;
            marcas.desdeEstaba = estaban.contains(viejo.hash);
            marcas.haciaEstaba = estaban.contains(nuevo.hash);
            // A change of case may go through a name of its own: the step's.
            if (SoloMayusculas(x.viejo, *x.nuevo))
                s.reservado = reservado();
        }
        }
        s.linea = AnadirPasoPlan(lineas, marcas, nombres.constData() + s.desde, nombres.constData() + s.hacia);
        s.largo = lineas.size() - s.linea;
    }
    if (guardar)
        sinPlan = guardar(lineas);
    return sinPlan.ok;
}

bool RenombradorLog::Dar(qsizetype k)
{
    const PasoPlan& p = plan->at(k);
    const Renombre& x = renombres->at(p.archivo);
    const Escrito& s = escritos[k];
    switch (p.tipo) {
    case PasoPlan::Tipo::Ninguno:
        return true;
    case PasoPlan::Tipo::Directo:
        return Contar(p.archivo, Renombrar(s, x.viejo, *x.nuevo), x.viejo != *x.nuevo);
    case PasoPlan::Tipo::Apartar:
        pantalla.CederEventos();
        // One that can't be set apart has no record here: its last step, tried in turn, has it.
        if (s.admitido && Sistema(s).ok) {
            apartado[p.archivo] = true;
            Anotar(QByteArrayView(lineas).sliced(s.linea, s.largo));
        }
        return !registroRoto && !pantalla.Detenido();
    case PasoPlan::Tipo::DesdeApartado:
        break;
    }
    if (!apartado[p.archivo]) {
        // Never set apart: tried from its own name, to fail as the system says.
        Escrito comoEsta = s;
        comoEsta.desde = s.original;
        comoEsta.linea = -1;
        return Contar(p.archivo, Renombrar(comoEsta, x.viejo, *x.nuevo), x.viejo != *x.nuevo);
    }
    const bool ok = Renombrar(s, x.viejo, *x.nuevo);
    // Its old name back where that is free again, so that no name of the run's own stays.
    if (!ok) {
        Escrito vuelta;
        vuelta.desde = s.desde;
        vuelta.hacia = s.original;
        vuelta.admitido = true;
        if (Sistema(vuelta).ok)
            Anotar(LineaRegistro(NombreDesdeBytes(nombres.constData() + s.desde), x.viejo));
    }
    return Contar(p.archivo, ok, x.viejo != *x.nuevo);
}

ResultadoSistema RenombradorLog::Sistema(const Escrito& s)
{
    const char* n = nombres.constData();
    return carpeta.Renombrar(n + s.desde, n + s.hacia, s.reservado >= 0 ? n + s.reservado : nullptr);
}

bool RenombradorLog::Renombrar(const Escrito& s, const QString& viejo, const QString& nuevo)
{
    pantalla.MostrarFichero(viejo);
    pantalla.CederEventos();
    const ResultadoSistema r = s.admitido ? Sistema(s) : ResultadoSistema{false, RazonNombreNoValido.toString()};
    const QString desde = s.linea >= 0 && r.ok ? QString() : NombreDesdeBytes(nombres.constData() + s.desde);
    if (!r.ok)
        AnotarFallo(desde, nuevo, r.razon);
    else if (s.linea >= 0)
        Anotar(QByteArrayView(lineas).sliced(s.linea, s.largo));
    else
        Anotar(LineaRegistro(desde, nuevo));
    return r.ok;
}

bool RenombradorLog::Contar(qsizetype archivo, bool ok, bool cambia)
{
    llegados[archivo] = ok;
    if (!ok && e.Fallos < 32767)
        ++e.Fallos;
    renombrados += ok && cambia;
    return !registroRoto && !pantalla.Detenido();
}

void RenombradorLog::Anotar(QByteArrayView linea)
{
    if (e.FicheroLog && !registroRoto)
        registroRoto = !EscribirTodo(*e.FicheroLog, linea);
}

void RenombradorLog::AnotarFallo(const QString& viejo, const QString& nuevo, const QString& razon)
{
    Anotar(LineaRegistro(viejo, CampoFallo(nuevo, razon)));
}
