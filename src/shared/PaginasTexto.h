#pragma once
#include <QString>
#include <QStringView>
#include <memory>
#include <vector>

// The text of many short lines, packed in shared pages: a QString per line
// costs a heap block and a header as large as a code line itself. A line is
// kept one byte a character when every character fits (Spanish messages),
// one byte a pair when it reads as the code pane's hex ("02 52 03"), two
// bytes a character otherwise, so any text comes back exactly.
//
// A rewritten line goes where there is room and leaves its old bytes dead;
// once the dead bytes outweigh half the live ones, everything is copied
// into fresh pages (amortised O(1) a write). A line too long for a page gets
// a block of its own.
class PaginasTexto {
public:
    // Where one line's text is: kept by the owner of the line, 12 bytes.
    struct Trozo {
        int largo = 0;   // characters
        quint32 pagina = 0;
        quint32 desde : 30 = 0;   // byte offset inside the page
        quint32 forma : 2 = 0;    // Forma
    };
    enum Forma : quint32 { Latin1,
                           Utf16,
                           Hex };

    // Makes texto the text of t; its old text is let go.
    void Escribir(Trozo& t, QStringView texto);
    void Soltar(Trozo& t);
    void Vaciar();

    QString Leer(const Trozo& t) const;
    // Appends characters [desde, hasta) of t.
    void AgregarA(QString& destino, const Trozo& t, int desde, int hasta) const;
    bool Contiene(const Trozo& t, char16_t c) const;

    // Whether dead bytes are worth a compaction, and the compaction itself
    // over every live line (the trozo of each element).
    bool Conviene() const;
    template <typename T>
    void Compactar(std::vector<T>& lineas, Trozo T::*trozo) {
        Juego nuevo;
        for (T& l : lineas) Mudar(nuevo, l.*trozo);
        Terminar(std::move(nuevo));
    }

    // Bytes held in pages, live or not, and those of live text (for tests).
    qsizetype Reservados() const;
    qsizetype Vivos() const { return v_Vivos; }

private:
    struct Pagina {
        std::unique_ptr<char[]> datos;
        quint32 usado = 0;
        quint32 capacidad = 0;
        bool propia = false;   // one long line's block
    };
    // A set of pages: the one in use, or the one a compaction fills.
    struct Juego {
        std::vector<Pagina> paginas;
        int actual = -1;
        qsizetype muertos = 0;
    };

    const char* Datos(const Trozo& t) const { return v_Juego.paginas[t.pagina].datos.get() + t.desde; }
    static qsizetype Bytes(const Trozo& t);
    // Room for bytes at the end of the current page (or a block of their own).
    static void Reservar(Juego& j, Trozo& t, qsizetype bytes);
    void Mudar(Juego& nuevo, Trozo& t);
    void Terminar(Juego&& nuevo);

    Juego v_Juego;
    qsizetype v_Vivos = 0;   // bytes of live text
    int v_Libres = 0;        // long lines' blocks let go, their slots still counted
};
