#pragma once
// The desktop program's start without a display: this month printed on
// standard output.
namespace varnel {
// Whether a window can be shown: a Qt platform is named, or an X or Wayland display.
bool HasDisplay();
void PrintThisMonth();
}  // namespace varnel
