#pragma once
#include <QByteArray>
#include <QString>

// Comm.log lines, CR LF ended, in Windows-1252.
namespace ArchivoLog {

// A log held open through a run: opened and checked (ArchivoSeguro) at its
// first line, then each line goes with one write(2), so it is in the file
// before the next frame is sent and nothing is lost if the program is
// killed. A file put in its place meanwhile is not followed: the lines go
// on to the one opened. A failed open is not retried until Cerrar().
class Abierto {
public:
    Abierto() = default;
    ~Abierto() { Cerrar(); }
    Abierto(const Abierto&) = delete;
    Abierto& operator=(const Abierto&) = delete;

    // ruta is read only when the file is not open yet. False with the
    // system's reason in *error when the line could not be written (the
    // caller names the file).
    bool Agregar(const QString& ruta, const QString& linea, QString* error);
    // The answer line "< " + f_LineaHex(respuesta), spelled out a slice at a
    // time: a clock that floods the link must not have its whole answer in
    // memory twice. retener: a usual answer waits for the next line and goes
    // with it in one write (the caller writes that line before it sends
    // anything more, or calls Soltar).
    bool AgregarRespuesta(const QString& ruta, const QByteArray& respuesta, QString* error, bool retener = false);
    // Writes a held answer line now; true when none was held.
    bool Soltar(QString* error);
    bool EstaAbierto() const { return v_Fd >= 0; }
    // The end of a run: a held line is written, and the next line opens
    // (and checks) the file again.
    void Cerrar();

private:
    bool Abrir(const QString& ruta, QString* error);
    bool Escribir(QString* error);

    int v_Fd = -1;
    bool v_Fallido = false;
    QString v_MotivoApertura;
    QByteArray v_Linea;        // reused, so a line costs no allocation
    bool v_Retenida = false;   // v_Linea starts with an answer line not yet written
};

// One line opened, written and closed: Comm.log at Module1::v_ArchLog, or a
// log of its own.
bool Agregar(const QString& linea, QString* error);
bool Agregar(const QString& ruta, const QString& linea, QString* error);
bool AgregarRespuesta(const QByteArray& respuesta, QString* error);
bool AgregarRespuesta(const QString& ruta, const QByteArray& respuesta, QString* error);

}   // namespace ArchivoLog
