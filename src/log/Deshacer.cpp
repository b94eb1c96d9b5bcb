#include "log/Deshacer.h"

#include "engine/Estado.h"
#include "engine/Operaciones.h"
#include "engine/Pantalla.h"
#include "log/Historial.h"
#include "log/Registro.h"
#include "log/Renombrador.h"
#include "platform/Nombres.h"
#include "platform/Plataforma.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <cmath>

bool RecorrerDeshacer(const LogLeido& log, PasoRenombrar& paso,
                      const std::function<void(const Registro&, int)>& trasRegistro)
{
    // Last record first; each that may be undone is a step of its own, in that order.
    QList<const Registro*> orden;
    for (auto r = log.registros.crbegin(); r != log.registros.crend(); ++r)
        orden.append(&*r);
    QList<Renombre> renombres;
    QList<PasoPlan> plan;
    QList<bool> seDeshace;
    for (const Registro* r : std::as_const(orden)) {
        seDeshace.append(r->deshacible);
        if (seDeshace.constLast()) {
            plan.append({renombres.size(), PasoPlan::Tipo::Directo});
            renombres.append({r->nuevo, r->viejo});
        }
    }
    if (!paso.Preparar(renombres, plan))
        return false;
    for (qsizetype i = 0, k = 0; i < orden.size(); ++i) {
        if (seDeshace[i] && !paso.Dar(k++))
            return false;
        trasRegistro(*orden[i], int(i));
    }
    return true;
}

bool DeshacerLog(Estado& e, PasoRenombrar& paso, Pantalla& pantalla, const QByteArray& bytes)
{
    const float ancho = pantalla.AnchoMarco() - 25.0f;
    return RecorrerDeshacer(LeerLog(bytes, false), paso, [&](const Registro&, int contador) {
        // The bar grows over every record, skipped ones included; a whole number of twips.
        if (e.NumArchivos > 0)
            pantalla.FijarAnchoBarra(
                std::nearbyint(ancho / float(e.NumArchivos) * float(contador + 1)));
    });
}

namespace {

// Files followed through renames by their names: where each one started and where it is now.
class Seguimiento {
public:
    // `propio`: a file first met here is one of the entry being undone.
    void Mover(const QString& viejo, const QString& nuevo, bool propio)
    {
        qsizetype f = donde.take(viejo);
        if (f == 0) {
            ficheros.append({viejo, viejo, propio});
            f = ficheros.size();
        }
        ficheros[f - 1].actual = nuevo;
        donde.insert(nuevo, f);
    }
    // The entry's files that bear another name than at its start.
    int Movidos() const
    {
        return int(std::count_if(ficheros.cbegin(), ficheros.cend(),
                                 [](const Fichero& f) { return f.propio && f.actual != f.original; }));
    }

