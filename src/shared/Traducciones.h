#pragma once
#include <QStringList>

class QCoreApplication;

// Qt's own texts (dialog buttons, file dialogs, socket and serial port
// errors) in Spanish, whatever the system's language. A missing translation
// file leaves those texts in English and says nothing. Call before any
// window exists. Returns the files loaded.
QStringList CargarTraducciones(QCoreApplication& app);
