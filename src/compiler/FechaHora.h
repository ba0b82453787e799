#pragma once
#include <QString>

// Dates and times as the command language reads them. Only forms that read
// one way: day first, d/m/y or d-m-y (the same separator twice), day and
// month of one or two digits, a year of two or four digits (two digits fall
// in 1930..2029); times H:MM or HH:MM with optional :SS, 24-hour clock.

// dd/mm/yyyy, or empty when the text is not such a date.
QString f_NormalizarFecha(const QString& texto);
// HH:MM (seconds dropped), or empty when the text is not such a time.
QString f_NormalizarHora(const QString& texto);
// Day of week of a dd/mm/yyyy date: 1 Sunday ... 7 Saturday.
int f_DiaSemana(const QString& fechaNormal);