    struct Fichero {
        QString original, actual;
        bool propio;
    };
    QList<Fichero> ficheros;  // in the order they were first renamed
    QHash<QString, qsizetype> donde;  // a name now -> its file, counted from 1
};

// What a run of an entry's family did: the renames its records tell, then, where it kept a
// plan, those of its steps after its last record that the folder shows it made (a run killed,
// or whose log lost its last records to a power cut).
struct Corrida {
    QList<Registro> hechos;  // the renames it made, in their order
    std::optional<PlanCorrida> plan;
    qsizetype cola = 0;  // its first step that no record tells of
    QHash<QString, QString> antes;  // a name of the run's own -> the file's name before
};

Corrida LeerCorrida(const QString& log)
{
    Corrida c;
    QFile f(log);
    if (!f.open(QIODevice::ReadOnly))
        return c;
    const QList<Registro> registros = LeerLog(f.readAll(), true).registros;
    // Where the records reach the plan's last step whole, the plan has nothing to add.
    const std::optional<QString> ultimo = UltimoPaso(log);
    const bool cubierto = ultimo && std::all_of(registros.cbegin(), registros.cend(), [](const Registro& r) { return r.completo; })
        && (registros.isEmpty() ? ultimo->isEmpty() : registros.constLast().viejo == *ultimo);
    if (ultimo && !cubierto)
        c.plan = LeerPlan(log);
    if (!c.plan) {  // no plan kept, or none needed: its records are all it tells
        for (const Registro& r : registros)
            if (r.deshacible)
                c.hechos.append(r);
        return c;
    }
    const QList<PasoCorrida>& pasos = c.plan->pasos;
    QHash<QString, qsizetype> paso;  // a step's first name -> its number
    for (qsizetype i = 0; i < pasos.size(); ++i) {
        paso.insert(pasos[i].desde, i);
        if (pasos[i].hacia.startsWith(c.plan->temporal))
            c.antes.insert(pasos[i].hacia, pasos[i].desde);
    }
    for (const Registro& r : registros) {
        const qsizetype i = paso.value(r.viejo, -1);
        // A record its plan does not hold (a step's, or a file set apart going back) is no
        // record of it: a line cut by a power cut. What follows is judged by the folder.
        if (!r.completo || i < 0 || !(r.fallo || pasos[i].hacia == r.nuevo || c.antes.value(r.viejo) == r.nuevo))
            break;
        c.cola = std::max(c.cola, i + 1);
        if (r.deshacible)
            c.hechos.append(r);
    }
    return c;
}

// The folder's names as a run's steps see them: where the folder ignores case, one name stands
// for all its spellings.
class Presentes {
public:
    Presentes(bool ignoraMayusculas) : ignora(ignoraMayusculas) {}
    bool Tiene(const QString& n) const { return exactos.contains(n); }
    bool Ocupado(const QString& n) const { return ignora ? plegados.value(n.toCaseFolded()) > 0 : exactos.contains(n); }
    void Poner(const QString& n)
    {
        if (!exactos.contains(n) && ignora)
            ++plegados[n.toCaseFolded()];
        exactos.insert(n);
    }
    void Quitar(const QString& n)
    {
        if (exactos.remove(n) && ignora)
            --plegados[n.toCaseFolded()];
    }

private:
    bool ignora;
    QSet<QString> exactos;
    QHash<QString, int> plegados;
};

// Which of a run's steps after its last record happened. The steps ran one after another, each
// renaming only from a name that is there to one that is free, so the folder as the run left
// it (`nombres`) is what the first so many of them made of the folder at its last record, which
// the plan and the records tell. The fewest that make it are taken: a file is never moved back
// for a step that is not proven. Names alone can't tell a swap done from one never begun: the
// file each cycle set apart is looked for by its inode number (`inodoDe`, name -> number)
// where the folder keeps them. A change of case stopped half-way left its file under the
// step's name of its own: it goes back from there.
QList<Registro> JuzgarCola(const Corrida& c, const QString& carpeta, QSet<QString> nombres, bool ignoraMayusculas,
                           const QHash<QString, quint64>& inodoDe, bool* incierto, QStringList* reservas)
{
    const PlanCorrida& plan = *c.plan;
    Presentes estado(ignoraMayusculas);
    for (const PasoCorrida& p : plan.pasos) {
        if (p.desdeEstaba)
            estado.Poner(p.desde);
        if (p.haciaEstaba)
            estado.Poner(p.hacia);
    }
    // Only the names those steps touch tell how many of them happened.
    QSet<QString> universo;
    for (qsizetype i = c.cola; i < plan.pasos.size(); ++i)
        universo << plan.pasos[i].desde << plan.pasos[i].hacia << c.antes.value(plan.pasos[i].desde);
    universo.remove(QString());
    for (const Registro& r : c.hechos) {
        estado.Quitar(r.viejo);
        estado.Poner(r.nuevo);
    }
    // The step in hand when the run died may have reserved its new name, or its own one, as
    // an empty file that nothing was renamed onto: names no step had given, and still empty.
    if (reservas && c.cola < plan.pasos.size()) {
        const PasoCorrida& p = plan.pasos[c.cola];
        for (const QString& n : {p.hacia, plan.temporal + QString::number(c.cola)}) {
            if (nombres.contains(n) && !estado.Tiene(n) && VacioRegular(carpeta, n)) {
                nombres.remove(n);
                reservas->append(n);
            }
        }
    }
    QList<Registro> aMedias;
    for (qsizetype i = c.cola; i < plan.pasos.size(); ++i) {
        const PasoCorrida& p = plan.pasos[i];
        const QString propio = plan.temporal + QString::number(i);
        if (p.desde != p.hacia && p.desde.compare(p.hacia, Qt::CaseInsensitive) == 0 && !nombres.contains(p.desde)
            && !nombres.contains(p.hacia) && nombres.remove(propio)) {
            nombres.insert(p.desde);
            aMedias.append({p.desde, propio, true, false, true});
        }
    }
    // Each file set apart: where it is by its inode number, and where the steps taken so far
    // would have it.
    struct Apartado {
        QString real, supuesto;
    };
    QHash<quint64, Apartado> apartados;
    for (const PasoCorrida& p : plan.pasos)
        if (p.inodo != 0)
            apartados.insert(p.inodo, {QString(), p.desde});
    for (auto i = inodoDe.cbegin(); i != inodoDe.cend(); ++i)
        if (auto a = apartados.find(*i); a != apartados.end())
            a->real = i.key();
    apartados.removeIf([](const auto& a) { return a->real.isEmpty(); });
    QHash<QString, quint64> supuestoDe;  // where a file set apart would be -> its number
    for (auto a = apartados.cbegin(); a != apartados.cend(); ++a)
        supuestoDe.insert(a->supuesto, a.key());
    int distintos = 0;
    const auto seguir = [&](const QString& desde, const QString& hacia) {
        const auto i = supuestoDe.constFind(desde);
        if (desde == hacia || i == supuestoDe.cend())
            return;
        const quint64 numero = *i;  // a copy: changing the hash may move its values
        Apartado& a = apartados[numero];
        distintos -= a.real != a.supuesto;
        a.supuesto = hacia;
        distintos += a.real != a.supuesto;
        supuestoDe.remove(desde);
        supuestoDe.insert(hacia, numero);
    };
    for (const Apartado& a : std::as_const(apartados))
        distintos += a.real != a.supuesto;
    for (const Registro& r : c.hechos)
        seguir(r.viejo, r.nuevo);
    for (const QString& n : std::as_const(universo))
        distintos += estado.Tiene(n) != nombres.contains(n);
    const auto mover = [&](const QString& desde, const QString& hacia) {
        for (const QString* n : {&desde, &hacia})
            distintos -= estado.Tiene(*n) != nombres.contains(*n);
        estado.Quitar(desde);
        estado.Poner(hacia);
        seguir(desde, hacia);
        for (const QString* n : {&desde, &hacia})
            distintos += estado.Tiene(*n) != nombres.contains(*n);
    };
    QList<Registro> probados;
    for (qsizetype i = c.cola; i < plan.pasos.size() && distintos > 0; ++i) {
        const PasoCorrida& p = plan.pasos[i];
        const bool mayusculas = ignoraMayusculas && p.desde.compare(p.hacia, Qt::CaseInsensitive) == 0;
        if (p.desde == p.hacia || !estado.Tiene(p.desde) || !NombresAdmitidos(p.desde, p.hacia)) {
            continue;
        } else if (mayusculas || !estado.Ocupado(p.hacia)) {
            mover(p.desde, p.hacia);
            probados.append({p.desde, p.hacia, true, false, true});
        } else if (const QString antes = c.antes.value(p.desde); !antes.isEmpty() && !estado.Ocupado(antes)) {
            // A file set apart whose new name is taken goes back to its old one.
            mover(p.desde, antes);
            probados.append({p.desde, antes, true, false, true});
        }
        if (distintos == 0)
            return probados + aMedias;
    }
    if (distintos == 0)
        return probados + aMedias;
    // No number of steps makes the folder as it is (a step failed for a reason no plan foresees,
    // or the folder changed since): none is taken, and the entry can't be said undone whole.
    *incierto = true;
    return aMedias;
}

QString Nombre(const QString& log)
{
    return QFileInfo(log).fileName();
}

// The entry of `historial` whose log has the file name `nombre`.
const EntradaHistorial* PorNombre(const QList<EntradaHistorial>& historial, const QString& nombre)
{
    for (const EntradaHistorial& h : historial)
        if (Nombre(h.log) == nombre)
            return &h;
    return nullptr;
}

// Whether `h` undid `entrada`, or undid a run that did, and so on.
bool Desciende(const EntradaHistorial& h, const EntradaHistorial& entrada, const QList<EntradaHistorial>& historial)
{
    const QString buscado = Nombre(entrada.log);
    // A chain of undos is no longer than the history; a loop in damaged cards ends there.
    const EntradaHistorial* paso = &h;
    for (qsizetype n = 0; paso && !paso->deshace.isEmpty() && n < historial.size(); ++n) {
        if (paso->deshace == buscado)
            return true;
        paso = PorNombre(historial, paso->deshace);
    }
    return false;
}

}  // namespace

