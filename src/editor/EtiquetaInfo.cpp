#include "EtiquetaInfo.h"
#include "TextoDeUnaFila.h"

void EtiquetaInfo::setText(const QString& texto) { QLabel::setText(f_TextoDeUnaFila(texto, kMaximo)); }
