#include "Configuracion.h"
#include "ArchivoSeguro.h"
#include "Codificacion.h"
#include "Module1.h"
#include <QFile>
#include <QStringList>

namespace Configuracion {

namespace {
struct Valor {
    int* destino;
    int defecto;
    int minimo;
    int maximo;
    const char* nombre;
};

bool LeerEntero(const QString& linea, int minimo, int maximo, int* valor) {
    bool ok = false;
    const int v = linea.trimmed().toInt(&ok);
    if (!ok || v < minimo || v > maximo) return false;
    *valor = v;
    return true;
}
}   // namespace

bool LeerCFG(QString* problema) {
    const Valor valores[] = {
        // A negative pause is what a start with "-5" in the field leaves: it means none.
        {&Module1::v_Delay, kDelayDefecto, -999, 9999, "la pausa (línea 1)"},
        {&Module1::v_TimeOut, kTimeOutDefecto, 0, 9999, "el tiempo de espera (línea 2)"},
        {&Module1::v_Puerto, kPuertoDefecto, 0, 7, "el puerto (línea 3)"},
    };
    for (const auto& v : valores) *v.destino = v.defecto;

    if (!QFile::exists(Module1::v_ArchCFG)) return true;
    // Three short numbers: anything near this size is not a configuration file.
    constexpr qint64 kLimite = 64 * 1024;
    QByteArray bytes;
    QString motivo;
    if (!ArchivoSeguro::Leer(Module1::v_ArchCFG, kLimite, true, &bytes, &motivo)) {
        *problema = QStringLiteral("No se pudo leer %1:\r\n%2\r\n\r\nSe usan los valores por defecto.")
                        .arg(Module1::v_ArchCFG, motivo);
        return false;
    }
    const QStringList lineas = Codificacion::Lineas(Codificacion::Decodificar(bytes).texto);
    QStringList malos;
    for (int i = 0; i < 3; ++i) {
        const auto& v = valores[i];
        if (i >= lineas.size() || !LeerEntero(lineas.at(i), v.minimo, v.maximo, v.destino)) malos << QString::fromUtf8(v.nombre);
    }
    if (malos.isEmpty()) return true;
    *problema = QStringLiteral(
                    "El archivo de configuración %1 no tiene un valor válido para %2.\r\n\r\n"
                    "Se usan los valores por defecto.")
                    .arg(Module1::v_ArchCFG, malos.join(QStringLiteral(", ")));
    return false;
}

bool GrabarCFG(QString* problema) {
    const QString texto = QStringLiteral("%1\r\n%2\r\n%3\r\n").arg(Module1::v_Delay).arg(Module1::v_TimeOut).arg(Module1::v_Puerto);
    // A direct write also works where the folder forbids the new file.
    ArchivoSeguro::Reemplazo archivo(Module1::v_ArchCFG, true);
    if (archivo.Escribir(texto.toLatin1()) && archivo.Confirmar()) return true;
    *problema = QStringLiteral("No se pudo grabar la configuración en %1:\r\n%2").arg(Module1::v_ArchCFG, archivo.Motivo());
    return false;
}

}   // namespace Configuracion
