#pragma once
// Echoing outside text (an argument, a value of a data file) inside a message:
// control characters are escaped, so a newline cannot split the message and a
// terminal escape cannot reach the terminal, and a long text is cut.
#include <cstddef>
#include <string>
#include <string_view>

namespace varnel {

inline constexpr size_t kEchoLimit = 60;

// The text with C0 and C1 control characters, DEL and invalid UTF-8 bytes
// written as \n, \t, \r or \xHH, cut after `limit` characters with "..." added.
std::string EscapeForMessage(std::string_view text, size_t limit = kEchoLimit);

}  // namespace varnel
