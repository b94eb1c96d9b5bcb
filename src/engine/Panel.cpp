#include "engine/Panel.h"

#include "engine/Comprobaciones.h"
#include "engine/Estado.h"
#include "engine/Reglas.h"

#include <QCoreApplication>

#include <type_traits>

namespace {

QString ExtensionNoValida()
{
    return QCoreApplication::translate("Operaciones", "Extensión no válida");
}
QString CadenaNoValida()
{
    return QCoreApplication::translate("Operaciones", "Cadena no válida");
}
QString NumeroNoValido()
{
    return QCoreApplication::translate("Operaciones", "Número no válido");
}

// Only what enters the new names is checked: the search text may hold anything.
std::optional<QString> LeerExtension(const Panel& p, qint16, Operacion& op)
{
    op.texto1 = p[Caja::Extension];
    return NombreValido(op.texto1) ? std::nullopt : std::optional(ExtensionNoValida());
}

std::optional<QString> LeerCambiar(const Panel& p, qint16, Operacion& op)
{
    op.texto1 = p[Caja::Buscar];
    op.texto2 = p[Caja::Reemplazo];
    return NombreValido(op.texto2) ? std::nullopt : std::optional(CadenaNoValida());
}

std::optional<QString> LeerAnadir(const Panel& p, qint16, Operacion& op)
{
    op.texto1 = p[Caja::Anadir];
    op.modo = p.modo;
    if (!NombreValido(op.texto1))
        return CadenaNoValida();
    if (op.modo == ModoPosicion) {
        const auto posicion = LeerEntero(p[Caja::Posicion], 0, 255);
        if (!posicion)
            return QCoreApplication::translate("Operaciones", "Posición no válida");
        op.posicion = quint8(*posicion);
    }
    return std::nullopt;
}

std::optional<QString> LeerGenerar(const Panel& p, qint16 numArchivos, Operacion& op)
{
    op.texto1 = p[Caja::Patron];
    if (!PatronValido(op.texto1))
        return CadenaNoValida();
    const auto desde = LeerEntero(p[Caja::Desde], -32768, 32767);
    if (!desde || *desde + numArchivos > 32767)
        return NumeroNoValido();
    op.desde = qint16(*desde);
    return std::nullopt;
}

std::optional<QString> SinCajas(const Panel&, qint16, Operacion&)
{
    return std::nullopt;
}

FinOperacion Anadir(const Operacion& op, const Estado& e, PasoRenombrar& paso, Pantalla& pantalla)
{
    if (op.modo == 0)
        return FinOperacion::Completa;
    return AnadirCadena(e, paso, pantalla, op.texto1, op.modo, op.posicion);
}

// Substituted in one pass, so that a "%1" the user typed is text like any other.
QString DescribirAnadir(const Operacion& op)
{
    if (op.modo == ModoFinal)
        return QCoreApplication::translate("Operaciones", "Añadir: %1 al final").arg(op.texto1);
    if (op.modo == ModoPrincipio)
        return QCoreApplication::translate("Operaciones", "Añadir: %1 al principio").arg(op.texto1);
    return QCoreApplication::translate("Operaciones", "Añadir: %1 en la posición %2").arg(op.texto1, QString::number(op.posicion));
}

constexpr Caja CajasExtension[] = {Caja::Extension};
constexpr Caja CajasCambiar[] = {Caja::Buscar, Caja::Reemplazo};
constexpr Caja CajasAnadir[] = {Caja::Anadir, Caja::Posicion};
constexpr Caja CajasGenerar[] = {Caja::Patron, Caja::Desde};

// One row per Opcion, in its order.
const DefinicionOperacion Tabla[] = {
    {Opcion::Extension, "extension", QT_TRANSLATE_NOOP("Operaciones", "Cambiar extensiones a:"), "", CajasExtension,
     LeerExtension, [](const Operacion& op, const Estado& e, PasoRenombrar& paso, Pantalla& pantalla) {
         return CambiarExtension(e, paso, pantalla, op.texto1);
     },
     [](const Operacion& op) { return QCoreApplication::translate("Operaciones", "Cambiar extensiones a: %1").arg(op.texto1); }},
    {Opcion::Cambiar, "cambiar", QT_TRANSLATE_NOOP("Operaciones", "Cambiar"), "", CajasCambiar, LeerCambiar,
     [](const Operacion& op, const Estado& e, PasoRenombrar& paso, Pantalla& pantalla) {
         return CambiarCadena(e, paso, pantalla, op.texto1, op.texto2);
     },
     [](const Operacion& op) { return QCoreApplication::translate("Operaciones", "Cambiar %1 por %2").arg(op.texto1, op.texto2); }},
    {Opcion::Anadir, "anadir", QT_TRANSLATE_NOOP("Operaciones", "Añadir:"), "", CajasAnadir, LeerAnadir, Anadir,
     DescribirAnadir},
    {Opcion::Generar, "generar", QT_TRANSLATE_NOOP("Operaciones", "Generar:"), "", CajasGenerar, LeerGenerar,
     [](const Operacion& op, const Estado& e, PasoRenombrar& paso, Pantalla& pantalla) {
         return GenerarNombres(e, paso, pantalla, op.texto1, op.desde);
     },
     [](const Operacion& op) {
         return QCoreApplication::translate("Operaciones", "Generar: %1 desde %2").arg(op.texto1, QString::number(op.desde));
     }},
    {Opcion::Minusculas, "minusculas", "A --> a", QT_TRANSLATE_NOOP("Operaciones", "Todo el nombre en minúsculas"), {},
     SinCajas,
     [](const Operacion&, const Estado& e, PasoRenombrar& paso, Pantalla& pantalla) {
         return CambiarMayusculas(e, paso, pantalla, false);
     },
     [](const Operacion&) { return QStringLiteral("A --> a"); }},
    {Opcion::Mayusculas, "mayusculas", "a --> A", QT_TRANSLATE_NOOP("Operaciones", "Todo el nombre en mayúsculas"), {},
     SinCajas,
     [](const Operacion&, const Estado& e, PasoRenombrar& paso, Pantalla& pantalla) {
         return CambiarMayusculas(e, paso, pantalla, true);
     },
     [](const Operacion&) { return QStringLiteral("a --> A"); }},
};

static_assert(std::extent_v<decltype(Tabla)> == NumOpciones);

}  // namespace

