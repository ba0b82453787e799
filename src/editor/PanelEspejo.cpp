#include "PanelEspejo.h"
#include <cmath>

PanelEspejo::PanelEspejo(VistaCodigo& vista, double pxPorTwip) : v_Vista(&vista) {
    v_Escala.pxPorTwip = pxPorTwip;
    v_Alto = static_cast<int>(std::lround(vista.height() / pxPorTwip));
    vista.SetModelo(&v_Modelo);
}

// The view may outlive the pane: it must not read the model that goes with it.
PanelEspejo::~PanelEspejo() {
    if (v_Vista) v_Vista->SetModelo(nullptr);
}

void PanelEspejo::SetText(const QString& texto) {
    v_Modelo.SetText(texto);
    v_Vista->Cambiado();
}
void PanelEspejo::SetSelText(const QString& texto) {
    v_Modelo.SetSelText(texto);
    v_Vista->Cambiado();
}
void PanelEspejo::AgregarLinea(const QString& texto, const ColorRGB* color) {
    v_Modelo.AgregarLinea(texto, color);
    v_Vista->Cambiado();
}
void PanelEspejo::SetSelColor(ColorRGB color) {
    v_Modelo.SetSelColor(color);
    v_Vista->Cambiado();
}
void PanelEspejo::SetSelBold(bool on) {
    v_Modelo.SetSelBold(on);
    v_Vista->Cambiado();
}
void PanelEspejo::SetSelItalic(bool on) {
    v_Modelo.SetSelItalic(on);
    v_Vista->Cambiado();
}

void PanelEspejo::Refresh() {
    if (!v_Vista->isHidden()) v_Vista->repaint();
}

void PanelEspejo::Colocar(int left, int top, int width, int height) {
    v_Left = left;
    v_Top = top;
    v_Width = width;
    v_Alto = height;
    Movido();
}

void PanelEspejo::Movido() { v_Vista->setGeometry(v_Escala.Rect(v_Left, v_Top, v_Width, v_Alto)); }

