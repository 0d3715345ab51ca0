#pragma once
#include <QIcon>

namespace varnel {
// The application's icon in every drawn size, built into the executable so that
// the window has it whether the program runs installed or from its build tree;
// each size is decoded when the window system first asks for it.
QIcon ApplicationIcon();
}  // namespace varnel