std::span<const DefinicionOperacion> Operaciones()
{
    return Tabla;
}

const DefinicionOperacion& Definicion(Opcion opcion)
{
    return Tabla[int(opcion)];
}

std::optional<Opcion> OpcionDeClave(const QString& clave)
{
    for (const DefinicionOperacion& d : Tabla)
        if (clave == QLatin1String(d.clave))
            return d.opcion;
    return std::nullopt;
}

std::variant<Operacion, QString> LeerPanel(const Panel& panel, qint16 numArchivos)
{
    Operacion op;
    op.opcion = panel.opcion;
    if (auto mensaje = Definicion(panel.opcion).leer(panel, numArchivos, op))
        return *mensaje;
    return op;
}

QString DescribirOperacion(const Operacion& op)
{
    return Definicion(op.opcion).describir(op);
}

FinOperacion EjecutarOperacion(const Operacion& op, const Estado& e, PasoRenombrar& paso,
                               Pantalla& pantalla)
{
    return Definicion(op.opcion).ejecutar(op, e, paso, pantalla);
}

std::variant<FinOperacion, QString> OperarPanel(const Panel& panel, const Estado& e,
                                                PasoRenombrar& paso, Pantalla& pantalla)
{
    const auto leido = LeerPanel(panel, e.NumArchivos);
    if (const QString* mensaje = std::get_if<QString>(&leido))
        return *mensaje;
    const FinOperacion fin = EjecutarOperacion(std::get<Operacion>(leido), e, paso, pantalla);
    if (fin == FinOperacion::FueraDeLimites)
        return NumeroNoValido();
    return fin;
}
