#include "ui/frmAyuda.h"

#include "ui/Icono.h"

#include <QTextBrowser>
#include <QVBoxLayout>

frmAyuda::frmAyuda(QWidget* parent) : QWidget(parent, Qt::Window)
{
    // The manual lives in a static library, whose resources are registered only on request.
    Q_INIT_RESOURCE(ayuda);

    setObjectName(QStringLiteral("frmAyuda"));
    setWindowTitle(QStringLiteral("Manual de Brindlewick"));
    setWindowIcon(IconoPrograma());
    resize(640, 600);

    auto* txtManual = new QTextBrowser(this);
    txtManual->setObjectName(QStringLiteral("txtManual"));
    txtManual->document()->setDocumentMargin(12);
    txtManual->setSource(QUrl(QStringLiteral("qrc:/ayuda/manual.html")));

    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(txtManual);
}

void frmAyuda::Mostrar()
{
    show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}
