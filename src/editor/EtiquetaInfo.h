#pragma once
#include "EtiquetaFila.h"

// The progress line (lbl_Info). Its captions quote script lines, which in a
// wrong file may run to millions of characters: only a row's worth is kept.
class EtiquetaInfo : public EtiquetaFila {
    Q_OBJECT
public:
    using EtiquetaFila::EtiquetaFila;
    // Sets the caption cut to one row's worth (hides QLabel::setText).
    void setText(const QString& texto);

    // Characters kept of a caption: many times what the row shows.
    static constexpr int kMaximo = 512;
};
