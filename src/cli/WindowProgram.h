#pragma once
// The desktop program (varnel-gui): the window, printing and the exports, which
// need Qt. The command line runs everything else itself and hands the rest
// over, so that a text command loads no Qt.
namespace varnel {

// Replaces this process with the desktop program, given the same arguments.
// Returns only when it could not be started (exit status 1, reason said).
int RunWindowProgram(char** argv);

}  // namespace varnel
