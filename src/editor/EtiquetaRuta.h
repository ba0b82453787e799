#pragma once
#include "EtiquetaFila.h"

// The file name in the status row: the caption keeps the whole path, the
// label shows what fits of it with "…" in the middle, and the whole path is
// its tool tip. Later labels of the row may lie over its right part; the
// path is fitted to the width they leave free.
class EtiquetaRuta : public EtiquetaFila {
    Q_OBJECT
public:
    explicit EtiquetaRuta(QWidget* padre = nullptr);
    // Sets the caption and, with it, the tool tip (hides QLabel::setText).
    void setText(const QString& texto);
    // Pixels from the left edge that no other label covers (0: the whole width).
    void SetAnchoLibre(int px);
    QString TextoVisible() const override;

private:
    int v_AnchoLibre = 0;
};
