#include "dialogs/cComDlg.h"

#include "dialogs/Avisos.h"
#include "dialogs/Sustituto.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <optional>
#include <utility>

namespace {

constexpr quint32 OFN_OVERWRITEPROMPT = 0x2;
constexpr quint32 OFN_PATHMUSTEXIST = 0x800;
constexpr quint32 OFN_FILEMUSTEXIST = 0x1000;
// OFN_HIDEREADONLY (0x4) needs nothing: Qt's dialog has no read-only check box.

constexpr QChar Nul(u'\0');

Sustituto<cComDlg::Peticion, std::optional<QString>>& Prueba()
{
    static Sustituto<cComDlg::Peticion, std::optional<QString>> p;
    return p;
}

// Index just past the folder part of a path; "/" always counts, "\" where it is the separator.
qsizetype FinCarpeta(const QString& ruta)
{
    return std::max(ruta.lastIndexOf(u'/'), ruta.lastIndexOf(QDir::separator())) + 1;
}

struct Par {
    QString descripcion;
    QString patrones;
};

// The pairs of a NUL-separated filter; an empty text ends the list, as in the Windows dialogs.
QList<Par> Pares(const QString& sistema)
{
    const QStringList textos = sistema.split(Nul);
    QList<Par> pares;
    for (qsizetype i = 0; i + 1 < textos.size(); i += 2) {
        if (textos[i].isEmpty() || textos[i + 1].isEmpty())
            break;
        pares.append({textos[i], textos[i + 1]});
    }
    return pares;
}

// Qt reads the patterns from the last "(...)" of a filter, separated by blanks, where Windows
// separates them by ";". A description that already shows its patterns keeps its wording.
QString FiltroQt(const Par& par)
{
    const QString lista = u'(' + QString(par.patrones).replace(u';', u' ') + u')';
    const QString mostrado = u'(' + par.patrones + u')';
    if (par.descripcion.endsWith(mostrado))
        return par.descripcion.chopped(mostrado.size()) + lista;
    return par.descripcion + u' ' + lista;
}

// "*.bwk" gives "bwk"; a list of patterns or a wildcard in the extension gives none.
QString ExtensionDe(const QString& patron)
{
    if (!patron.startsWith(u"*."))
        return {};
    const QString extension = patron.mid(2);
    for (const QChar c : {u'*', u'?', u';', u'.', u' '})
        if (extension.contains(c))
            return {};
    return extension;
}

// Qt's dialog with the checks of the Windows flags that it lacks: its file mode already keeps
// the Open button off while the typed file does not exist. They run in accept(), which a native
// dialog would not let us veto, and speak through the program's message boxes.
// Qt's file model writes sizes and dates in the system's language; these speak the program's.
class EnSuIdioma final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& i, int rol) const override
    {
        const auto* modelo = static_cast<const QFileSystemModel*>(sourceModel());
        const QModelIndex origen = mapToSource(i);
        if (rol != Qt::DisplayRole || modelo->isDir(origen) || (i.column() != 1 && i.column() != 3))
            return QIdentityProxyModel::data(i, rol);
        const QLocale idioma;  // the program's, which Hablar set
        return i.column() == 1 ? idioma.formattedDataSize(modelo->size(origen))
                               : idioma.toString(modelo->lastModified(origen), QLocale::ShortFormat);
    }
};

