#pragma once
#include <QLabel>

// The progress line (lbl_Info): one row whatever it is given. A caption that
// does not fit is drawn elided with "…" instead of growing or wrapping.
class EtiquetaInfo : public QLabel {
    Q_OBJECT
public:
    explicit EtiquetaInfo(QWidget* padre = nullptr);
    // Sets the caption cut to one row's worth (hides QLabel::setText).
    void setText(const QString& texto);
    // The caption as drawn.
    QString TextoVisible() const;

    // Characters kept of a caption: many times what the row shows.
    static constexpr int kMaximo = 512;

protected:
    void paintEvent(QPaintEvent* e) override;
};
