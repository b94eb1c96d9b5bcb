#pragma once

#include <functional>

class PasoRenombrar;
class QIODevice;
class QString;
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

// Undoes the renames that the log open for reading as `f` records, in the files of
// RutaCarpeta: the whole log is read first, then undone as RecorrerDeshacer goes through it.
// A temporary log's header gives NumArchivos. Each reverse rename goes through the rename step, so it is recorded in the log
// open as FicheroLog, if any. False when the step asked to stop.
bool DeshacerLog(Estado& e, Pantalla& pantalla, QIODevice& f, bool conCabecera);

// Undo of the last run from the temporary log, which stays as it is: nothing is recorded.
// `alAbrir` runs once the log is open, before the first rename (the window shows the undo).
// False, with nothing done, when the log can't be opened.
bool DeshacerTemporal(Estado& e, Pantalla& pantalla, const std::function<void()>& alAbrir = {});
