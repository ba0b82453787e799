#pragma once
#include "Csv.h"
#include <QByteArrayView>
#include <QString>
#include <array>

// Where a card sheet keeps what orvo-gen needs. Technicians keep many more
// columns (legajo, apellido, sector, ...): the needed ones are found by their
// titles, written as people write them ("Perfil_1", "PERFIL 1", "Perfíl-1").
enum class Columna { Reloj,
                     Tarjeta,
                     Perfil1,
                     Perfil2,
                     Destino };
inline constexpr int kColumnas = 5;

struct Columnas {
    std::array<qsizetype, kColumnas> indice{0, 1, 2, 3, -1};   // -1: the sheet has none
    int filaTitulos = 0;                                       // row of the titles; 0 when the sheet has none
    QString problema;                                          // a title row that lacks a needed column or names one twice
    qsizetype Indice(Columna c) const { return indice[static_cast<int>(c)]; }
};

// "reloj", "tarjeta", "perfil 1", "perfil 2", "destino".
QString f_NombreColumna(Columna c);

// The title row is the first that names at least reloj and tarjeta; rows
// above it (a title, blanks) are skipped. Without one, the first four
// columns in order, and a first row that reads as titles is skipped.
Columnas f_BuscarColumnas(QByteArrayView bytes);
