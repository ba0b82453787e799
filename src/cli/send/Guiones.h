#pragma once
#include "Flota.h"
#include "Guion.h"
#include "Opciones.h"
#include <QHash>
#include <QString>
#include <vector>

// The command files of one run: the command line's and each target's own,
// each compiled once (however many targets share it) into its own pair of
// temporary files.
class Guiones {
public:
    // Reads and compiles them all; 0 when every one is ready, else the exit
    // status (2 unreadable, 1 compile errors) with every problem on stderr.
    int Compilar(const OpcionesEnvio& o, const QString& carpetaTemporal);
    Flota::GuionDe De(const Destino& d) const;

private:
    struct Uno {
        QString archivo;   // as named: the command line's text, or the absolute path
        GuionCompilado guion;
    };
    QString v_DelComando;
    std::vector<Uno> v_Guiones;
    QHash<QString, size_t> v_Indice;
};
