#include "app/Estado.h"
#include "app/Main.h"
#include "ui/frmBrindlewick.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // No organization: the data folder is ~/.local/share/Brindlewick.
    QApplication::setApplicationName(QStringLiteral("Brindlewick"));

    Estado e;
    Main(e);
    frmBrindlewick ventana(e);
    ventana.show();
    return app.exec();
}
