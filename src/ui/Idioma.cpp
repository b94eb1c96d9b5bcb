#include "ui/Idioma.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Qt's Spanish spells the keys of a shortcut out ("Control+P"); menus here read as the
// desktop's own do ("Ctrl+P").
class TeclasComoElEscritorio final : public QTranslator {
public:
    QString translate(const char* contexto, const char* fuente, const char*, int) const override
    {
        if (qstrcmp(contexto, "QShortcut") != 0)
            return {};
        if (qstrcmp(fuente, "Ctrl") == 0)
            return QStringLiteral("Ctrl");
        if (qstrcmp(fuente, "Shift") == 0)
            return QStringLiteral("Mayús");
        return {};
    }
    bool isEmpty() const override { return false; }
};

}  // namespace

void HablarEspanol()
{
    static QTranslator qt;
    if (qt.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);
    // Asked before Qt's own, as the latest installed is.
    static TeclasComoElEscritorio teclas;
    QCoreApplication::installTranslator(&teclas);
    // Numbers the user types are read by the program's own reader, whatever the locale.
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
}
