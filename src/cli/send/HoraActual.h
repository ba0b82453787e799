#pragma once
#include <QDateTime>
#include <QString>

// --hora-actual: a FECH line about to be sent gets the date, day of week
// and time of `ahora` instead of those written when the script was made
// (which may be hours old by the time the frame leaves). The compiler
// builds the new frame, so its check byte is right. Returns false, and
// leaves both lines alone, for any other line.
bool f_ConHoraActual(QString* codigo, QString* comando, const QDateTime& ahora);
