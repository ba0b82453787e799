#include "PanelEspejo.h"
#include <cmath>

PanelEspejo::PanelEspejo(VistaCodigo& vista, double pxPorTwip) : v_Vista(&vista), v_PxPorTwip(pxPorTwip) {
    const QRect g = vista.geometry();
    v_Left = static_cast<int>(std::lround(g.x() / v_PxPorTwip));
    v_Top = static_cast<int>(std::lround(g.y() / v_PxPorTwip));
    v_Width = static_cast<int>(std::lround(g.width() / v_PxPorTwip));
    v_Alto = static_cast<int>(std::lround(g.height() / v_PxPorTwip));
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
    Mover();
}

void PanelEspejo::Mover() {
    auto px = [this](int t) { return static_cast<int>(std::lround(t * v_PxPorTwip)); };
    v_Vista->setGeometry(px(v_Left), px(v_Top), px(v_Width), px(v_Alto));
}

void PanelEspejo::SetLeft(int twips) {
    v_Left = twips;
    Mover();
}
void PanelEspejo::SetTop(int twips) {
    v_Top = twips;
    Mover();
}
void PanelEspejo::SetWidth(int twips) {
    v_Width = twips;
    Mover();
}
