#pragma once
#include <QString>

// Tool tips as plain text, in every window of the program. Qt shows a tool
// tip as rich text as soon as it looks like markup, and a tip may quote what
// the user chose (the file name's tip is its path): "<img src=...>" in a
// path would have Qt load that file. Installed once on the application.
namespace GlobosLlanos {
void Instalar();
// The tip as handed to QToolTip: its text written so that it shows as it is.
QString Escapado(const QString& texto);
}   // namespace GlobosLlanos
