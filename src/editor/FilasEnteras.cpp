#include "FilasEnteras.h"
#include "CajaRica.h"
#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

// The widget may outlive the pane: none of its signals may reach it.
FilasEnteras::~FilasEnteras() {
    for (const QMetaObject::Connection& c : v_Barra) QObject::disconnect(c);
}

void FilasEnteras::SetAltura(int px) {
    v_Altura = px;
    if (px > 0) v_Caja->verticalScrollBar()->setSingleStep(px);
}

void FilasEnteras::Ajustar() {
    QScrollBar* barra = v_Caja->verticalScrollBar();
    for (const QMetaObject::Connection& c : v_Barra) QObject::disconnect(c);
    v_Barra[0] = QObject::connect(barra, &QScrollBar::valueChanged, v_Caja, [this](int v) { AjustarScroll(v); });
    v_Barra[1] = QObject::connect(barra, &QScrollBar::rangeChanged, v_Caja, [this] { AjustarMargen(); });
    AjustarMargen();
}

void FilasEnteras::AjustarMargen() {
    // A strip under the text makes the scroll range end on a whole row.
    auto* caja = qobject_cast<CajaRica*>(v_Caja);
    if (!caja || v_Altura <= 0 || v_Ajustando) return;
    const int libre = v_Caja->viewport()->height() + v_Franja;
    const int margenes = 2 * static_cast<int>(v_Caja->document()->documentMargin());
    const int franja = Franja(libre, margenes, v_Altura);
    if (franja == v_Franja) return;
    v_Ajustando = true;
    v_Franja = franja;
    caja->SetMargenInferior(franja);
    v_Ajustando = false;
}

void FilasEnteras::AjustarScroll(int valor) {
    if (v_Altura <= 0 || v_Ajustando) return;
    const int destino = ValorEntero(valor, v_ScrollAnterior, v_Altura, v_Caja->verticalScrollBar()->maximum());
    v_ScrollAnterior = destino;
    if (destino != valor) {
        v_Ajustando = true;
        v_Caja->verticalScrollBar()->setValue(destino);
        v_Ajustando = false;
    }
}

int FilasEnteras::ValorEntero(int valor, int anterior, int altura, int maximo) {
    const int resto = valor % altura;
    int destino = valor;
    if (resto != 0) destino = valor > anterior ? valor + (altura - resto) : valor - resto;
    return std::clamp(destino, 0, maximo);
}

int FilasEnteras::PrimeraVisible(const QTextDocument* doc) const {
    const int margen = static_cast<int>(doc->documentMargin());
    // One pixel into the row: a row's top edge is also the bottom edge of the row above.
    const qreal y = v_Caja->verticalScrollBar()->value() + margen + 1;
    QAbstractTextDocumentLayout* capa = doc->documentLayout();
    int lo = 0, hi = doc->blockCount() - 1;   // the last block whose top is at or above y
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (capa->blockBoundingRect(doc->findBlockByNumber(mid)).top() <= y)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

int FilasEnteras::EnVista(const QTextDocument* doc) const {
    if (v_Altura <= 0) return 0;
    const int margen = static_cast<int>(doc->documentMargin());
    return std::max(0, (v_Caja->viewport()->height() - margen) / v_Altura);
}

void FilasEnteras::Desplazar(const QTextDocument* doc, int lineas) {
    if (lineas == 0) return;
    const int destino = std::clamp(PrimeraVisible(doc) + lineas, 0, std::max(0, doc->blockCount() - 1));
    const QTextBlock b = doc->findBlockByNumber(destino);
    const int margen = static_cast<int>(doc->documentMargin());
    const int y = static_cast<int>(doc->documentLayout()->blockBoundingRect(b).top()) - margen;
    v_Caja->verticalScrollBar()->setValue(std::max(0, y));
}
