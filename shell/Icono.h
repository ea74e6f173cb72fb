#pragma once
#include <QIcon>

// The program's icon (the SVG built into the executable), drawn at the usual
// window and menu sizes. Empty when the executable carries no icon.
QIcon IconoPrograma();
