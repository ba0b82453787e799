#include "LlenarArchTmp.h"
bool LlenarArchTmp(const Compilador&, QString* error) { if (error) *error = QStringLiteral("sin implementar"); return false; }
