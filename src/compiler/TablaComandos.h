#pragma once
#include "../shared/ColorRGB.h"
#include <QString>
#include <array>

class Compilador;
using Manejador = void (*)(Compilador&);

// How the tip pane shows a word.
enum class TipoTip {
    Plantilla,     // argument template, formatted by the tips
    Descripcion,   // one-line description in a colour of its own, italic
    Aparte,        // "C": the tip keeps its previous text
    Ninguno        // compiled, but the tips do not know it: "... no es un comando válido"
};

// How a template is formatted.
enum class FormaPlantilla { UnArgumento,
                            SinArgumentos,
                            Varios };

struct NombreArg {
    int inicio = 0;
    int largo = 0;
};

// One row per command word: the dispatch, the tips and the help pages all read it.
struct DefComando {
    const char* palabra;   // upper case, compared exactly
    int nArgs;             // v_NArg (-1: not counted)
    Manejador manejador;
    TipoTip tip;
    int topico;              // help context number, 0: none
    int ancho;               // tip width, twips
    const char* plantilla;   // template or description text
    FormaPlantilla forma;
    int nNombres;
    std::array<NombreArg, 6> nombres;
    int anchoExceso;             // width when too many arguments
    ColorRGB colorDescripcion;   // for TipoTip::Descripcion
    const char* pagina;          // help page under Ayuda/html
};

// nullptr when the word is not a command (an unknown command).
const DefComando* BuscarComando(const QString& palabraMayusculas);

// Every row, in table order.
const DefComando* Comandos(int* cantidad);

// Help page for a help context number ("principal.htm" for 1 or unknown).
QString PaginaDeTopico(int topico);
