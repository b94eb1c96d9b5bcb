#pragma once

#include "engine/Operaciones.h"
#include "platform/Plataforma.h"

#include <QByteArray>
#include <QString>

#include <optional>

struct Estado;
class Pantalla;

// The reason recorded for a name that is not a bare name of the folder.
inline constexpr QStringView RazonNombreNoValido = u"nombre de archivo no válido";

// A bare file name of a folder: not empty, not "." or "..", no path separator, no NUL.
bool EsNombreDesnudo(const QString& nombre);

// The names that the step hands to the system: only bare names, so that a crafted log or a
// pattern can't move files out of the folder, and neither name holding the failure marker:
// its record would read back as a failure, and the rename could never be undone.
bool NombresAdmitidos(const QString& viejo, const QString& nuevo);

// The rename step: renames the file viejo of RutaCarpeta to nuevo without ever replacing
// a file, appends its record to the log open as FicheroLog (none while that is null) and
// counts failures in Fallos. It stops the loop when a record cannot be written or the user
// has asked to stop.
class RenombradorLog final : public PasoRenombrar {
public:
    RenombradorLog(Estado& e, Pantalla& pantalla);
    bool RenombrarArchivo(const QString& viejo, const QString& nuevo) override;
    bool IgnoraMayusculas() override;
    bool Apartar(const QString& viejo, QString& temporal) override;
    bool RenombrarApartado(const QString& temporal, const QString& viejo, const QString& nuevo) override;
    void Omitir(const QString& viejo) override;
    // The files that took another name.
    int Renombrados() const { return renombrados; }

private:
    // One rename and its record: whether the system renamed it. Where `escrito` says its record
    // could not be written, the rename was taken back.
    bool Renombrar(const QString& viejo, const QString& nuevo, bool& escrito);
    // Counts a file's rename, done or failed; whether the loop goes on.
    bool Contar(bool ok, bool escrito, bool cambia);
    // Appends a record to the log, if one is open; false when it could not be written.
    bool Anotar(const QString& viejo, const QString& nuevo, bool ok, const QString& razon);

    Estado& e;
    Pantalla& pantalla;
    int renombrados = 0;
    CarpetaAbierta carpeta;  // RutaCarpeta, opened once for the whole run
    QByteArray linea;        // the record, reused from one file to the next
};