Pendiente CalcularPendiente(const EntradaHistorial& entrada, const QList<EntradaHistorial>& historial)
{
    // The entry, then the undos since, oldest first: the history lists the newest first.
    QList<Corrida> corridas{LeerCorrida(entrada.log)};
    for (auto h = historial.crbegin(); h != historial.crend(); ++h)
        if (Desciende(*h, entrada, historial))
            corridas.append(LeerCorrida(h->log));
    // Steps no record tells of are judged on the folder, going back in time from now: each run
    // meets it as it left it once what came later is undone.
    Pendiente p;
    bool incierto = false;
    if (std::any_of(corridas.cbegin(), corridas.cend(), [](const Corrida& c) { return c.plan && c.cola < c.plan->pasos.size(); })) {
        const NombresCarpeta carpeta = LeerNombresCarpeta(entrada.carpeta);
        QSet<QString> nombres;
        QHash<QString, quint64> inodoDe;  // where each number names one entry alone
        QHash<quint64, int> veces;
        for (qsizetype i = 0; i < carpeta.nombres.size(); ++i) {
            nombres.insert(NombreDesdeBytes(carpeta.nombres[i]));
            ++veces[carpeta.inodos.value(i)];
        }
        for (qsizetype i = 0; i < carpeta.nombres.size(); ++i)
            if (veces.value(carpeta.inodos[i]) == 1)
                inodoDe.insert(NombreDesdeBytes(carpeta.nombres[i]), carpeta.inodos[i]);
        for (auto c = corridas.rbegin(); c != corridas.rend(); ++c) {
            // Those steps came after every record of their run. Only the latest run can have
            // left a reservation: the undo that came after any other took it away.
            if (c->plan && c->cola < c->plan->pasos.size())
                c->hechos += JuzgarCola(*c, entrada.carpeta, nombres, carpeta.ignoraMayusculas, inodoDe, &incierto,
                                        c == corridas.rbegin() ? &p.reservas : nullptr);
            for (auto r = c->hechos.crbegin(); r != c->hechos.crend(); ++r) {
                nombres.remove(r->nuevo);
                nombres.insert(r->viejo);
                if (const auto i = inodoDe.find(r->nuevo); i != inodoDe.end()) {
                    const quint64 inodo = *i;
                    inodoDe.erase(i);
                    inodoDe.insert(r->viejo, inodo);
                }
            }
        }
    }
    Seguimiento s;
    for (const Registro& r : corridas.constFirst().hechos)
        s.Mover(r.viejo, r.nuevo, true);
    p.incierto = incierto;
    p.movidos = s.Movidos();
    for (qsizetype i = 1; i < corridas.size(); ++i) {
        for (const Registro& r : corridas[i].hechos) {
            s.Mover(r.viejo, r.nuevo, false);
            p.tocada |= r.viejo != r.nuevo;
        }
    }
    for (auto f = s.ficheros.crbegin(); f != s.ficheros.crend(); ++f)
        if (f->propio && f->actual != f->original)
            p.renombres.append({f->actual, f->original});
    return p;
}

