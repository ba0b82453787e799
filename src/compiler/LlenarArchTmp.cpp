#include "LlenarArchTmp.h"
#include "ArchivoSeguro.h"
#include "Codificacion.h"
#include "Compilador.h"
#include "Module1.h"
#include "PanelTexto.h"
#include <QFile>
#include <tuple>

namespace {
const QString kCRLF = QStringLiteral("\r\n");

QString Fallo(const QString& ruta, const ArchivoSeguro::Reemplazo& f) {
    return QStringLiteral("No se pudo escribir el archivo temporal \"%1\": %2").arg(ruta, f.Motivo());
}

// Both files or neither: a half-written pair would send frames with the wrong commands.
bool GrabarAmbos(const QByteArray& codigo, const QByteArray& comandos, QString* error) {
    ArchivoSeguro::Reemplazo fCodigo(Module1::v_ArchCodigo), fComandos(Module1::v_ArchComandos);
    for (auto [f, datos, ruta] : {std::tuple{&fCodigo, &codigo, &Module1::v_ArchCodigo},
                                  std::tuple{&fComandos, &comandos, &Module1::v_ArchComandos}})
        if (!f->Escribir(*datos)) {
            if (error) *error = Fallo(*ruta, *f);
            return false;   // the old files stay as they were
        }
    if (!fCodigo.Confirmar()) {
        if (error) *error = Fallo(Module1::v_ArchCodigo, fCodigo);
        return false;
    }
    if (!fComandos.Confirmar()) {
        if (error) *error = Fallo(Module1::v_ArchComandos, fComandos);
        QFile::remove(Module1::v_ArchCodigo);
        return false;
    }
    return true;
}
}   // namespace

bool LlenarArchTmp(const Compilador& c, QString* error) {
    const QStringList codigo = c.tx_Cod.Text().split(kCRLF);
    // Each code line goes with the command line that produced it (help
    // requests and comments leave gaps), written as it stands in the pane.
    const QStringList comandos = c.tx_Cmd.Text().split(kCRLF);
    QString textoCodigo, textoComandos;
    for (qsizetype k = 0; k < codigo.size(); ++k) {
        if (codigo[k].isEmpty()) continue;
        const int origen = k < static_cast<qsizetype>(c.v_OrigenCodigo.size()) ? c.v_OrigenCodigo[k] : -1;
        const QString comando = origen >= 0 && origen < comandos.size() ? comandos[origen] : QString();
        textoCodigo += codigo[k] + kCRLF;
        textoComandos += comando + kCRLF;
        QByteArray prueba;
        QString caracter;
        if (!Codificacion::Codificar(comando, Codificacion::Tipo::Windows1252, &prueba, &caracter)) {
            if (error)
                *error = QStringLiteral("La línea %1 tiene el carácter «%2», que no se puede escribir en Windows-1252.")
                             .arg(origen + 1)
                             .arg(caracter);
            return false;
        }
    }
    QByteArray bytesCodigo, bytesComandos;
    Codificacion::Codificar(textoCodigo, Codificacion::Tipo::Windows1252, &bytesCodigo);
    Codificacion::Codificar(textoComandos, Codificacion::Tipo::Windows1252, &bytesComandos);
    return GrabarAmbos(bytesCodigo, bytesComandos, error);
}
