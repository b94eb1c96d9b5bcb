#include "app/Main.h"
#include "engine/Estado.h"
#include "ui/frmBrindlewick.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // No organization: the data folder is ~/.local/share/Brindlewick.
    QApplication::setApplicationName(QStringLiteral("Brindlewick"));
    // The installed menu entry: Wayland and the task bars take the window's icon from it.
    QApplication::setDesktopFileName(QStringLiteral("brindlewick"));

    // The program speaks Spanish, and so must Qt's own dialogs and buttons.
    QTranslator qt;
    if (qt.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qt);

    Estado e;
    Main(e);
    frmBrindlewick ventana(e);
    ventana.show();
    return app.exec();
}
