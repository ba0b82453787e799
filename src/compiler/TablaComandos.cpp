#include "TablaComandos.h"
#include "Acciones.h"
#include "Manejadores.h"
#include <QHash>

namespace {
using enum TipoTip;
using enum FormaPlantilla;
constexpr NombreArg R{5, 6};   // nReloj
constexpr ColorRGB N = Colores::Negro;

// clang-format off
const DefComando kTabla[] = {
  // word    nArg handler         tip          topic width template                                          form          n  names                                                  too-many colour                 page
  {"C",      3, Cmd_C,           Aparte,      0,   0,   "",                                                Varios,       0, {},                                                     0,    N,                      "c.htm"},
  {"INIA",   1, Cmd_INIA,        Plantilla,   101, 1000, "INIA nReloj",                                    UnArgumento,  1, {R},                                                    1000, N,                      "inia.htm"},
  {"INIB",   1, Cmd_INIB,        Plantilla,   102, 1000, "INIB nReloj",                                    UnArgumento,  1, {R},                                                    1000, N,                      "inib.htm"},
  {"LREG",   1, Cmd_LREG,        Plantilla,   103, 1200, "LREG nReloj",                                    UnArgumento,  1, {R},                                                    1200, N,                      "lreg.htm"},
  {"ACK",    0, Cmd_ACK,         Plantilla,   104, 1650, "ACK [sin argumentos]",                           SinArgumentos,0, {},                                                     1900, N,                      "ack.htm"},
  {"FECH",   3, Cmd_FECH,        Plantilla,   105, 2100, "FECH nReloj, Fecha, Hora",                       Varios,       3, {R, NombreArg{13, 5}, NombreArg{20, 4}},              2300, N,                      "fech.htm"},
  {"BREG",   1, Cmd_BREG,        Plantilla,   106, 1200, "BREG nReloj",                                    UnArgumento,  1, {R},                                                    1200, N,                      "breg.htm"},
  {"EHAB",   1, Cmd_EHAB,        Plantilla,   107, 1200, "EHAB nReloj",                                    UnArgumento,  1, {R},                                                    1200, N,                      "ehab.htm"},
  {"EINH",   1, Cmd_EINH,        Plantilla,   108, 1100, "EINH nReloj",                                    UnArgumento,  1, {R},                                                    1100, N,                      "einh.htm"},
  {"EPER",   1, Cmd_EPER,        Plantilla,   109, 1200, "EPER nReloj",                                    UnArgumento,  1, {R},                                                    1200, N,                      "eper.htm"},
  {"BING",   2, Cmd_BING,        Plantilla,   110, 1850, "BING nReloj, nTarjeta",                          Varios,       2, {R, NombreArg{13, 8}},                                1950, N,                      "bing.htm"},
  {"AING",   4, Cmd_AING,        Plantilla,   111, 3100, "AING nReloj, nTarjeta, cPerfil1, cPerfil2",      Varios,       4, {R, NombreArg{13, 8}, NombreArg{23, 8}, NombreArg{33, 8}}, 3500, N,                "aing.htm"},
  {"RSET",   1, Cmd_RSET,        Plantilla,   112, 1200, "RSET nReloj",                                    UnArgumento,  1, {R},                                                    1200, N,                      "rset.htm"},
  {"SPER",   2, Cmd_SPER,        Plantilla,   113, 1900, "SPER nReloj, nPerfiles",                         Varios,       2, {R, NombreArg{13, 9}},                                2000, N,                      "sper.htm"},
  {"APER",   5, Cmd_APER,        Plantilla,   114, 3450, "APER nReloj, cPerfil, xDias, hDesde, hHasta",    Varios,       5, {R, NombreArg{13, 7}, NombreArg{22, 5}, NombreArg{29, 6}, NombreArg{37, 6}}, 3900, N, "aper.htm"},
  {"SCFG",   4, Cmd_SCFG,        Plantilla,   111, 3500, "SCFG nRelojAct, nRelojSet, Modo, TiempoAp",      Varios,       4, {NombreArg{5, 9}, NombreArg{16, 9}, NombreArg{27, 4}, NombreArg{33, 8}}, 3500, N, "scfg.htm"},
  {"SCF2",   6, Cmd_SCF2,        Plantilla,   111, 4000, "SCF2 nReloj, Sel, AnRTE, TpoRTE, DebW, TpoW",    Varios,       6, {R, NombreArg{13, 3}, NombreArg{18, 5}, NombreArg{25, 6}, NombreArg{33, 4}, NombreArg{39, 4}}, 3500, N, "scf2.htm"},
  {"CMD",    1, Cmd_CMD,         Plantilla,   0,   1900, "CMD comando",                                    Varios,       1, {NombreArg{4, 7}},                                    3000, N,                      "cmd.htm"},
  {"--",    -1, Cmd_Comentario,  Descripcion, 0,   1900, "Escriba un comentario ...",                      Varios,       0, {},                                                     1900, Colores::Verde,         "comentario.htm"},
  {"TRANS", -1, Cmd_Transmitir,  Descripcion, 0,   2800, "Comienza la transmisión de comandos",            Varios,       0, {},                                                     2800, Colores::Violeta,       "trans.htm"},
  {"T",     -1, Cmd_Transmitir,  Ninguno,     0,   0,    "",                                               Varios,       0, {},                                                     0,    N,                      "trans.htm"},
  {"?",     -1, Cmd_Ayuda,       Descripcion, 0,   1400, "Muestra la ayuda",                               Varios,       0, {},                                                     1400, Colores::Violeta,       "principal.htm"},
  {"TOOLS", -1, Cmd_Herramientas,Ninguno,     0,   0,    "",                                               Varios,       0, {},                                                     0,    N,                      "tools.htm"},
};
// clang-format on
}   // namespace

const DefComando* Comandos(int* cantidad) {
    if (cantidad) *cantidad = static_cast<int>(std::size(kTabla));
    return kTabla;
}

const DefComando* BuscarComando(const QString& palabra) {
    static const QHash<QString, const DefComando*> indice = [] {
        QHash<QString, const DefComando*> h;
        for (const auto& d : kTabla) h.insert(QString::fromUtf8(d.palabra), &d);
        return h;
    }();
    return indice.value(palabra, nullptr);
}

QString PaginaDeTopico(int topico) {
    if (topico > 1)
        for (const auto& d : kTabla)
            if (d.topico == topico && d.tip == TipoTip::Plantilla) return QString::fromUtf8(d.pagina);
    return QStringLiteral("principal.htm");
}
