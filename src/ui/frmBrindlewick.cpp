#include "ui/frmBrindlewick.h"

#include "app/Estado.h"

frmBrindlewick::frmBrindlewick(Estado& e, QWidget* parent) : QMainWindow(parent), e(e)
{
    setWindowTitle(QStringLiteral("Brindlewick"));
}
