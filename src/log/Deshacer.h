#pragma once

#include <functional>

class PasoRenombrar;
class QByteArray;
struct Estado;
class Pantalla;
struct LogLeido;
struct Registro;

// The heart of undo: each record of `log` renamed back through `paso`, in the order undo
// takes them, last record first, which restores a folder even where a later rename took a
// name that an earlier one freed. Failure records and lines no writer produces are passed
// over. `trasRegistro` runs after every record, passed over or not, with its place in that
// order (0 first). False when the step asked to stop.
bool RecorrerDeshacer(const LogLeido& log, PasoRenombrar& paso,
                      const std::function<void(const Registro&, int)>& trasRegistro);

// Undoes the renames that the log `bytes` records, through `paso` (which renames in its
// folder and records each reverse rename where it records): the whole log is read first, then
// undone as RecorrerDeshacer goes through it. A temporary log's header gives NumArchivos, for
// the bar. False when the step asked to stop.
bool DeshacerLog(Estado& e, PasoRenombrar& paso, Pantalla& pantalla, const QByteArray& bytes,
                 bool conCabecera);

// "Deshacer" of the window's own last run, from its log, which stays as it is: nothing is
// recorded, and its entry in the history reads "Deshecho" afterwards. `alAbrir` runs once the
// log is open, before the first rename (the window shows the undo). False, with nothing done,
// when the log can't be opened.
bool DeshacerPropio(Estado& e, Pantalla& pantalla, const std::function<void()>& alAbrir = {});
