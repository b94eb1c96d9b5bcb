#pragma once

#include "app/Pantalla.h"
#include "engine/Operaciones.h"

#include <QByteArray>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>

// A temporary folder holding real files, removed with everything in it at the end.
class CarpetaPrueba {
public:
    CarpetaPrueba();
    // The folder with a trailing separator, as the selection gives it.
    QString ruta() const;
    QString camino(const QString& nombre) const;
    // Creates each file with its own name as contents, so that a mix-up shows.
    void crear(const QStringList& nombres) const;
    void escribir(const QString& nombre, const QByteArray& contenido) const;
    QByteArray leer(const QString& nombre) const;
    // Every entry of the folder, hidden ones included, sorted.
    QStringList nombres() const;
    // Name -> contents of every file.
    QMap<QString, QByteArray> contenido() const;

private:
    QTemporaryDir dir;
};

// An exFAT volume of its own, as on a camera's card: an image on a loop device mounted
// through FUSE for the test and removed at the end. Not mounted where the machine refuses
// (not root, no FUSE, the tools missing); the test then skips and says why.
class VolumenExfat {
public:
    VolumenExfat();
    ~VolumenExfat();
    VolumenExfat(const VolumenExfat&) = delete;
    VolumenExfat& operator=(const VolumenExfat&) = delete;
    bool montado() const { return !punto.isEmpty(); }
    QString ruta() const { return punto; }  // with a trailing separator
    QString fallo;                          // why it is not mounted

private:
    CarpetaPrueba imagen;
    QString dispositivo, punto;
};

// Records what a run shows, and answers with a fixed frame width.
class PantallaRegistro : public Pantalla {
public:
    void MostrarFichero(const QString& nombre) override { mostrados << nombre; }
    void CederEventos() override { ++cesiones; }
    float AnchoMarco() const override { return marco; }
    void FijarAnchoBarra(float ancho) override { anchos << ancho; }
    bool Detenido() const override { return detener; }

    float marco = 3025.0f;
    bool detener = false;
    QStringList mostrados;
    QList<float> anchos;
    int cesiones = 0;
};

// A step that only records the pairs it is handed, for the operations' call sequences.
class PasoRegistro : public PasoRenombrar {
public:
    bool RenombrarArchivo(const QString& viejo, const QString& nuevo) override
    {
        llamadas << viejo + u'>' + nuevo;
        return true;
    }
    QStringList llamadas;
};

// Test tables read better with plain literals.
inline QStringList Lista(std::initializer_list<const char*> textos)
{
    QStringList lista;
    for (const char* t : textos)
        lista << QString::fromUtf8(t);
    return lista;
}
