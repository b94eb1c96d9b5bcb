#include "log/Historial.h"

#include "log/Registro.h"
#include "log/Resultado.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>

#include <algorithm>

namespace {

// The states as the card writes them, in the order of EstadoEntrada.
const QStringList Estados = {QStringLiteral("completa"),     QStringLiteral("en curso"),
                             QStringLiteral("deshecha"),     QStringLiteral("interrumpida"),
                             QStringLiteral("deshecha en parte"), QStringLiteral("rehecha")};

// The card beside a log: the same name, ".ficha" for ".txt".
QString Ficha(const QString& log)
{
    return log.chopped(4) + QStringLiteral(".ficha");
}

// One line per value, written as a log's records are, so that any folder name or text reads
// back whole; the file appears complete or not at all.
ResultadoSistema EscribirFicha(const EntradaHistorial& e)
{
    QByteArray texto;
    const QList<std::pair<const char16_t*, QString>> campos{
        {u"fecha", e.fecha.toUTC().toString(Qt::ISODateWithMs)},
        {u"carpeta", e.carpeta},
        {u"operacion", e.operacion},
        {u"estado", Estados.at(int(e.estado))},
        {u"renombrados", QString::number(e.renombrados)},
        {u"fallos", QString::number(e.fallos)},
        {u"deshace", e.deshace}};
    for (const auto& [clave, valor] : campos)
        if (!valor.isEmpty())
            AnadirRegistro(texto, QStringView(clave), valor);
    return EscribirEntero(Ficha(e.log), texto, false);
}

// The files a run renamed and those that failed, as "Resultado" counts them from its log.
void ContarDesdeLog(EntradaHistorial& e)
{
    QFile log(e.log);
    if (!log.open(QIODevice::ReadOnly))
        return;
    e.renombrados = e.fallos = 0;
    for (const FilaResultado& f : LeerResultado(log.readAll())) {
        e.fallos += !f.razon.isEmpty();
        e.renombrados += f.razon.isEmpty() && f.actual != f.nuevo;
    }
}

}  // namespace

QString CarpetaHistorial(const QString& rutaLog)
{
    return QDir(QFileInfo(rutaLog).path()).filePath(QStringLiteral("historial"));
}

QString TextoEstado(EstadoEntrada estado)
{
    switch (estado) {
    case EstadoEntrada::Completa:
        return {};
    case EstadoEntrada::EnCurso:
        return QStringLiteral("En curso");
    case EstadoEntrada::Deshecha:
        return QStringLiteral("Deshecho");
    case EstadoEntrada::Interrumpida:
        return QStringLiteral("Interrumpido");
    case EstadoEntrada::DeshechaEnParte:
        return QStringLiteral("Deshecho en parte");
    case EstadoEntrada::Rehecha:
        return QStringLiteral("Rehecho");
    }
    return {};
}

bool Deshacible(EstadoEntrada estado)
{
    return estado != EstadoEntrada::EnCurso && estado != EstadoEntrada::Deshecha;
}

ResultadoSistema LogDeCorrida::Abrir(const QString& rutaLog, const QByteArray& cabecera,
                                     const EntradaHistorial& datos, bool enLugarDeTemporal)
{
    const QString carpeta = CarpetaHistorial(rutaLog);
    QDir().mkpath(carpeta);
    entrada = datos;
    entrada.estado = EstadoEntrada::EnCurso;
    // Named by the time and the process, so that names sort by age and two windows starting at
    // the same moment never take one file.
    const QString nombre = QDir(carpeta).filePath(
        entrada.fecha.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz-"))
        + QString::number(QCoreApplication::applicationPid()) + u'-');
    for (int n = 0; !fichero.isOpen(); ++n) {
        fichero.setFileName(nombre + QString::number(n) + QStringLiteral(".txt"));
        // Unbuffered, so that every record reaches the system as soon as its rename is done.
        if (!fichero.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)
            && (n == 100 || !fichero.exists()))
            return {false, fichero.errorString()};
    }
    entrada.log = fichero.fileName();
    cerrojo = std::make_unique<Cerrojo>(entrada.log);
    ResultadoSistema r{false, {}};
    if (fichero.write(cabecera) != cabecera.size())
        r.razon = fichero.errorString();
    else if (r = EscribirFicha(entrada); r.ok && enLugarDeTemporal)
        r = EnlazarEnLugarDe(entrada.log, rutaLog);
    if (!r.ok) {
        fichero.close();
        QFile::remove(entrada.log);
        QFile::remove(Ficha(entrada.log));
    }
    return r;
}

