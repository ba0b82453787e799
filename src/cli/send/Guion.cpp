#include "Guion.h"
#include "CompilarArchivo.h"
#include "Compilador.h"
#include "EntornoCompilador.h"
#include "LlenarArchTmp.h"
#include "Module1.h"
#include "PanelMemoria.h"
#include "Trama.h"
#include <QDir>

GuionCompilado CompilarGuion(const QByteArray& bytes, const QString& carpeta) {
    PanelMemoria tx_Cmd(TextoComoAbrir(bytes)), tx_Cod;
    EntornoCompilador sinVentanas;
    Compilador compilador(tx_Cmd, tx_Cod, sinVentanas);
    compilador.LinAntCmd = 0;
    compilador.CompilarLineas(true);   // as a file load compiles it

    GuionCompilado r;
    r.debug = compilador.lst_Debug;
    if (!r.debug.isEmpty()) return r;
    for (const QString& l : tx_Cod.Text().split(QStringLiteral("\r\n")))
        if (!l.isEmpty()) ++r.tramas;
    // LlenarArchTmp writes where Module1 points; every script has its own pair.
    r.archCodigo = Module1::v_ArchCodigo = QDir(carpeta).filePath(QStringLiteral("Codigo.tmp"));
    r.archComandos = Module1::v_ArchComandos = QDir(carpeta).filePath(QStringLiteral("Comandos.tmp"));
    if (!LlenarArchTmp(compilador, &r.error)) return r;
    auto lineas = std::make_shared<Corrida::Lineas>();
    QString hecho, motivo;
    if (!Corrida::LeerArchivos(r.archCodigo, r.archComandos, lineas.get(), &hecho, &motivo)) return r;
    // Every clock sends the same frames: each is read from its line once.
    for (const QString& codigo : lineas->codigo) lineas->tramas.append(f_TramaDeLinea(codigo));
    r.lineas = std::move(lineas);
    return r;
}
