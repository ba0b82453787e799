#pragma once
#include <QString>

class fr_Principal;

// Self-check of an installed copy: with the environment variable
// ORVO_INFORME_INICIO set, orvo prints what start-up left (the file it opened,
// the folders it chose, the code pane and the debug list) to stdout and ends.
// The installation tests read it; a user never sets it.
bool InformeInicioPedido();
QString InformeInicio(fr_Principal& ventana);
