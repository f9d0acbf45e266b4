#pragma once
#include <QIcon>

namespace wr {

// The application's icon: the installed one from the icon theme when the
// desktop has it, else the copy built into the program.
QIcon AppIcon();

}  // namespace wr
