#include "LlenarArchTmp.h"
#include "Codificacion.h"
#include "Compilador.h"
#include "Module1.h"
#include "PanelTexto.h"
#include <QSaveFile>

namespace {
const QString kCRLF = QStringLiteral("\r\n");

bool Grabar(const QString& ruta, const QByteArray& datos, QString* error) {
    QSaveFile f(ruta);
    if (f.open(QIODevice::WriteOnly) && f.write(datos) == datos.size() && f.commit()) return true;
    if (error) *error = QStringLiteral("No se pudo escribir el archivo temporal \"%1\": %2").arg(ruta, f.errorString());
    return false;
}
}  // namespace

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
    return Grabar(Module1::v_ArchCodigo, bytesCodigo, error) && Grabar(Module1::v_ArchComandos, bytesComandos, error);
}
