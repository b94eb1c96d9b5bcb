#include "ui/Idioma.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <algorithm>

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

Idioma actual = Idioma::Espanol;

}  // namespace

Idioma IdiomaPreferido(const QStringList& preferidos)
{
    for (const QString& p : preferidos) {
        const QString lengua = p.section(u'-', 0, 0).section(u'_', 0, 0);
        if (lengua == u"es")
            return Idioma::Espanol;
        if (lengua == u"en")
            return Idioma::Ingles;
    }
    return Idioma::Espanol;
}

void Hablar(Idioma idioma)
{
    static QTranslator qt, nuestro;
    static TeclasComoElEscritorio teclas;
    for (QTranslator* t : {static_cast<QTranslator*>(&teclas), &qt, &nuestro})
        QCoreApplication::removeTranslator(t);
    actual = idioma;
    if (idioma == Idioma::Ingles) {
        // Qt speaks English of itself. Dates and numbers as the user's own English has them.
        if (nuestro.load(QStringLiteral(":/traducciones/brindlewick_en.qm")))
            QCoreApplication::installTranslator(&nuestro);
        const QStringList preferidos = QLocale::system().uiLanguages();
        const auto ingles = std::ranges::find_if(preferidos, [](const QString& p) { return p.startsWith(u"en"); });
        QLocale::setDefault(QLocale(ingles != preferidos.cend() ? *ingles : QStringLiteral("en_US")));
        return;
    }
    if (qt.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);
    // Asked before Qt's own, as the latest installed is.
    QCoreApplication::installTranslator(&teclas);
    // Numbers the user types are read by the program's own reader, whatever the locale.
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
}

Idioma IdiomaActual()
{
    return actual;
}