void MarcarTrasDeshacer(const EntradaHistorial& deshecha, const Pendiente& queda)
{
    const QList<EntradaHistorial> historial = LeerHistorial(QFileInfo(deshecha.log).path());
    const auto marcar = [](const EntradaHistorial& entrada, const Pendiente& p) {
        EstadoEntrada estado = entrada.estado;
        if (p.renombres.isEmpty() && !p.incierto)
            estado = EstadoEntrada::Deshecha;
        else if (p.renombres.isEmpty())
            estado = EstadoEntrada::DeshechaEnParte;
        else if (p.renombres.size() < p.movidos)
            estado = EstadoEntrada::DeshechaEnParte;
        else if (p.tocada)
            estado = EstadoEntrada::Rehecha;
        if (estado != entrada.estado)
            MarcarEntrada(entrada, estado);
    };
    marcar(deshecha, queda);
    // Those it undid in turn: their renames stand again, or not.
    const EntradaHistorial* entrada = PorNombre(historial, deshecha.deshace);
    for (qsizetype n = 0; entrada && n < historial.size(); ++n) {
        marcar(*entrada, CalcularPendiente(*entrada, historial));
        entrada = entrada->deshace.isEmpty() ? nullptr : PorNombre(historial, entrada->deshace);
    }
}