class DialogoFichero : public QFileDialog {
public:
    explicit DialogoFichero(const cComDlg::Peticion& peticion)
        : QFileDialog(peticion.dueno, peticion.titulo), p(peticion)
    {
        setOption(DontUseNativeDialog);
        setProxyModel(new EnSuIdioma(this));
        setOption(DontConfirmOverwrite);  // asked in accept(), after the suffix is added
        setAcceptMode(p.abrir ? AcceptOpen : AcceptSave);
        setFileMode(p.ficheroDebeExistir ? ExistingFile : AnyFile);
        if (!p.carpeta.isEmpty())
            setDirectory(p.carpeta);
        if (!p.filtros.isEmpty()) {
            setNameFilters(p.filtros);
            selectNameFilter(p.filtroInicial);
        }
        setDefaultSuffix(p.sufijo);
        selectFile(p.fichero);
    }

protected:
    void accept() override
    {
        // Folders and ".." are Qt's: it opens them.
        const QStringList elegidos = selectedFiles();
        if (elegidos.size() == 1 && !QFileInfo(elegidos.first()).isDir()
            && !Admitir(QFileInfo(elegidos.first())))
            return;
        QFileDialog::accept();
    }

private:
    bool Admitir(const QFileInfo& f)
    {
        if (p.carpetaDebeExistir && !f.absoluteDir().exists()) {
            Avisos::Mostrar(this, QMessageBox::Warning, windowTitle(),
                            QCoreApplication::translate("cComDlg", "La carpeta no existe:\n%1")
                                .arg(QDir::toNativeSeparators(f.absolutePath())),
                            QMessageBox::Ok);
            return false;
        }
        if (p.confirmarSobrescribir && f.exists())
            return Avisos::Mostrar(this, QMessageBox::Warning, windowTitle(),
                                   QCoreApplication::translate("cComDlg", "%1 ya existe.\n¿Desea reemplazarlo?")
                                       .arg(f.fileName()),
                                   QMessageBox::Yes | QMessageBox::No)
                   == QMessageBox::Yes;
        return true;
    }

    const cComDlg::Peticion p;
};

std::optional<QString> Preguntar(const cComDlg::Peticion& peticion)
{
    if (Prueba().activo)
        return Prueba().Atender(peticion);
    DialogoFichero dialogo(peticion);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return std::nullopt;
    return dialogo.selectedFiles().first();
}

}  // namespace

bool cComDlg::ShowOpen(bool abrir)
{
    const std::optional<QString> elegido = Preguntar(Pedir(abrir));
    if (!elegido)
        return false;
    FileName = QDir::toNativeSeparators(*elegido);
    return true;
}

void cComDlg::Filter(const QString& sNewFilter)
{
    if (!sNewFilter.contains(u'|')) {
        // Without "|" only a text already in the NUL-separated form is taken.
        filtro = sNewFilter.contains(Nul) ? sNewFilter : QString();
        return;
    }
    static const QRegularExpression blancos(QStringLiteral("^ +| +$"));
    QString s = QString(sNewFilter).remove(blancos);
    if (!s.endsWith(u'|'))
        s += u'|';
    filtro = s.replace(u'|', Nul) + Nul;
}

cComDlg::Peticion cComDlg::Pedir(bool abrir) const
{
    const QList<Par> pares = Pares(filtro);
    const qsizetype fin = FinCarpeta(FileName);

    Peticion p;
    p.dueno = hWnd;
    p.abrir = abrir;
    p.titulo = DialogTitle;
    // Without a folder of its own the dialog opens where the offered file lies.
    p.carpeta = InitDir.isEmpty() ? FileName.left(fin) : InitDir;
    p.fichero = FileName.mid(fin);
    for (const Par& par : pares)
        p.filtros << FiltroQt(par);
    p.filtroInicial = p.filtros.value(0);
    // Open takes names as typed: a file without extension must stay reachable.
    if (!abrir)
        p.sufijo = ExtensionDe(pares.value(0).patrones);
    p.confirmarSobrescribir = !abrir && (Flags & OFN_OVERWRITEPROMPT) != 0;
    p.carpetaDebeExistir = (Flags & OFN_PATHMUSTEXIST) != 0;
    // A Save dialog that demanded an existing file could never create one.
    p.ficheroDebeExistir = abrir && (Flags & OFN_FILEMUSTEXIST) != 0;
    return p;
}

void cComDlg::ModoPrueba(bool activo)
{
    Prueba().Activar(activo);
}

void cComDlg::Elegir(const QString& ruta)
{
    Prueba().respuestas.enqueue(ruta);
}

void cComDlg::Cancelar()
{
    Prueba().respuestas.enqueue(std::nullopt);
}

QList<cComDlg::Peticion> cComDlg::Peticiones()
{
    return Prueba().Vistos();
}
