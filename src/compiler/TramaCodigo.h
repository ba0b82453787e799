#pragma once
#include <QString>
#include <QStringList>

// Code line of a frame: "02 52 " + clock byte + each byte + "03 " + check byte.
// `bytes` are two-digit hex texts (command byte first, when the frame has one).
QString f_CodigoTrama(QChar reloj, const QStringList& bytes);

// HexAsc of every character of a text, in order.
QStringList f_BytesDe(const QString& texto);
