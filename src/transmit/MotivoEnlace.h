#pragma once
#include <QAbstractSocket>
#include <QSerialPort>
#include <QString>

// Why a link failed, in Spanish whatever the user's locale or the Qt
// translations installed (Qt spells serial errors as the system's errno text).
namespace MotivoEnlace {

QString f_Socket(QAbstractSocket::SocketError error, const QString& textoQt);
QString f_Serie(QSerialPort::SerialPortError error, const QString& textoQt);

}   // namespace MotivoEnlace
