#pragma once
// The headless command line: "varnel COMMAND [options]" prints to standard
// output; a bad argument exits 2 with a one-line message on standard error,
// a file or data problem 1.

namespace varnel::cli {

// Returns -1 when argv names no command (the desktop program should start),
// else the process exit status.
int RunCommandLine(int argc, char** argv);

}  // namespace varnel::cli
