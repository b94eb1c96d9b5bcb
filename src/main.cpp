#include "app/Main.h"
#include "engine/Estado.h"
#include "ui/Idioma.h"
#include "ui/frmBrindlewick.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // No organization: the data folder is ~/.local/share/Brindlewick.
    QApplication::setApplicationName(QStringLiteral("Brindlewick"));
    // The installed menu entry: Wayland and the task bars take the window's icon from it.
    QApplication::setDesktopFileName(QStringLiteral("brindlewick"));

    HablarEspanol();

    Estado e;
    Main(e);
    frmBrindlewick ventana(e);
    ventana.show();
    return app.exec();
}
