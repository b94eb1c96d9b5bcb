#include "app/Dados.h"
#include "app/Main.h"
#include "engine/Estado.h"
#include "ui/Idioma.h"
#include "ui/frmBrindlewick.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace {

void Escribir(std::FILE* f, const QByteArray& texto)
{
    std::fwrite(texto.constData(), 1, size_t(texto.size()), f);
}

}  // namespace

int main(int argc, char* argv[])
{
    // Answered on the terminal before any display is opened: they need none.
    if (const Argumentos a = LeerArgumentos(argc, argv); a.pide != Argumentos::Pide::Ventana) {
        const QCoreApplication textos(argc, argv);
        Hablar(IdiomaPreferido());
        Escribir(stdout, a.pide == Argumentos::Pide::Ayuda ? TextoAyuda() : TextoVersion());
        return 0;
    }
    QApplication app(argc, argv);
    Hablar(IdiomaPreferido());
    // Read again once Qt has taken its own options ("-platform", "-style"…) out of argv.
    const Argumentos a = LeerArgumentos(argc, argv);
    if (!a.desconocidas.isEmpty()) {
        Escribir(stderr, TextoOpcionDesconocida(a.desconocidas.first()));
        return 2;
    }
    // No organization: the data folder is ~/.local/share/Brindlewick.
    QApplication::setApplicationName(QStringLiteral("Brindlewick"));
    // The installed menu entry: Wayland and the task bars take the window's icon from it.
    QApplication::setDesktopFileName(QStringLiteral("brindlewick"));

    Estado e;
    Main(e);
    frmBrindlewick ventana(e);
    ventana.show();
    // Files a file manager gave, once the window is up: what it says about them comes over it.
    if (!a.archivos.isEmpty())
        QTimer::singleShot(0, &ventana, [&] { ventana.AbrirDados(a.archivos); });
    return app.exec();
}
