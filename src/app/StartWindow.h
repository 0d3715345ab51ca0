#pragma once
// The desktop program's window, shown at start.
namespace varnel {
int RunDesktop(int argc, char** argv);
}  // namespace varnel