void LogDeCorrida::Terminar(EstadoEntrada estado, int renombrados, int fallos)
{
    entrada.estado = estado;
    entrada.renombrados = renombrados;
    entrada.fallos = fallos;
    // Unsaid, the card keeps "en curso", which reads as interrupted once this process is gone.
    EscribirFicha(entrada);
    cerrojo.reset();
}

std::optional<EntradaHistorial> LeerEntrada(const QString& log)
{
    QFile ficha(Ficha(log));
    // A card is a few hundred bytes; anything much larger is no card.
    if (!log.endsWith(u".txt") || ficha.size() > 65536 || !ficha.open(QIODevice::ReadOnly))
        return std::nullopt;
    QHash<QString, QString> campos;
    for (const Registro& r : LeerLog(ficha.readAll(), false).registros)
        if (r.completo)
            campos.insert(r.viejo, r.nuevo);
    EntradaHistorial e;
    e.log = log;
    e.fecha = QDateTime::fromString(campos.value(QStringLiteral("fecha")), Qt::ISODateWithMs);
    e.carpeta = campos.value(QStringLiteral("carpeta"));
    e.operacion = campos.value(QStringLiteral("operacion"));
    e.deshace = campos.value(QStringLiteral("deshace"));
    e.renombrados = campos.value(QStringLiteral("renombrados")).toInt();
    e.fallos = campos.value(QStringLiteral("fallos")).toInt();
    const qsizetype estado = Estados.indexOf(campos.value(QStringLiteral("estado")));
    if (!e.fecha.isValid() || e.carpeta.isEmpty() || estado < 0 || !QFileInfo(log).isFile())
        return std::nullopt;
    e.estado = EstadoEntrada(estado);
    if (e.estado == EstadoEntrada::EnCurso && !Bloqueado(log)) {
        // Killed before its card had its last word: what it did is in its log.
        e.estado = EstadoEntrada::Interrumpida;
        ContarDesdeLog(e);
    }
    return e;
}

QList<EntradaHistorial> LeerHistorial(const QString& carpeta)
{
    QList<EntradaHistorial> entradas;
    const QDir dir(carpeta);
    for (const QString& ficha : dir.entryList({QStringLiteral("*.ficha")}, QDir::Files))
        if (auto e = LeerEntrada(dir.filePath(ficha.chopped(6) + QStringLiteral(".txt"))))
            entradas.append(std::move(*e));
    std::sort(entradas.begin(), entradas.end(), [](const EntradaHistorial& a, const EntradaHistorial& b) {
        return a.fecha != b.fecha ? a.fecha > b.fecha : a.log > b.log;
    });
    return entradas;
}

void MarcarEntrada(EntradaHistorial entrada, EstadoEntrada estado)
{
    entrada.estado = estado;
    EscribirFicha(entrada);
}

void PodarHistorial(const QString& carpeta, int maximo)
{
    const QList<EntradaHistorial> entradas = LeerHistorial(carpeta);
    for (qsizetype i = maximo; i < entradas.size(); ++i) {
        if (entradas[i].estado == EstadoEntrada::EnCurso)
            continue;
        QFile::remove(Ficha(entradas[i].log));
        QFile::remove(entradas[i].log);
    }
}
