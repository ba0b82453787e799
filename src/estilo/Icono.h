#pragma once
#include <QIcon>

// The program's icon, a small time clock, at every size it is drawn in.
QIcon IconoOrvo();
