#pragma once
// What the program shows at start: a window when there is a display, else this
// month printed on standard output.
namespace varnel {
int RunDesktop(int argc, char** argv);
void PrintThisMonth();
bool HasDisplay();
}  // namespace varnel
