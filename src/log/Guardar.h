#pragma once

#include "platform/Plataforma.h"

#include <QString>

class QSettings;

// Copies the success records of the temporary log at `temporal` to `destino`, in their order
// and without the header. The saved log appears whole or not at all: a failed save leaves an
// older file at `destino` untouched. Nothing is written when the temporary log can't be read.
ResultadoSistema CopiarLogGuardado(const QString& temporal, const QString& destino);

// The "Guardar Log" option as kept between starts: "True" or "False" under Settings/Guardar.
// Read case-insensitively, also as -1, 0 or 1; absent or unreadable counts as on.
bool LeerGuardar(QSettings& ajustes);
void EscribirGuardar(QSettings& ajustes, bool guardar);
