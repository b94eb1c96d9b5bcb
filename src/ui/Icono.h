#pragma once

#include <QIcon>

// The program's icon, for every window: the drawing, with renderings at the usual sizes that
// keep it visible where Qt has no SVG support.
QIcon IconoPrograma();
