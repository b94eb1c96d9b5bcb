#include "app/Prevision.h"

#include "app/Proceso.h"
#include "engine/Estado.h"
#include "engine/Panel.h"
#include "engine/Pantalla.h"
#include "log/Deshacer.h"
#include "log/Historial.h"
#include "log/Registro.h"

#include <QFile>

#include <algorithm>

namespace {

// Stands in for the window while an operation is foretold. The loop moves the bar once per
// selected file, whether or not it handed the file to the step: a file that has no row by
// then is one the operation leaves alone.
class Seguimiento final : public Pantalla {
public:
    Seguimiento(const Estado& e, PasoSimulado& paso) : e(e), paso(paso) {}
    void MostrarFichero(const QString&) override {}
    void CederEventos() override {}
    float AnchoMarco() const override { return 0; }
    void FijarAnchoBarra(float) override { Hasta(++hechos); }
    bool Detenido() const override { return false; }

    // Rows for the first `n` selected files.
    void Hasta(qsizetype n)
    {
        while (paso.NumFilas() < n) {
            const QString& nombre = e.Archivos.at(paso.NumFilas());
            paso.Omitir(nombre, nombre, ResultadoPrevisto::SinCambios);
        }
    }

private:
    const Estado& e;
    PasoSimulado& paso;
    qsizetype hechos = 0;
};

Prevision Rechazada(const QString& mensaje)
{
    Prevision p;
    p.mensaje = mensaje;
    return p;
}

Prevision Contar(const PasoSimulado& paso)
{
    Prevision p;
    p.filas = paso.Filas();
    for (const FilaPrevista& f : std::as_const(p.filas)) {
        p.cambios += f.resultado == ResultadoPrevisto::Correcto;
        p.fallos += EsFallo(f.resultado);
    }
    return p;
}

Prevision PreverOperacion(const Estado& e, const Panel& panel)
{
    PasoSimulado paso(e.RutaCarpeta);
    Seguimiento seguimiento(e, paso);
    const auto fin = OperarPanel(panel, e, paso, seguimiento);
    if (const QString* mensaje = std::get_if<QString>(&fin))
        return Rechazada(*mensaje);
    // Without an operation to call (no option chosen) every file stays as it is.
    seguimiento.Hasta(std::min<qsizetype>(e.NumArchivos, e.Archivos.size()));
    return Contar(paso);
}

Prevision PreverLog(const QString& logCargado, const QString& carpetaLog, bool conCabecera)
{
    QFile cargado(logCargado);
    if (!cargado.open(QIODevice::ReadOnly))
        return Rechazada(RechazoLogCargado(logCargado, cargado.errorString()));
    PasoSimulado paso(carpetaLog);
    // A record that undo passes over shows as it reads, in the direction of the undo.
    RecorrerDeshacer(LeerLog(cargado.readAll(), conCabecera), paso, [&](const Registro& r, int i) {
        if (paso.NumFilas() == i)
            paso.Omitir(r.nuevo, r.viejo,
                        r.fallo ? ResultadoPrevisto::OmitidoFallo
                                : ResultadoPrevisto::OmitidoLinea);
    });
    return Contar(paso);
}

}  // namespace

Prevision Prever(const Estado& e, const Panel& panel, const QString& logCargado,
                 const QString& carpetaLog)
{
    return e.LogCargado ? PreverLog(logCargado, carpetaLog, false) : PreverOperacion(e, panel);
}

Prevision PreverEntrada(const EntradaHistorial& entrada)
{
    return PreverLog(entrada.log, entrada.carpeta, true);
}
