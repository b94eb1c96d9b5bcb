#include "engine/Panel.h"

#include "engine/Comprobaciones.h"
#include "engine/Estado.h"
#include "engine/Reglas.h"

namespace {

const QString ExtensionNoValida = QStringLiteral("Extensión no válida");
const QString CadenaNoValida = QStringLiteral("Cadena no válida");
const QString PosicionNoValida = QStringLiteral("Posición no válida");
const QString NumeroNoValido = QStringLiteral("Número no válido");

}  // namespace

std::variant<Operacion, QString> LeerPanel(const Panel& panel, qint16 numArchivos)
{
    Operacion op;
    op.opcion = panel.opcion;
    switch (panel.opcion) {
    case 0:
        if (!NombreValido(panel.extension))
            return ExtensionNoValida;
        op.texto1 = panel.extension;
        break;
    case 1:
        // Only the replacement enters the new names; the search text may hold anything.
        if (!NombreValido(panel.reemplazo))
            return CadenaNoValida;
        op.texto1 = panel.buscar;
        op.texto2 = panel.reemplazo;
        break;
    case 2:
        if (!NombreValido(panel.anadir))
            return CadenaNoValida;
        op.texto1 = panel.anadir;
        op.modo = panel.modo;
        if (panel.modo == ModoPosicion) {
            const auto posicion = LeerEntero(panel.posicion, 0, 255);
            if (!posicion)
                return PosicionNoValida;
            op.posicion = quint8(*posicion);
        }
        break;
    case 3: {
        if (!PatronValido(panel.patron))
            return CadenaNoValida;
        const auto desde = LeerEntero(panel.desde, -32768, 32767);
        if (!desde || *desde + numArchivos > 32767)
            return NumeroNoValido;
        op.texto1 = panel.patron;
        op.desde = qint16(*desde);
        break;
    }
    default:
        break;
    }
    return op;
}

QString DescribirOperacion(const Operacion& op)
{
    switch (op.opcion) {
    case 0:
        return QStringLiteral("Cambiar extensiones a: ") + op.texto1;
    case 1:
        return QStringLiteral("Cambiar %1 por %2").arg(op.texto1, op.texto2);
    case 2:
        return QStringLiteral("Añadir: ") + op.texto1
            + (op.modo == ModoFinal       ? QStringLiteral(" al final")
                   : op.modo == ModoPrincipio ? QStringLiteral(" al principio")
                                              : QStringLiteral(" en la posición %1").arg(int(op.posicion)));
    case 3:
        // Joined, not substituted: a "%1" the user typed is text like any other.
        return QStringLiteral("Generar: ") + op.texto1 + QStringLiteral(" desde ") + QString::number(op.desde);
    case 4:
        return QStringLiteral("A --> a");
    case 5:
        return QStringLiteral("a --> A");
    default:
        return {};
    }
}

FinOperacion EjecutarOperacion(const Operacion& op, const Estado& e, PasoRenombrar& paso,
                               Pantalla& pantalla)
{
    switch (op.opcion) {
    case 0:
        return CambiarExtension(e, paso, pantalla, op.texto1);
    case 1:
        return CambiarCadena(e, paso, pantalla, op.texto1, op.texto2);
    case 2:
        if (op.modo == 0)
            return FinOperacion::Completa;
        return AnadirCadena(e, paso, pantalla, op.texto1, op.modo, op.posicion);
    case 3:
        return GenerarNombres(e, paso, pantalla, op.texto1, op.desde);
    case 4:
        return CambiarMayusculas(e, paso, pantalla, false);
    case 5:
        return CambiarMayusculas(e, paso, pantalla, true);
    default:
        return FinOperacion::Completa;
    }
}

std::variant<FinOperacion, QString> OperarPanel(const Panel& panel, const Estado& e,
                                                PasoRenombrar& paso, Pantalla& pantalla)
{
    const auto leido = LeerPanel(panel, e.NumArchivos);
    if (const QString* mensaje = std::get_if<QString>(&leido))
        return *mensaje;
    const FinOperacion fin = EjecutarOperacion(std::get<Operacion>(leido), e, paso, pantalla);
    if (fin == FinOperacion::FueraDeLimites)
        return NumeroNoValido;
    return fin;
}
