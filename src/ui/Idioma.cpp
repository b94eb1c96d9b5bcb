#include "ui/Idioma.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void HablarEspanol()
{
    static QTranslator qt;
    if (qt.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);
    // Numbers the user types are read by the program's own reader, whatever the locale.
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
}
