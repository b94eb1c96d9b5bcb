#pragma once

#include <QLocale>
#include <QStringList>

// The program's languages: Spanish, its own and the default, and English.
enum class Idioma { Espanol, Ingles };

// English when the user puts English before Spanish among the preferred languages (as the
// desktop lists them: "en-GB", "es-ES", "de"…); Spanish otherwise, whatever else is listed.
Idioma IdiomaPreferido(const QStringList& preferidos = QLocale::system().uiLanguages());

// The program's texts, Qt's own dialogs and buttons, dates and sizes in `idioma`, whatever the
// system's language. Called once the application is made; called again, it changes language.
void Hablar(Idioma idioma);
Idioma IdiomaActual();
