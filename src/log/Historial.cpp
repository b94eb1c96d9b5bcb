#include "log/Historial.h"

#include "engine/Reglas.h"
#include "log/Registro.h"
#include "log/Resultado.h"
#include "platform/Nombres.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>

#include <algorithm>

namespace {

// The states as the card writes them, in the order of EstadoEntrada.
const QStringList Estados = {QStringLiteral("completa"),     QStringLiteral("en curso"),
                             QStringLiteral("deshecha"),     QStringLiteral("interrumpida"),
                             QStringLiteral("deshecha en parte"), QStringLiteral("rehecha")};

// Beside a log, the same name: its card (".ficha") and its plan (".plan").
QString Junto(const QString& log, const char16_t* extension)
{
    return log.chopped(4) + QString::fromUtf16(extension);
}

// Where a plan's header ends and its steps begin.
const QString Pasos = QStringLiteral("pasos");

// The card's values, one line each, written as a log's records are, so that any folder name
// or text reads back whole.
QByteArray Campos(const EntradaHistorial& e)
{
    QByteArray texto;
    const std::optional<Operacion>& op = e.eleccion.operacion;
    const auto numero = [&op](auto valor) { return op ? QString::number(valor) : QString(); };
    const QList<std::pair<const char16_t*, QString>> campos{
        {u"fecha", e.fecha.toUTC().toString(Qt::ISODateWithMs)},
        {u"carpeta", e.carpeta},
        {u"opcion", op ? QString::fromLatin1(Definicion(op->opcion).clave) : QString()},
        {u"texto1", op ? op->texto1 : QString()},
        {u"texto2", op ? op->texto2 : QString()},
        {u"modo", numero(op ? op->modo : 0)},
        {u"posicion", numero(op ? op->posicion : 0)},
        {u"desde", numero(op ? op->desde : 0)},
        {u"cargado", e.eleccion.logCargado},
        {u"operacion", e.eleccion.frase},
        {u"deshaceres", e.eleccion.deshaceres ? QString::number(e.eleccion.deshaceres) : QString()},
        {u"estado", Estados.at(int(e.estado))},
        {u"renombrados", QString::number(e.renombrados)},
        {u"fallos", QString::number(e.fallos)},
        {u"deshace", e.deshace}};
    for (const auto& [clave, valor] : campos)
        if (!valor.isEmpty())
            AnadirRegistro(texto, QStringView(clave), valor);
    return texto;
}

// A card's choice; values out of range read as the nearest the panel allows.
Eleccion LeerEleccion(const QHash<QString, QString>& campos)
{
    Eleccion el;
    const auto valor = [&campos](const char* clave) { return campos.value(QString::fromLatin1(clave)); };
    if (const std::optional<Opcion> opcion = OpcionDeClave(valor("opcion"))) {
        const auto entero = [&valor](const char* clave, int minimo, int maximo) {
            return std::clamp(valor(clave).toInt(), minimo, maximo);
        };
        el.operacion = Operacion{*opcion, valor("texto1"), valor("texto2"), quint8(entero("modo", 0, ModoPosicion)),
                                 quint8(entero("posicion", 0, 255)), qint16(entero("desde", -32768, 32767))};
    }
    el.logCargado = valor("cargado");
    el.frase = valor("operacion");
    el.deshaceres = std::max(valor("deshaceres").toInt(), 0);
    return el;
}

ResultadoSistema EscribirFicha(const EntradaHistorial& e)
{
    return EscribirEntero(Junto(e.log, u".ficha"), Campos(e), false);
}

// The values of a card, or of a plan's header; none when the file can't be read. A card is a
// few hundred bytes, and so is the header of a plan.
std::optional<QHash<QString, QString>> LeerCampos(const QString& ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QHash<QString, QString> campos;
    for (const Registro& r : LeerLog(f.read(65536), false).registros) {
        if (r.completo && r.viejo == Pasos)
            break;
        if (r.completo)
            campos.insert(r.viejo, r.nuevo);
    }
    return campos;
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

QString Describir(const Eleccion& eleccion)
{
    QString texto = eleccion.operacion ? DescribirOperacion(*eleccion.operacion)
        : !eleccion.logCargado.isEmpty() ? QCoreApplication::translate("Historial", "Log cargado: %1").arg(eleccion.logCargado)
                                         : eleccion.frase;
    for (int i = 0; i < eleccion.deshaceres; ++i)
        texto = QCoreApplication::translate("Historial", "Deshacer: %1").arg(texto);
    return texto;
}

QString TextoEstado(EstadoEntrada estado)
{
    switch (estado) {
    case EstadoEntrada::Completa:
        return {};
    case EstadoEntrada::EnCurso:
        return QCoreApplication::translate("Historial", "En curso");
    case EstadoEntrada::Deshecha:
        return QCoreApplication::translate("Historial", "Deshecho");
    case EstadoEntrada::Interrumpida:
        return QCoreApplication::translate("Historial", "Interrumpido");
    case EstadoEntrada::DeshechaEnParte:
        return QCoreApplication::translate("Historial", "Deshecho en parte");
    case EstadoEntrada::Rehecha:
        return QCoreApplication::translate("Historial", "Rehecho");
    }
    return {};
}

bool Deshacible(EstadoEntrada estado)
{
    return estado != EstadoEntrada::EnCurso && estado != EstadoEntrada::Deshecha;
}

ResultadoSistema LogDeCorrida::Abrir(const QString& rutaLog_, const QByteArray& cabecera,
                                     const EntradaHistorial& datos, bool enLugarDeTemporal_)
{
    rutaLog = rutaLog_;
    enLugarDeTemporal = enLugarDeTemporal_;
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
    if (fichero.write(cabecera) != cabecera.size()) {
        const ResultadoSistema r{false, fichero.errorString()};
        Descartar();
        return r;
    }
    return {};
}

QByteArray LogDeCorrida::PrefijoTemporal() const
{
    return ".brindlewick-" + BytesDeNombre(QFileInfo(entrada.log).completeBaseName()) + '-';
}

ResultadoSistema LogDeCorrida::Comenzar(const QByteArray& pasos)
{
    QByteArray plan = Campos(entrada);
    AnadirRegistro(plan, u"temporal", QString::fromLatin1(PrefijoTemporal()));
    AnadirRegistro(plan, Pasos, {});
    // Made durable once, before the first rename: whatever happens next, the plan tells.
    ResultadoSistema r = EscribirEntero(Junto(entrada.log, u".plan"), plan + pasos, true);
    if (r.ok && enLugarDeTemporal) {
        r = EnlazarEnLugarDe(entrada.log, rutaLog);
        if (SinSoporte(r)) {
            copiaDeTemporal = true;
            r = CopiarATemporal();
        }
    }
    if (!r.ok) {
        Descartar();
        return r;
    }
    comenzado = true;
    return {};
}

void LogDeCorrida::Descartar()
{
    fichero.close();
    for (const QString& f : {entrada.log, Junto(entrada.log, u".plan")})
        QFile::remove(f);
    cerrojo.reset();
}

LogDeCorrida::~LogDeCorrida()
{
    if (!comenzado && fichero.isOpen())
        Descartar();
}

ResultadoSistema LogDeCorrida::CopiarATemporal()
{
    QFile log(entrada.log);
    if (!log.open(QIODevice::ReadOnly))
        return {false, log.errorString()};
    return EscribirEntero(rutaLog, log.readAll(), false);
}

void LogDeCorrida::Terminar(EstadoEntrada estado, int renombrados, int fallos)
{
    // The run's own log holds its records whatever becomes of the copy.
    if (copiaDeTemporal)
        static_cast<void>(CopiarATemporal());
    entrada.estado = estado;
    entrada.renombrados = renombrados;
    entrada.fallos = fallos;
    // Unsaid, the entry is read from its plan, as interrupted once this process is gone.
    static_cast<void>(EscribirFicha(entrada));
    cerrojo.reset();
}

std::optional<EntradaHistorial> LeerEntrada(const QString& log)
{
    if (!log.endsWith(u".txt") || !QFileInfo(log).isFile())
        return std::nullopt;
    // A run under way, or one that never had its last word, has only its plan.
    auto campos = LeerCampos(Junto(log, u".ficha"));
    if (!campos) {
        campos = LeerCampos(Junto(log, u".plan"));
        if (campos)
            campos->insert(QStringLiteral("estado"), Estados.at(int(EstadoEntrada::EnCurso)));
    }
    if (!campos)
        return std::nullopt;
    EntradaHistorial e;
    e.log = log;
    e.fecha = QDateTime::fromString(campos->value(QStringLiteral("fecha")), Qt::ISODateWithMs);
    e.carpeta = campos->value(QStringLiteral("carpeta"));
    e.eleccion = LeerEleccion(*campos);
    e.deshace = campos->value(QStringLiteral("deshace"));
    e.renombrados = campos->value(QStringLiteral("renombrados")).toInt();
    e.fallos = campos->value(QStringLiteral("fallos")).toInt();
    const qsizetype estado = Estados.indexOf(campos->value(QStringLiteral("estado")));
    if (!e.fecha.isValid() || e.carpeta.isEmpty() || estado < 0)
        return std::nullopt;
    e.estado = EstadoEntrada(estado);
    if (e.estado == EstadoEntrada::EnCurso && !Bloqueado(log)) {
        // Killed before its card had its last word: what it did is in its log.
        e.estado = EstadoEntrada::Interrumpida;
        ContarDesdeLog(e);
    }
    return e;
}

std::optional<PlanCorrida> LeerPlan(const QString& log)
{
    QFile f(Junto(log, u".plan"));
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    PlanCorrida plan;
    bool pasos = false;
    QString marcas;
    for (const Registro& r : LeerLog(f.readAll(), false).registros) {
        if (!pasos) {
            if (r.completo && r.viejo == u"temporal")
                plan.temporal = r.nuevo;
            pasos = r.completo && r.viejo == Pasos;
        } else if (r.completo && r.viejo.isEmpty()) {
            marcas = r.nuevo;
        } else {
            // A line no writer wrote ends what the plan can tell.
            if (!r.completo)
                break;
            const auto estaba = [&plan](const QString& nombre, bool marcado) {
                return marcado && !nombre.startsWith(plan.temporal);
            };
            const qsizetype i = marcas.indexOf(u'i');
            plan.pasos.append({r.viejo, r.nuevo, estaba(r.viejo, !marcas.contains(u'-')),
                               estaba(r.nuevo, marcas.contains(u'+')), i < 0 ? 0 : marcas.mid(i + 1).toULongLong()});
            marcas.clear();
        }
    }
    // Without its names' beginning, no name of the run's own could be told from a user's.
    if (plan.temporal.isEmpty())
        return std::nullopt;
    return plan;
}

std::optional<QString> UltimoPaso(const QString& log)
{
    QFile f(Junto(log, u".plan"));
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A step is one line of two names, far shorter than this; a cut first line reads as none.
    f.seek(std::max<qint64>(0, f.size() - 8192));
    const QList<Registro> fin = LeerLog(f.readAll(), false).registros;
    for (auto r = fin.crbegin(); r != fin.crend(); ++r)
        if (r->completo && !r->viejo.isEmpty())
            return r->viejo == Pasos ? QString() : r->viejo;
    return std::nullopt;
}

qsizetype AnadirPasoPlan(QByteArray& plan, const PasoCorrida& paso, QByteArrayView desde, QByteArrayView hacia)
{
    if (!paso.desdeEstaba || paso.haciaEstaba || paso.inodo != 0)
        AnadirRegistroBytes(plan, {},
                            QByteArray(paso.desdeEstaba ? "" : "-") + (paso.haciaEstaba ? "+" : "")
                                + (paso.inodo != 0 ? 'i' + QByteArray::number(paso.inodo) : QByteArray()));
    const qsizetype inicio = plan.size();
    AnadirRegistroBytes(plan, desde, hacia);
    return inicio;
}

QList<EntradaHistorial> LeerHistorial(const QString& carpeta)
{
    QList<EntradaHistorial> entradas;
    const QDir dir(carpeta);
    for (const QString& log : dir.entryList({QStringLiteral("*.txt")}, QDir::Files))
        if (auto e = LeerEntrada(dir.filePath(log)))
            entradas.append(std::move(*e));
    std::sort(entradas.begin(), entradas.end(), [](const EntradaHistorial& a, const EntradaHistorial& b) {
        return a.fecha != b.fecha ? a.fecha > b.fecha : a.log > b.log;
    });
    return entradas;
}

void MarcarEntrada(EntradaHistorial entrada, EstadoEntrada estado)
{
    entrada.estado = estado;
    // Unwritten, the card keeps the state it had, which the next undo reads again.
    static_cast<void>(EscribirFicha(entrada));
}

void PodarHistorial(const QString& carpeta, int maximo)
{
    const QList<EntradaHistorial> entradas = LeerHistorial(carpeta);
    for (qsizetype i = maximo; i < entradas.size(); ++i) {
        if (entradas[i].estado == EstadoEntrada::EnCurso)
            continue;
        for (const char16_t* extension : {u".ficha", u".plan", u".txt"})
            QFile::remove(Junto(entradas[i].log, extension));
    }
}
