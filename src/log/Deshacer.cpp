#include "log/Deshacer.h"

#include "engine/Estado.h"
#include "engine/Operaciones.h"
#include "engine/Pantalla.h"
#include "log/Historial.h"
#include "log/Registro.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cmath>

bool RecorrerDeshacer(const LogLeido& log, PasoRenombrar& paso,
                      const std::function<void(const Registro&, int)>& trasRegistro)
{
    int contador = 0;
    for (auto r = log.registros.crbegin(); r != log.registros.crend(); ++r) {
        if (r->deshacible && !paso.RenombrarArchivo(r->nuevo, r->viejo))
            return false;
        trasRegistro(*r, contador++);
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

// The renames a run made, as its log records them.
QList<Registro> Hechos(const QString& log)
{
    QFile f(log);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<Registro> hechos = LeerLog(f.readAll(), true).registros;
    hechos.removeIf([](const Registro& r) { return !r.deshacible; });
    return hechos;
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
    Seguimiento s;
    for (const Registro& r : Hechos(entrada.log))
        s.Mover(r.viejo, r.nuevo, true);
    Pendiente p;
    p.movidos = s.Movidos();
    // The undos since, oldest first: the history lists the newest first.
    for (auto h = historial.crbegin(); h != historial.crend(); ++h) {
        if (!Desciende(*h, entrada, historial))
            continue;
        for (const Registro& r : Hechos(h->log)) {
            s.Mover(r.viejo, r.nuevo, false);
            p.tocada |= r.viejo != r.nuevo;
        }
    }
    for (auto f = s.ficheros.crbegin(); f != s.ficheros.crend(); ++f)
        if (f->propio && f->actual != f->original)
            p.renombres.append({f->actual, f->original});
    return p;
}

void MarcarTrasDeshacer(const QString& log)
{
    const QList<EntradaHistorial> historial = LeerHistorial(QFileInfo(log).path());
    const EntradaHistorial* entrada = PorNombre(historial, Nombre(log));
    for (qsizetype n = 0; entrada && n < historial.size(); ++n) {
        const Pendiente p = CalcularPendiente(*entrada, historial);
        EstadoEntrada estado = entrada->estado;
        if (p.renombres.isEmpty())
            estado = EstadoEntrada::Deshecha;
        else if (p.renombres.size() < p.movidos)
            estado = EstadoEntrada::DeshechaEnParte;
        else if (p.tocada)
            estado = EstadoEntrada::Rehecha;
        if (estado != entrada->estado)
            MarcarEntrada(*entrada, estado);
        entrada = entrada->deshace.isEmpty() ? nullptr : PorNombre(historial, entrada->deshace);
    }
}
