#pragma once
#include <QString>

// Text from a file as it may reach a terminal: control characters (C0, DEL,
// C1) written as \xHH, so a stray escape sequence is seen, never obeyed.
QString f_Visible(const QString& texto);
