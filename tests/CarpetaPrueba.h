#pragma once
// Every test runs in a folder of its own: before each test the program-wide
// values go back to their start-up state, with every file the program writes
// (configuration, log, temporary files) in a fresh temporary folder that is
// removed after the test. The build folder is never written.
#include <QByteArray>
#include <QString>

namespace CarpetaPrueba {

// The current test's folder.
QString Ruta();
QString Ruta(const QString& nombre);

// Starts the current test over in a fresh, empty folder (for a test that
// runs several cases, each with files of its own).
void Nueva();

// Points the program-wide paths at the current test's folder again (for
// code that set them elsewhere meanwhile).
void Fijar();

// A file's bytes ("<sin archivo>" when it cannot be read), and a file written whole.
QByteArray Leer(const QString& ruta);
bool Escribir(const QString& ruta, const QByteArray& bytes);

// Registers the per-test folders with GoogleTest; main() calls it once.
void Instalar();

}   // namespace CarpetaPrueba
