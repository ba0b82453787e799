#pragma once
// The folders a test chooses for itself, as main() does for the program:
// Orvo.cfg, Comm.log and the temporary files in a temporary folder of the
// test's own, the help pages from the build. Tests that build windows hold one.
#include "Module1.h"
#include <QTemporaryDir>

struct CarpetaPrueba {
    QTemporaryDir dir;
    CarpetaPrueba() { Module1::FijarCarpetas(dir.path(), Module1::CarpetaRecursos(Module1::CarpetaPrograma())); }
    QString Ruta(const QString& nombre) const { return dir.filePath(nombre); }
};
