#include "engine/Plan.h"

#include <QHash>

#include <bit>

QList<PasoPlan> Planificar(const QList<Renombre>& renombres, bool ignoraMayusculas)
{
    const qsizetype n = renombres.size();
    // Where case doesn't count, names are told apart by their folded form, kept here.
    QList<QString> plegados;
    if (ignoraMayusculas) {
        plegados.reserve(2 * n);
        for (const Renombre& r : renombres)
            plegados << r.viejo.toCaseFolded() << r.nuevo.value_or(QString()).toCaseFolded();
    }
    // Every name, old or new, as a slot: one look-up per name in an open table of its own,
    // four places a name, then plain lists.
    const qsizetype lugares = std::bit_ceil(size_t(std::max<qsizetype>(8 * n, 16)));
    QList<qsizetype> tabla(lugares, 0);  // a place -> a slot; 0: empty
    QList<QStringView> nombre{{}};       // a slot -> its name
    QList<size_t> hashDe{0};             // a slot -> its name's hash
    QList<qsizetype> poseedor{-1};       // a slot -> the file that holds that name now
    QList<qsizetype> ganador{-1};        // a slot -> the first file given that name
    for (auto* lista : {&poseedor, &ganador})
        lista->reserve(2 * n + 1);
    nombre.reserve(2 * n + 1);
    hashDe.reserve(2 * n + 1);
    const auto ranura = [&](const QString& texto, qsizetype plegado) {
        const QStringView clave = ignoraMayusculas ? QStringView(plegados.at(plegado)) : QStringView(texto);
        const size_t hash = qHash(clave);
        for (size_t i = hash & size_t(lugares - 1);; i = (i + 1) & size_t(lugares - 1)) {
            if (const qsizetype l = tabla[qsizetype(i)]; l != 0) {
                if (hashDe[l] == hash && nombre[l] == clave)
                    return l;
                continue;
            }
            nombre.append(clave);
            hashDe.append(hash);
            poseedor.append(-1);
            ganador.append(-1);
            return tabla[qsizetype(i)] = nombre.size() - 1;
        }
    };
    QList<qsizetype> destino(n, 0);
    QList<bool> mueve(n, false);  // takes another name: it frees its own
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype origen = ranura(renombres[i].viejo, 2 * i);
        poseedor[origen] = i;
        if (renombres[i].nuevo) {
            destino[i] = ranura(*renombres[i].nuevo, 2 * i + 1);
            mueve[i] = destino[i] != origen;
        }
    }
    // Of two files given one name, the first in list order gets it. The others stay where they
    // are: no file waits for them to move.
    QHash<qsizetype, QList<qsizetype>> perdedores;
    for (qsizetype i = 0; i < n; ++i) {
        if (!mueve[i])
            continue;
        if (qsizetype& g = ganador[destino[i]]; g < 0) {
            g = i;
        } else {
            perdedores[g].append(i);
            mueve[i] = false;
        }
    }
    // Each file that moves waits for at most one other: the one that holds its new name.
    QList<qsizetype> espera(n, -1);
    for (qsizetype i = 0; i < n; ++i)
        if (const qsizetype j = poseedor[destino[i]]; mueve[i] && j >= 0 && j != i && mueve[j])
            espera[i] = j;

    QList<PasoPlan> plan;
    plan.reserve(n + n / 2);
    enum : quint8 { Libre, EnCamino, Hecho };
    QList<quint8> estado(n, Libre);
    QList<qsizetype> lugar(n, 0);  // a file's place on the path being followed
    const auto terminar = [&](qsizetype k, PasoPlan::Tipo tipo) {
        plan.append({k, tipo});
        estado[k] = Hecho;
        for (qsizetype perdedor : perdedores.value(k)) {
            plan.append({perdedor, PasoPlan::Tipo::Directo});
            estado[perdedor] = Hecho;
        }
    };
    QList<qsizetype> camino;
    for (qsizetype i = 0; i < n; ++i) {
        // A file given a name that an earlier one takes was placed with that one already.
        if (estado[i] == Hecho)
            continue;
        if (!renombres[i].nuevo) {
            terminar(i, PasoPlan::Tipo::Ninguno);
            continue;
        }
        if (!mueve[i]) {  // the same name, or a change of case alone
            terminar(i, PasoPlan::Tipo::Directo);
            continue;
        }
        // Follow the files it waits for, up to one that waits for none, one already moved, or
        // one on this very path: a cycle.
        camino.clear();
        qsizetype k = i;
        while (k >= 0 && estado[k] == Libre) {
            estado[k] = EnCamino;
            lugar[k] = camino.size();
            camino.append(k);
            k = espera[k];
        }
        qsizetype cola = camino.size();
        if (k >= 0 && estado[k] == EnCamino) {
            cola = lugar[k];
            plan.append({k, PasoPlan::Tipo::Apartar});
            for (qsizetype m = camino.size() - 1; m > cola; --m)
                terminar(camino[m], PasoPlan::Tipo::Directo);
            terminar(k, PasoPlan::Tipo::DesdeApartado);
        }
        for (qsizetype m = cola - 1; m >= 0; --m)
            terminar(camino[m], PasoPlan::Tipo::Directo);
    }
    return plan;
}
