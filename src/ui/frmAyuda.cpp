#include "ui/frmAyuda.h"

#include "ui/Encaje.h"
#include "ui/Icono.h"
#include "ui/Idioma.h"

#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

frmAyuda::frmAyuda(QWidget* parent) : QWidget(parent, Qt::Window)
{
    // The manual lives in a static library, whose resources are registered only on request.
    Q_INIT_RESOURCE(ayuda);

    setObjectName(QStringLiteral("frmAyuda"));
    setWindowTitle(tr("Manual de Brindlewick"));
    setWindowIcon(IconoPrograma());
    resize(640, 600);

    auto* txtManual = new QTextBrowser(this);
    txtManual->setObjectName(QStringLiteral("txtManual"));
    txtManual->setAccessibleName(tr("Manual"));
    txtManual->document()->setDocumentMargin(12);
    txtManual->setSource(QUrl(IdiomaActual() == Idioma::Ingles ? QStringLiteral("qrc:/ayuda/manual.en.html")
                                                              : QStringLiteral("qrc:/ayuda/manual.html")));

    setFocusProxy(txtManual);  // the keys scroll the manual as soon as it opens
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(txtManual);

    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
}

void frmAyuda::Mostrar()
{
    if (!isVisible() && parentWidget()) {
        // A small screen takes the manual whole; beside the main window only where there is room.
        CaberEnPantalla(this, parentWidget());
        move(AlLado(parentWidget()->frameGeometry()));
    }
    show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

QPoint frmAyuda::AlLado(const QRect& principal) const
{
    // Right of the main window where the screen has room, else left of it, else as near to
    // it as the screen allows; level with its top.
    const QRect pantalla = (screen() ? screen() : parentWidget()->screen())->availableGeometry();
    const QSize marco = size().grownBy(MarcoVentana(parentWidget()));
    int x = principal.right() + 1;
    if (x + marco.width() > pantalla.right() + 1)
        x = principal.left() - marco.width() >= pantalla.left() ? principal.left() - marco.width()
                                                                 : pantalla.right() + 1 - marco.width();
    const int y = std::min(principal.top(), pantalla.bottom() + 1 - marco.height());
    return {std::max(x, pantalla.left()), std::max(y, pantalla.top())};
}
