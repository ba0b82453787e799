#pragma once
class QWidget;

// Shows the one transmission window modally (created on first use, hidden,
// not destroyed, when closed). Returns when the user closes it.
void MostrarTransmitir(QWidget* padre);
