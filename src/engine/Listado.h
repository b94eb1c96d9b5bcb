#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// The order in which file and folder names are listed, and so the order in which a run
// numbers them: digits compare as whole numbers (IMG_2 before IMG_10), letters without regard
// to case or accents, "ñ" as the letter after "n"; names still equal then compare by exact
// character codes, so the order is total. The same on every machine, whatever its locale.
// A strict "less than", usable with std::sort.
bool OrdenNatural(QStringView a, QStringView b);

// A folder as the selection records it: native separators, ending in exactly one separator
// (a root keeps its own).
QString CarpetaSeleccion(const QString& carpeta);

// A filter of file names typed by the user: patterns separated by ";", where "*" stands for
// any run of characters, "?" for any one character and every other character for itself.
// Letter case is ignored. "*.*", an empty text or one made of blanks lets every name through.
class Patron {
public:
    explicit Patron(QStringView texto);
    bool Coincide(QStringView nombre) const;

private:
    // Case-folded alternatives; empty when every name passes.
    QList<QString> alternativas;
};
