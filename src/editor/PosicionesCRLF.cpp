#include "PosicionesCRLF.h"
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <cstdlib>

int PosicionesCRLF::Largo(const QTextDocument* doc) { return doc->characterCount() - 1 + doc->blockCount() - 1; }

int PosicionesCRLF::InicioBloque(const QTextDocument* doc, int linea) {
    return doc->findBlockByNumber(linea).position() + linea;
}

int PosicionesCRLF::DesdeQt(const QTextDocument* doc, int posicion) {
    const QTextBlock b = doc->findBlock(posicion);
    return posicion + (b.isValid() ? b.blockNumber() : doc->blockCount() - 1);
}

PosicionesCRLF::Punto PosicionesCRLF::AQt(const QTextDocument* doc, int indice) const {
    indice = std::clamp(indice, 0, Largo(doc));
    // The line L satisfies indice = qt + L with qt inside block L. Start from
    // the line found last time (the pass walks the text in order) and step:
    // each guess of L gives a Qt position whose block is a better guess.
    const int lineas = doc->blockCount();
    int linea = std::clamp(v_Pista, 0, lineas - 1);
    int anterior = -1;
    for (int paso = 0; paso < 64; ++paso) {
        const int qt = std::clamp(indice - linea, 0, doc->characterCount() - 1);
        const QTextBlock b = doc->findBlock(qt);
        const int otra = b.isValid() ? b.blockNumber() : lineas - 1;
        if (otra == linea || (otra == anterior && std::abs(otra - linea) == 1)) {
            // Settled, or swinging between a line and the next: the index is
            // then the LF of the lower line's CR LF.
            const int l = std::min(otra, linea);
            const QTextBlock bl = doc->findBlockByNumber(l);
            const int columna = indice - (bl.position() + l);
            const int largo = bl.length() - 1;
            v_Pista = l;
            if (columna <= largo) return {bl.position() + std::max(0, columna), false};
            return {bl.position() + largo, true};
        }
        anterior = linea;
        linea = otra;
    }
    // Not settled (should not happen): search.
    int lo = 0, hi = lineas - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (InicioBloque(doc, mid) <= indice)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock b = doc->findBlockByNumber(lo);
    const int columna = indice - (b.position() + lo);
    const int largo = b.length() - 1;
    v_Pista = lo;
    if (columna <= largo) return {b.position() + columna, false};
    return {b.position() + largo, true};
}
