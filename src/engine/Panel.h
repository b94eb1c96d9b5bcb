#pragma once

#include "engine/Operaciones.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>
#include <span>
#include <variant>

// The operations, in the order of their options in the panel (optOpciones_0 onwards).
enum class Opcion { Extension, Cambiar, Anadir, Generar, Minusculas, Mayusculas };
inline constexpr int NumOpciones = 6;

// The text boxes of the panel.
enum class Caja { Extension, Buscar, Reemplazo, Anadir, Posicion, Patron, Desde };
inline constexpr int NumCajas = 7;

// What the operation panel holds when "Renombrar" is pressed: the texts as typed.
struct Panel {
    Opcion opcion = Opcion::Extension;  // the first selected operation
    quint8 modo = 0;  // the first selected sub-option of "Añadir:" (ModoAnadir); 0 when none is
    std::array<QString, NumCajas> cajas;
    const QString& operator[](Caja c) const { return cajas[size_t(c)]; }
    QString& operator[](Caja c) { return cajas[size_t(c)]; }
};

// The chosen operation with its parameters read and checked.
struct Operacion {
    Opcion opcion = Opcion::Extension;
    QString texto1, texto2;
    quint8 modo = 0;
    quint8 posicion = 0;
    qint16 desde = 0;
};

// All that the panel, the run, the preview and the window know of one operation. A new
// operation is a row of Operaciones(), its rule and its boxes.
struct DefinicionOperacion {
    Opcion opcion;
    const char* clave;        // its name on a history card; never changes
    const char* titulo;       // the caption of its option
    const char* descripcion;  // what a screen reader adds to the caption; may be empty
    std::span<const Caja> cajas;  // the boxes it reads; the first takes the focus
    // Reads and checks the boxes into `op`; the message of a refusal otherwise.
    std::optional<QString> (*leer)(const Panel& panel, qint16 numArchivos, Operacion& op);
    FinOperacion (*ejecutar)(const Operacion& op, const Estado& e, PasoRenombrar& paso, Pantalla& pantalla);
    // The operation in words, as the history shows it: "Cambiar extensiones a: png".
    QString (*describir)(const Operacion& op);
};

std::span<const DefinicionOperacion> Operaciones();
const DefinicionOperacion& Definicion(Opcion opcion);
// The operation whose card name is `clave`.
std::optional<Opcion> OpcionDeClave(const QString& clave);

// Reads and checks the panel for a selection of numArchivos files. On refusal, the message
// that the run shows instead of renaming.
std::variant<Operacion, QString> LeerPanel(const Panel& panel, qint16 numArchivos);

QString DescribirOperacion(const Operacion& op);

// Runs the operation over the selection. "Añadir:" without a sub-option renames nothing and
// is complete.
FinOperacion EjecutarOperacion(const Operacion& op, const Estado& e, PasoRenombrar& paso,
                               Pantalla& pantalla);

// A run's operation mode, all but its log: the panel read and checked, then its operation
// over the selection through `paso`. When the run refuses, the message it shows instead.
std::variant<FinOperacion, QString> OperarPanel(const Panel& panel, const Estado& e,
                                                PasoRenombrar& paso, Pantalla& pantalla);
