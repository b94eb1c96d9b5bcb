#pragma once

#include <functional>

class QIODevice;
class QString;
struct Estado;
class Pantalla;

// Undoes the renames that the log open for reading as `f` records, in the files of
// RutaCarpeta: the whole log is read first, then its records are undone last to first, which
// restores a folder even where a later rename took a name that an earlier one freed. Failure
// records and lines no writer produces are skipped. A temporary log's header gives
// NumArchivos. Each reverse rename goes through the rename step, so it is recorded in the log
// open as FicheroLog, if any. False when the step asked to stop.
bool DeshacerLog(Estado& e, Pantalla& pantalla, QIODevice& f, bool conCabecera);

// Undo of the last run from the temporary log, which stays as it is: nothing is recorded.
// `alAbrir` runs once the log is open, before the first rename (the window shows the undo).
// False, with nothing done, when the log can't be opened.
bool DeshacerTemporal(Estado& e, Pantalla& pantalla, const std::function<void()>& alAbrir = {});
