#pragma once
#include "Enlace.h"
#include <QString>
#include <memory>

// The TCP link of orvo-send. Where the system is POSIX and the target is an
// address, a bare non-blocking socket: QTcpSocket asks the system how much
// there is to read before each read and copies every byte through its own
// buffers, which with a thousand clocks cost more than the frames. A host
// name (it needs a lookup) and Windows keep EnlaceTCP. Both say the same
// things in the same words.
std::unique_ptr<Enlace> f_EnlaceTCPRapido(const QString& ip, const QString& puerto);
