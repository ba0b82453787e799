#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// A command file compiled as the main window's Open does it, without
// windows: the bytes decoded (Windows-1252, or UTF-8 when they are valid
// UTF-8 with non-ASCII characters), every line followed by CR LF in the
// command pane, one pass from LinAntCmd 0 as a file being loaded.
struct ResultadoCompilacion {
    QString codigo;      // the code pane's text
    QString comandos;    // the command pane's text after the pass
    QStringList debug;   // lst_Debug
};

// The command pane's text as Open fills it.
QString TextoComoAbrir(const QByteArray& bytes);

// Hand the bytes over (std::move) and they are freed once decoded.
ResultadoCompilacion CompilarComoAbrir(QByteArray bytes);
